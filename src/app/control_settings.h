#pragma once

#include "reading/display_settings.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

// The display and highlight settings as the main window's controls hold
// them: each value is read from (and written to) the control of that
// objectName under the window. A control that is not there reads as empty.
class ControlSettings : public reading::DisplaySettings, public reading::HighlightSettings {
public:
    explicit ControlSettings(QWidget& root) : root_(root) {}

    std::string txtNV() const override { return text("txtNV"); }
    void setTxtNV(const std::string& t) override { setText("txtNV", t); }
    std::string txtSpaces() const override { return text("txtSpaces"); }
    void setTxtSpaces(const std::string& t) override { setText("txtSpaces", t); }
    std::string txtFspaces() const override { return text("txtFspaces"); }
    bool dispFN() const override { return checked("dispFN"); }
    bool checkSb1Line() const override { return checked("checkSb1Line"); }
    std::string subSize() const override { return text("subSize"); }
    std::string VWSize() const override { return text("VWSize"); }
    void setVWSize(const std::string& t) override { setText("VWSize", t); }
    std::string FNSize() const override { return text("FNSize"); }
    std::string VWFont() const override { return text("VWFont"); }

    std::string txtHL(int index) const override { return text("txtHL_" + QString::number(index)); }
    std::string cboWord() const override { return text("cboWord"); }

private:
    QWidget* find(const QString& name) const;
    std::string text(const QString& name) const;
    void setText(const QString& name, const std::string& value);
    bool checked(const QString& name) const;

    QWidget& root_;
    mutable QHash<QString, QPointer<QWidget>> cache_;
};
