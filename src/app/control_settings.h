#pragma once

#include "reading/display_settings.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

// The display and highlight settings the verse display reads, held as one
// value object. The settings panel and the highlight panel show and edit
// it: once bound, each value follows its control (by objectName) as the
// reader edits it, and what the display writes back (the verse count, the
// blank lines, the verse size) shows in the control. A value whose control
// is not there keeps its initial value instead of reading as empty.
class ControlSettings : public reading::DisplaySettings, public reading::HighlightSettings {
public:
    ControlSettings() = default;
    ~ControlSettings() override;
    ControlSettings(const ControlSettings&) = delete;
    ControlSettings& operator=(const ControlSettings&) = delete;

    // Follows the controls under root: takes their values now and every
    // change after. Controls already followed are left as they are, so it
    // may be called again once more panels are installed.
    void bind(QWidget& root);

    std::string txtNV() const override { return display_.nv; }
    void setTxtNV(const std::string& t) override { show("txtNV", display_.nv, t); }
    std::string txtSpaces() const override { return display_.spaces; }
    void setTxtSpaces(const std::string& t) override { show("txtSpaces", display_.spaces, t); }
    std::string txtFspaces() const override { return display_.fspaces; }
    bool dispFN() const override { return display_.footnotesApart; }
    bool checkSb1Line() const override { return display_.subtitleOneLine; }
    std::string subSize() const override { return display_.size; }
    std::string VWSize() const override { return display_.vwSize; }
    void setVWSize(const std::string& t) override { show("VWSize", display_.vwSize, t); }
    std::string FNSize() const override { return display_.fnSize; }
    std::string VWFont() const override { return display_.font; }

    std::string txtHL(int index) const override { return highlight_.txtHL(index); }
    std::string cboWord() const override { return highlight_.colour; }

private:
    void follow(QWidget& root, const QString& name, std::string& value);
    void follow(QWidget& root, const QString& name, bool& value);
    // Sets the value, and the control that shows it when there is one (the
    // value is then what the control took).
    void show(const QString& name, std::string& value, const std::string& text);

    reading::MemoryDisplaySettings display_;
    reading::MemoryHighlightSettings highlight_;
    QHash<QString, QPointer<QWidget>> controls_;
    std::vector<QMetaObject::Connection> connections_;
};
