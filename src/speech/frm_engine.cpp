#include "speech/frm_engine.h"

#include "speech/reading_text.h"
#include "speech/speech_engine.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider* slider(const QString& name, int low, int high, int value, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(low, high);
    s->setValue(value);
    s->setSingleStep(1);
    s->setPageStep(10);
    return s;
}

QLabel* valueLabel(const QString& name, int value, QWidget* parent)
{
    auto* label = new QLabel(QString::number(value), parent);
    label->setObjectName(name);
    // Wide enough for three digits, so the slider does not jump as it moves.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

FrmEngine::FrmEngine(SpeechEngine& engine, Actions actions, QWidget* parent)
    : QDialog(parent), engine_(engine), actions_(std::move(actions))
{
    setObjectName(QStringLiteral("FrmEngine"));
    setWindowTitle(QStringLiteral("Properties"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* voiceLabel = new QLabel(QStringLiteral("Engine name:"), this);
    voices_ = new QListWidget(this);
    voices_->setObjectName(QStringLiteral("VoiceCount"));
    voiceLabel->setBuddy(voices_);
    voiceNote_ = new QLabel(this);
    voiceNote_->setObjectName(QStringLiteral("VoiceNote"));
    voiceNote_->setWordWrap(true);

    auto* speedLabel = new QLabel(QStringLiteral("Speech speed:"), this);
    speed_ = slider(QStringLiteral("Speed"), speech::kMinSpeed, speech::kMaxSpeed, speech::kDefaultSpeed, this);
    speedValue_ = valueLabel(QStringLiteral("SpeedValue"), speech::kDefaultSpeed, this);
    speedLabel->setBuddy(speed_);
    auto* pitchLabel = new QLabel(QStringLiteral("Speech pitch:"), this);
    pitch_ = slider(QStringLiteral("Pitch"), speech::kMinPitch, speech::kMaxPitch, speech::kDefaultPitch, this);
    pitchValue_ = valueLabel(QStringLiteral("PitchValue"), speech::kDefaultPitch, this);
    pitchLabel->setBuddy(pitch_);
    connect(speed_, &QSlider::valueChanged, speedValue_, [this](int v) { speedValue_->setNum(v); });
    connect(pitch_, &QSlider::valueChanged, pitchValue_, [this](int v) { pitchValue_->setNum(v); });

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    connect(ok_, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { Cancel_Click(); });

    auto* sliders = new QGridLayout;
    sliders->addWidget(speedLabel, 0, 0);
    sliders->addWidget(speed_, 0, 1);
    sliders->addWidget(speedValue_, 0, 2);
    sliders->addWidget(pitchLabel, 1, 0);
    sliders->addWidget(pitch_, 1, 1);
    sliders->addWidget(pitchValue_, 1, 2);
    sliders->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(voiceLabel);
    box->addWidget(voices_, 1);
    box->addWidget(voiceNote_);
    box->addLayout(sliders);
    box->addLayout(buttons);
    setTabOrder(voices_, speed_);
    setTabOrder(speed_, pitch_);
    setTabOrder(pitch_, ok_);
    setTabOrder(ok_, cancel_);
    resize(420, 320);

    // An engine still starting fills the list when its voices arrive.
    connect(&engine_, &SpeechEngine::voicesChanged, this, [this] {
        fillVoices();
        speed_->setValue(engine_.speed());
        pitch_->setValue(engine_.pitch());
    });
    connect(&engine_, &SpeechEngine::stateChanged, this, [this] { showEngineState(); });
    Form_Load();
}

void FrmEngine::Form_Load()
{
    fillVoices();
    speed_->setValue(engine_.speed());
    speedValue_->setNum(speed_->value());
    pitch_->setValue(engine_.pitch());
    pitchValue_->setNum(pitch_->value());
}

void FrmEngine::fillVoices()
{
    voices_->clear();
    voices_->addItems(engine_.voiceNames());
    if (voices_->count() > 0)
        voices_->setCurrentRow(0);
    showEngineState();
}

void FrmEngine::showEngineState()
{
    QString note;
    if (engine_.state() == SpeechEngine::State::Starting)
        note = QStringLiteral("Looking for the installed voices…");
    else if (engine_.state() == SpeechEngine::State::Unavailable)
        note = engine_.problem();
    voiceNote_->setText(note);
    voiceNote_->setVisible(!note.isEmpty());
}

void FrmEngine::OK_Click()
{
    // Reading is on from here, whether or not the choice can be applied.
    if (actions_.readOn)
        actions_.readOn();
    const bool applied = engine_.selectVoice(voices_->currentRow() + 1) && engine_.setSpeed(speed_->value()) &&
                         engine_.setPitch(pitch_->value());
    close();
    if (applied)
        return;
    engine_.setSpeed(speech::kDefaultSpeed);
    engine_.setPitch(speech::kDefaultPitch);
    engine_.stop();
    if (actions_.readDisplay)
        actions_.readDisplay();
}
