#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class SpeechEngine;

// The voice dialog "Properties": the installed voices, speed and pitch.
// OK switches automatic reading on and applies the choice; when the engine
// refuses it, the fallback speed and pitch are set and the display is read
// so the reader hears what reading will sound like. Cancel and Esc close
// without touching the engine.
class FrmEngine : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> readOn;
        // Reads the display once, as "Voice for display" does.
        std::function<void()> readDisplay;
    };
    FrmEngine(SpeechEngine& engine, Actions actions, QWidget* parent);

    QListWidget* VoiceCount() const { return voices_; }
    QSlider* Speed() const { return speed_; }
    QSlider* Pitch() const { return pitch_; }
    QLabel* SpeedValue() const { return speedValue_; }
    QLabel* PitchValue() const { return pitchValue_; }

    void OK_Click();
    void Cancel_Click() { close(); }

private:
    // The engine's voices into the list, the first selected.
    void Form_Load();
    void fillVoices();
    void showEngineState();

    SpeechEngine& engine_;
    Actions actions_;
    QListWidget* voices_ = nullptr;
    QLabel* voiceNote_ = nullptr;
    QSlider* speed_ = nullptr;
    QLabel* speedValue_ = nullptr;
    QSlider* pitch_ = nullptr;
    QLabel* pitchValue_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
