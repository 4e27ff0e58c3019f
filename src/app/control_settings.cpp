#include "app/control_settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

QWidget* ControlSettings::find(const QString& name) const
{
    auto it = cache_.find(name);
    if (it != cache_.end() && *it)
        return *it;
    QWidget* w = root_.findChild<QWidget*>(name);
    if (w)
        cache_.insert(name, w);
    return w;
}

std::string ControlSettings::text(const QString& name) const
{
    QWidget* w = find(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text().toStdString();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText().toStdString();
    return {};
}

void ControlSettings::setText(const QString& name, const std::string& value)
{
    QWidget* w = find(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(QString::fromStdString(value));
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setCurrentText(QString::fromStdString(value));
}

bool ControlSettings::checked(const QString& name) const
{
    auto* b = qobject_cast<QAbstractButton*>(find(name));
    return b && b->isChecked();
}
