#include "support/fake_shell.h"

#include "db/database.h"
#include "reading/reading_view.h"
#include "support/program_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>

namespace testing_support {

FakeShell::FakeShell() : settings_(QString::fromStdString((dir_ / "settings").string()))
{
    makeTestProgramFolder(dir_.path());
    state_.programFolder = dir_.path();
    state_.prompter = &prompter_;
    state_.settings = &settings_;
    state_.connection.open(db::connectionString(state_.programFolder, state_.language));

    window_.setObjectName(QStringLiteral("fakeShell"));
    auto* row = new QHBoxLayout(&window_);
    column_ = new QFrame(&window_);
    column_->setObjectName(QStringLiteral("LeftFrame"));
    new QVBoxLayout(column_);
    row->addWidget(column_);
    sqCh_ = new QComboBox(&window_);
    sqCh_->setObjectName(QStringLiteral("sqCh"));
    // Entry 0 is the front matter, entry n sura n, the last the index.
    sqCh_->addItem(QStringLiteral("Sura No."));
    for (int s = 1; s <= 114; ++s)
        sqCh_->addItem(QStringLiteral("Sura %1").arg(s));
    sqCh_->addItem(QStringLiteral("Index"));
    comboApp_ = new QComboBox(&window_);
    comboApp_->setObjectName(QStringLiteral("comboApp"));
    comboApp_->hide();
    sqRv_ = new QListWidget(&window_);
    sqRv_->setObjectName(QStringLiteral("sqRv"));
    reading_ = new ReadingView(state_, display_, highlight_, &window_);
    row->addWidget(reading_->verseList());
    row->addWidget(reading_->msg(), 1);
    window_.resize(1200, 800);
    window_.show();
}

FakeShell::~FakeShell()
{
    while (!subsystems_.empty()) {
        delete subsystems_.back().data();
        subsystems_.pop_back();
    }
}

void FakeShell::adoptSubsystem(QObject* subsystem)
{
    subsystem->setParent(&window_);
    subsystems_.emplace_back(subsystem);
}

bool FakeShell::runCommand(const QString& name)
{
    auto it = commands_.constFind(name);
    if (it == commands_.constEnd())
        return false;
    (*it)();
    return true;
}

void FakeShell::bindButton(QAbstractButton* button, const QString& command)
{
    QObject::connect(button, &QAbstractButton::clicked, &window_, [this, command] { runCommand(command); });
}

void FakeShell::installPanel(QWidget* panel)
{
    panel->setParent(column_);
    column_->layout()->addWidget(panel);
    panel->hide();
}

void FakeShell::showSidePanel(const QString& name)
{
    columnOpen_ = true;
    shownPanel_ = name;
    for (QWidget* p : column_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        p->setVisible(p->objectName() == name);
}

void FakeShell::setSuraIndex(int index)
{
    {
        const QSignalBlocker quiet(sqCh_);
        sqCh_->setCurrentIndex(index);
    }
    runCommand(QStringLiteral("sqCh_Click"));
}

bool FakeShell::press(const QString& objectName)
{
    auto* b = window_.findChild<QAbstractButton*>(objectName);
    if (!b)
        return false;
    b->click();
    QApplication::processEvents();
    return true;
}

QString FakeShell::msgText() const
{
    reading_->flushViews();
    return QString::fromStdString(reading_->msg()->model().text());
}

}  // namespace testing_support
