#pragma once

#include <QObject>

class Shell;
class Navigation;
class PanelFrame;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

// Hands-free reading: a timer moves the verse list on to the next entry and
// shows it, waiting in proportion to the length of the text on screen; at
// the end of a sura it goes on with the next, after the last sura with the
// first. Set up in the side panel frameAutoScroll.
class AutoScroll : public QObject {
    Q_OBJECT
public:
    AutoScroll(Shell& main, Navigation& navigation);

    // Builds the panel and registers the commands with the main window.
    void install();

    void mnuASV_Click();
    void cmbAutoScroll_Click();
    void Command10_Click();  // "Set On"
    void Command12_Click();  // "Set Off"
    void timerScroll_Timer();

    // On between "Set On" and "Set Off" (an interval of 0 is on but never fires).
    bool isOn() const { return on_; }
    // The delay before the next step, in milliseconds.
    int interval() const { return interval_; }

    PanelFrame* panel() const { return panel_; }
    QComboBox* cmbAutoScroll() const { return speed_; }
    QLineEdit* txtAutoScroll() const { return perCharacter_; }
    QTimer* timerScroll() const { return timer_; }

private:
    // The delay for the text now in the reading pane, and the timer set to it.
    void scheduleNextStep();

    Shell& main_;
    Navigation& navigation_;
    PanelFrame* panel_ = nullptr;
    QComboBox* speed_ = nullptr;
    QLineEdit* perCharacter_ = nullptr;
    QPushButton* setOn_ = nullptr;
    QPushButton* setOff_ = nullptr;
    QTimer* timer_ = nullptr;
    bool on_ = false;
    int interval_ = 0;
    bool stepping_ = false;
};
