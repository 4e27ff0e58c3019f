#include "core/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Application names may be folder paths; keep the file name portable.
QString fileNameFor(const QString& application)
{
    QString out;
    for (QChar c : application) {
        if (c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_' || c == u' ')
            out += c;
        else
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out.isEmpty() ? QStringLiteral("%00") : out;
}

}  // namespace

SettingsStore::SettingsStore()
    : SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zerafin"))
{
}

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

QString SettingsStore::fileFor(const QString& application) const
{
    return folder_ + u'/' + fileNameFor(application) + QStringLiteral(".ini");
}

QString SettingsStore::get(const QString& application, const QString& section, const QString& key) const
{
    // A fresh QSettings per read: another process (the first-time
    // initialisation) may have rewritten the file since the last one.
    QSettings s(fileFor(application), QSettings::IniFormat);
    s.beginGroup(section);
    return s.value(key).toString();
}

void SettingsStore::set(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QDir().mkpath(folder_);
    QSettings s(fileFor(application), QSettings::IniFormat);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}

void SettingsStore::remove(const QString& application, const QString& section, const QString& key)
{
    QSettings s(fileFor(application), QSettings::IniFormat);
    s.beginGroup(section);
    s.remove(key);
    s.endGroup();
    s.sync();
}
