#include "app/settings_persistence.h"

#include "ui/panel_support.h"
#include "app/settings_keys.h"
#include "core/settings_store.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <optional>

using ui::qs;

Q_LOGGING_CATEGORY(lcSettings, "zerafin.settings", QtWarningMsg)

namespace {


QWidget* control(const QWidget& root, std::string_view objectName)
{
    return root.findChild<QWidget*>(qs(objectName));
}

std::optional<QString> readValue(const QWidget* w, settings::Kind kind)
{
    using settings::Kind;
    switch (kind) {
    case Kind::Text:
        if (auto* e = qobject_cast<const QLineEdit*>(w))
            return e->text();
        if (auto* c = qobject_cast<const QComboBox*>(w))
            return c->currentText();
        if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
            return t->toPlainText();
        if (auto* t = qobject_cast<const QTextEdit*>(w))
            return t->toPlainText();
        break;
    case Kind::ListIndex:
        if (auto* c = qobject_cast<const QComboBox*>(w))
            return QString::number(c->currentIndex());
        if (auto* l = qobject_cast<const QListWidget*>(w))
            return QString::number(l->currentRow());
        break;
    case Kind::Check:
        if (auto* b = qobject_cast<const QCheckBox*>(w)) {
            const int state = b->checkState() == Qt::Checked ? 1 : b->checkState() == Qt::PartiallyChecked ? 2 : 0;
            return QString::fromStdString(settings::checkText(state));
        }
        break;
    case Kind::Option:
        if (auto* b = qobject_cast<const QAbstractButton*>(w); b && b->isCheckable())
            return QString::fromStdString(settings::optionText(b->isChecked()));
        break;
    }
    return std::nullopt;
}

bool writeText(QWidget* w, const QString& value)
{
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(value);
        return true;
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int i = c->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i >= 0) {
            c->setCurrentIndex(i);
            if (c->isEditable())
                c->setEditText(value);
            return true;
        }
        // A fixed list takes only its own items.
        if (!c->isEditable())
            return false;
        c->setEditText(value);
        return true;
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        t->setPlainText(value);
        return true;
    }
    if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->setPlainText(value);
        return true;
    }
    return false;
}

bool writeValue(QWidget* w, settings::Kind kind, const QString& value)
{
    using settings::Kind;
    const std::string text = value.toStdString();
    switch (kind) {
    case Kind::Text:
        return writeText(w, value);
    case Kind::ListIndex: {
        const auto i = settings::wholeValue(text);
        if (!i)
            return false;
        if (auto* c = qobject_cast<QComboBox*>(w); c && *i >= -1 && *i < c->count()) {
            c->setCurrentIndex(*i);
            return true;
        }
        if (auto* l = qobject_cast<QListWidget*>(w); l && *i >= -1 && *i < l->count()) {
            l->setCurrentRow(*i);
            return true;
        }
        return false;
    }
    case Kind::Check: {
        const auto v = settings::checkValue(text);
        auto* b = qobject_cast<QCheckBox*>(w);
        if (!v || !b)
            return false;
        b->setCheckState(*v == 1 ? Qt::Checked : *v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        return true;
    }
    case Kind::Option: {
        const auto on = settings::optionValue(text);
        auto* b = qobject_cast<QAbstractButton*>(w);
        if (!on || !b || !b->isCheckable())
            return false;
        b->setChecked(*on);
        return true;
    }
    }
    return false;
}

}  // namespace

void SaveSettings(const QWidget& root, SettingsStore& store, const QString& programName)
{
    store.set(programName, programName, qs(settings::kGuardKey), qs(settings::kGuardValue));
    for (const auto& k : settings::keys()) {
        const QWidget* w = control(root, k.objectName);
        if (!w) {
            // A control this window does not have keeps what is stored (its
            // initial value, empty, on a first run), so every key is written.
            store.set(programName, programName, qs(k.key), store.get(programName, programName, qs(k.key)));
            continue;
        }
        if (const auto value = readValue(w, k.kind))
            store.set(programName, programName, qs(k.key), *value);
    }
}

bool LoadSettings(QWidget& root, const SettingsStore& store, const QString& programName)
{
    if (store.get(programName, programName, qs(settings::kGuardKey)) != qs(settings::kGuardValue))
        return false;
    for (const auto& k : settings::keys()) {
        QWidget* w = control(root, k.objectName);
        if (!w)
            continue;
        const QString value = store.get(programName, programName, qs(k.key));
        if (!writeValue(w, k.kind, value))
            qCDebug(lcSettings) << "kept" << qs(k.objectName) << "- stored value refused:" << value;
    }
    return true;
}
