#include "app/control_settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace {

std::string textOf(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text().toStdString();
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText().toStdString();
    return {};
}

}  // namespace

ControlSettings::~ControlSettings()
{
    // The controls may outlive this: they must not write into it then.
    for (const auto& c : connections_)
        QObject::disconnect(c);
}

void ControlSettings::bind(QWidget& root)
{
    follow(root, QStringLiteral("txtNV"), display_.nv);
    follow(root, QStringLiteral("txtSpaces"), display_.spaces);
    follow(root, QStringLiteral("txtFspaces"), display_.fspaces);
    follow(root, QStringLiteral("dispFN"), display_.footnotesApart);
    follow(root, QStringLiteral("checkSb1Line"), display_.subtitleOneLine);
    follow(root, QStringLiteral("subSize"), display_.size);
    follow(root, QStringLiteral("VWSize"), display_.vwSize);
    follow(root, QStringLiteral("FNSize"), display_.fnSize);
    follow(root, QStringLiteral("VWFont"), display_.font);
    for (int i = 0; i < reading::kHighlightBoxes; ++i)
        follow(root, QStringLiteral("txtHL_%1").arg(i), highlight_.words[static_cast<size_t>(i)]);
    follow(root, QStringLiteral("cboWord"), highlight_.colour);
}

void ControlSettings::follow(QWidget& root, const QString& name, std::string& value)
{
    if (controls_.value(name))
        return;
    QWidget* w = root.findChild<QWidget*>(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connections_.push_back(
            QObject::connect(e, &QLineEdit::textChanged, e, [&value](const QString& t) { value = t.toStdString(); }));
    else if (auto* c = qobject_cast<QComboBox*>(w))
        connections_.push_back(QObject::connect(c, &QComboBox::currentTextChanged, c,
                                                [&value](const QString& t) { value = t.toStdString(); }));
    else
        return;
    controls_.insert(name, w);
    value = textOf(w);
}

void ControlSettings::follow(QWidget& root, const QString& name, bool& value)
{
    if (controls_.value(name))
        return;
    auto* b = root.findChild<QAbstractButton*>(name);
    if (!b)
        return;
    connections_.push_back(QObject::connect(b, &QAbstractButton::toggled, b, [&value](bool on) { value = on; }));
    controls_.insert(name, b);
    value = b->isChecked();
}

void ControlSettings::show(const QString& name, std::string& value, const std::string& text)
{
    QWidget* w = controls_.value(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(QString::fromStdString(text));
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setCurrentText(QString::fromStdString(text));
    value = w ? textOf(w) : text;
}
