#pragma once

#include <QString>

// The per-user settings store: string values addressed by application,
// section and key; a missing entry reads as empty. Each application is one
// INI file under the user's config directory (…/zerafin/<application>.ini),
// each section a group of that file.
class SettingsStore {
public:
    // Uses <user config dir>/zerafin.
    SettingsStore();
    // Uses the given folder (tests point this at a temporary folder).
    explicit SettingsStore(QString folder);

    QString get(const QString& application, const QString& section, const QString& key) const;
    void set(const QString& application, const QString& section, const QString& key, const QString& value);
    void remove(const QString& application, const QString& section, const QString& key);

    QString folder() const { return folder_; }
    QString fileFor(const QString& application) const;

    // Where the first-time initialisation reports its progress (0 … 18360).
    static constexpr const char* kProgress = "pStatus";
    static constexpr int kProgressDone = 18360;
    QString progress() const { return get(kProgress, kProgress, kProgress); }
    void setProgress(int value) { set(kProgress, kProgress, kProgress, QString::number(value)); }

private:
    QString folder_;
};
