#pragma once

#include <QString>

class QWidget;
class SettingsStore;

// The main window's settings: each stored key is the value of one control,
// found by objectName anywhere under `root`. A control that is not there,
// or whose value cannot be read, is skipped; a stored value the control
// refuses (a position beyond its list, text that is not one of a fixed
// list's items) leaves the control as it was. Application and section are
// both the program name.

// Writes the guard and then every key in order.
void SaveSettings(const QWidget& root, SettingsStore& store, const QString& programName);
// Loads every key in order when the guard reads "Set"; returns whether it did.
bool LoadSettings(QWidget& root, const SettingsStore& store, const QString& programName);
