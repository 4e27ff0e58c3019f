#include "app/frm_au.h"

#include "app/credits.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace

frmAU::frmAU(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAU"));
    setWindowTitle(QStringLiteral("About us"));
    setModal(false);

    auto* label1 = makeLabel("Label1", this);
    label1->setAlignment(Qt::AlignCenter);
    QFont heading = label1->font();
    heading.setFamilies({QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    heading.setPointSizeF(heading.pointSizeF() * 1.8);
    heading.setBold(true);
    label1->setFont(heading);

    auto* label2 = makeLabel("Label2", this);
    label2->setAlignment(Qt::AlignCenter);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* label3 = makeLabel("Label3", this);
    auto* label4 = makeLabel("Label4", this);
    for (QLabel* l : {label3, label4})
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmAU::Command1_Click);

    auto* addresses = new QGridLayout;
    addresses->setHorizontalSpacing(36);
    addresses->addWidget(label3, 0, 0);
    addresses->addWidget(label4, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(28, 22, 28, 16);
    box->setSpacing(10);
    box->addWidget(label1);
    box->addWidget(label2);
    box->addWidget(line);
    box->addLayout(addresses);
    box->addSpacing(6);
    box->addLayout(buttons);
    setFixedWidth(580);

    Form_Load();
}

void frmAU::Form_Load()
{
    findChild<QLabel*>(QStringLiteral("Label1"))
        ->setText(QString::fromUtf8(credits::kScripture) + u'\n' + QString::fromUtf8(credits::kTranslationTitle));
    findChild<QLabel*>(QStringLiteral("Label2"))
        ->setText(QStringList{QString::fromUtf8(credits::kVersionName), QString::fromUtf8(credits::kTranslator),
                              QString::fromUtf8(credits::kRightsLine1), QString::fromUtf8(credits::kRightsLine2)}
                      .join(u'\n'));
    findChild<QLabel*>(QStringLiteral("Label3"))->setText(QString::fromUtf8(credits::kPublisherAddress1));
    findChild<QLabel*>(QStringLiteral("Label4"))->setText(QString::fromUtf8(credits::kPublisherAddress2));
}

void frmAU::Command1_Click() { hide(); }
