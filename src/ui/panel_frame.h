#pragma once

#include <QFrame>
#include <QPointer>

#include <QPushButton>

class QKeyEvent;

// A side panel of the left column: its objectName, a framed page, and a
// default button with the one Enter rule every panel follows: Enter or
// Return (without Shift, Ctrl or Alt) anywhere in the panel presses the
// panel's push button that has the focus, or else the default button, as
// in a dialog (a plain frame has no default button of its own).
class PanelFrame : public QFrame {
    Q_OBJECT
public:
    explicit PanelFrame(const QString& objectName, QWidget* parent = nullptr);

    void setDefaultButton(QPushButton* button);
    QPushButton* defaultButton() const { return default_; }

    // Whether the key is an Enter the rule answers.
    static bool isPlainEnter(const QKeyEvent& event);
    // Applies the rule: presses the focused button of the panel or the
    // default button; false when there was nothing to press. Panels whose
    // boxes keep Enter for themselves call it from their event filters.
    bool pressDefault();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QPushButton> default_;
};
