#include "app/frm_about_us.h"

#include "app/credits.h"
#include "core/file_exists.h"
#include "app/process_check.h"
#include "shell/prompter.h"
#include "core/settings_store.h"
#include "app/startup_logic.h"
#include "db/database.h"
#include "db/numeric.h"
#include "db/recordset.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace fs = std::filesystem;

Q_LOGGING_CATEGORY(lcStartup, "zerafin.startup", QtWarningMsg)

// zerafin-init's status when it built the database but set an earlier,
// unusable one aside.
constexpr int kInitialiserKeptAside = 3;

namespace {

QString fromPath(const fs::path& p) { return QString::fromStdString(p.string()); }

// A stored colour: a decimal 24-bit value with red in the low byte.
std::optional<QColor> storedColour(const QString& text)
{
    const auto v = db::parseNumber(text.toStdString());
    if (!v || *v < 0 || *v > 0xFFFFFF || *v != static_cast<long long>(*v))
        return std::nullopt;
    const auto c = static_cast<unsigned>(*v);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void paintBackground(QWidget* w, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
    // Buttons fill with their Button colour unless told otherwise.
    w->setBackgroundRole(role);
    w->setAutoFillBackground(true);
}

}  // namespace

frmAboutUs::frmAboutUs(StartupContext context, QWidget* parent) : QWidget(parent), ctx_(std::move(context))
{
    if (ctx_.initialiser.empty())
        ctx_.initialiser = ctx_.programFolder / "zerafin-init";
    if (ctx_.initialiserArguments.isEmpty())
        ctx_.initialiserArguments = {QStringLiteral("--out"), fromPath(ctx_.programFolder)};
    if (!ctx_.endProgram)
        ctx_.endProgram = [] { QCoreApplication::quit(); };
    buildWindow();
}

frmAboutUs::~frmAboutUs()
{
    // A half-built program folder is never left behind by this: the
    // initialiser replaces its files atomically and starts again next time.
    if (initProcess_ && initProcess_->state() != QProcess::NotRunning) {
        initProcess_->disconnect(this);
        initProcess_->kill();
        initProcess_->waitForFinished(2000);
    }
}

void frmAboutUs::buildWindow()
{
    setObjectName(QStringLiteral("frmAboutUs"));
    setWindowTitle(QString::fromUtf8(credits::kWindowTitle));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    label1_ = new QLabel(QString::fromUtf8(credits::kScripture), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont big = label1_->font();
    big.setFamilies({QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    label1_->setFont(big);
    label1_->setAlignment(Qt::AlignCenter);

    label2_ = new QLabel(QString::fromUtf8(credits::kTranslationTitle), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    QFont title = big;
    title.setPointSizeF(big.pointSizeF() * 0.6);
    title.setBold(false);
    title.setItalic(true);
    label2_->setFont(title);
    label2_->setAlignment(Qt::AlignCenter);

    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setAlignment(Qt::AlignCenter);
    label3_->setWordWrap(true);

    label4_ = new QLabel(QString::fromUtf8(credits::kProgramVersion), this);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setAlignment(Qt::AlignCenter);
    QFont version = label4_->font();
    version.setBold(true);
    label4_->setFont(version);

    label7_ = new QLabel(QStringLiteral("Please wait while Zerafin initializes for First Time Use"), this);
    label7_->setObjectName(QStringLiteral("Label7"));
    label7_->setAlignment(Qt::AlignCenter);
    label7_->setWordWrap(true);
    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setRange(0, startup::kProgressMax);
    progressBar1_->setValue(0);
    // Label8 shows the percentage; the bar's own text would say it twice.
    progressBar1_->setTextVisible(false);
    label8_ = new QLabel(QStringLiteral("0%"), this);
    label8_->setObjectName(QStringLiteral("Label8"));
    label8_->setMinimumWidth(label8_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    label8_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QWidget* w : {static_cast<QWidget*>(label7_), static_cast<QWidget*>(progressBar1_), static_cast<QWidget*>(label8_)})
        w->setVisible(false);

    check1_ = new QCheckBox(QStringLiteral("Show at Start-up"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setChecked(true);
    command1_ = new QPushButton(QStringLiteral("Continue"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setVisible(false);
    connect(command1_, &QPushButton::clicked, this, &frmAboutUs::Command1_Click);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(startup::kTimerIntervalMs);
    connect(timer1_, &QTimer::timeout, this, &frmAboutUs::Timer1_Timer);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progressBar1_, 1);
    progressRow->addWidget(label8_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(check1_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(command1_);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(32, 24, 32, 18);
    box->setSpacing(6);
    box->addWidget(label1_);
    box->addWidget(label2_);
    box->addSpacing(14);
    box->addWidget(label3_);
    box->addSpacing(10);
    box->addWidget(label4_);
    box->addSpacing(18);
    box->addStretch(1);
    box->addWidget(label7_);
    box->addLayout(progressRow);
    box->addSpacing(8);
    box->addLayout(buttonRow);
    setFixedWidth(620);
    setMinimumHeight(360);
}

QString frmAboutUs::startupApplication() const { return fromPath(ctx_.programFolder); }

QString frmAboutUs::startupSetting(const QString& key) const
{
    return ctx_.settings ? ctx_.settings->get(startupApplication(), ctx_.programName, key) : QString();
}

void frmAboutUs::setStartupSetting(const QString& key, const QString& value)
{
    if (ctx_.settings)
        ctx_.settings->set(startupApplication(), ctx_.programName, key, value);
}

void frmAboutUs::Form_Load()
{
    if (loaded_)
        return;
    loaded_ = true;

    label3_->setText(QStringList{QString::fromUtf8(credits::kVersionName), QString::fromUtf8(credits::kTranslator),
                                 QString::fromUtf8(credits::kRightsNotice)}
                         .join(u'\n'));
    checkSettingsFolder();

    if (!startup::initialisationComplete(ctx_.programFolder)) {
        if (ctx_.settings)
            ctx_.settings->setProgress(0);
        label7_->setVisible(true);
        progressBar1_->setVisible(true);
        label8_->setVisible(true);
        startInitialiser();
    } else if (ctx_.settings) {
        ctx_.settings->setProgress(progressBar1_->maximum());
    }

    if (!FileExists(startup::markerFile(markerFolder()).string()))
        writeFirstRunRecord();

    backprocess();

    if (startupSetting(QStringLiteral("frmHU")).isEmpty())
        setStartupSetting(QStringLiteral("frmHU"), QStringLiteral("True"));

    timer1_->start();
}

void frmAboutUs::checkSettingsFolder()
{
    if (!ctx_.settings)
        return;
    const QString folder = ctx_.settings->folder();
    const std::string why = startup::unwritableReason(fs::path(folder.toStdString()));
    if (why.empty())
        return;
    settingsUnwritable_ = true;
    // Nothing the reader changes can be kept, but the program works with its
    // defaults: say so, and let the reader go on.
    command1_->setVisible(true);
    command1_->setDefault(true);
    if (ctx_.prompter)
        ctx_.prompter->information(QStringLiteral("Zerafin cannot save its settings in %1:\n%2\n\n"
                                                  "It starts with its default settings, and changes to them "
                                                  "will not be kept.")
                                       .arg(folder, QString::fromStdString(why)));
}

void frmAboutUs::writeFirstRunRecord()
{
    for (const auto& [key, value] : startup::firstRunRecord())
        setStartupSetting(QString::fromUtf8(key.data(), qsizetype(key.size())),
                          QString::fromUtf8(value.data(), qsizetype(value.size())));
    if (ctx_.settings)
        ctx_.settings->set(ctx_.programName, QStringLiteral("about us"), QStringLiteral("startup"), QString());
    // The marker says the record is written; without Help.htm to copy it
    // stays missing and the record is written again next time.
    std::error_code ec;
    const fs::path marker = startup::markerFile(markerFolder());
    fs::create_directories(marker.parent_path(), ec);
    fs::copy_file(startup::helpFile(ctx_.programFolder), marker, fs::copy_options::overwrite_existing, ec);
    if (ec)
        qCInfo(lcStartup) << "first-run marker not written:" << QString::fromStdString(ec.message());
}

void frmAboutUs::backprocess()
{
    if (const QString back = startupSetting(QStringLiteral("txtBack")); !back.isEmpty()) {
        if (const auto colour = storedColour(back)) {
            paintBackground(this, QPalette::Window, *colour);
            paintBackground(check1_, QPalette::Window, *colour);
        }
    }
    if (const QString buttons = startupSetting(QStringLiteral("txtButtons")); !buttons.isEmpty()) {
        if (const auto colour = storedColour(buttons)) {
            QPalette p = command1_->palette();
            p.setColor(QPalette::Button, *colour);
            command1_->setPalette(p);
        }
    }
}

void frmAboutUs::startInitialiser()
{
    if (programRunning(ctx_.initialiser))
        return;
    initProcess_ = new QProcess(this);
    initProcess_->setObjectName(QStringLiteral("initProcess"));
    initProcess_->setProgram(fromPath(ctx_.initialiser));
    initProcess_->setArguments(ctx_.initialiserArguments);
    initProcess_->setProcessChannelMode(QProcess::SeparateChannels);
    initProcess_->setStandardOutputFile(QProcess::nullDevice());
    // The initialiser reports into the default settings store of whoever
    // runs it; point its config folder at ours so we read what it writes.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (ctx_.settings) {
        const QFileInfo folder(ctx_.settings->folder());
        if (folder.fileName() == QLatin1String("zerafin"))
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.absolutePath());
    }
    initProcess_->setProcessEnvironment(env);
    connect(initProcess_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        const QString err = QString::fromLocal8Bit(initProcess_->readAllStandardError()).trimmed();
        if (status == QProcess::NormalExit && code == 0) {
            initialiserFinished(true, {});
        } else if (status == QProcess::NormalExit && code == kInitialiserKeptAside) {
            // Built, but an earlier database could not be carried over and
            // was kept under another name: the reader must hear of it.
            if (ctx_.prompter && !err.isEmpty())
                ctx_.prompter->information(err);
            initialiserFinished(true, {});
        } else {
            initialiserFinished(false, err.isEmpty() ? QStringLiteral("it stopped with status %1").arg(code) : err);
        }
    });
    connect(initProcess_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            initialiserFinished(false, QStringLiteral("%1 could not be started").arg(initProcess_->program()));
    });
    initialiserStarted_ = true;
    initProcess_->start();
}

void frmAboutUs::initialiserFinished(bool ok, const QString& why)
{
    if (ok && startup::initialisationComplete(ctx_.programFolder)) {
        // Normally the initialiser has said 18360 itself; if its report went
        // elsewhere, the finished "css" is proof enough.
        if (ctx_.settings && !startup::readProgress(ctx_.settings->progress().toStdString()).done)
            ctx_.settings->setProgress(startup::kProgressMax);
        return;
    }
    if (initialiserFailed_ || handedOver_)
        return;
    initialiserFailed_ = true;
    const QString reason = ok ? QStringLiteral("it ended without finishing the text database") : why;
    label7_->setText(QStringLiteral("The first-time initialisation did not complete."));
    // The reader can still go on to whatever the program folder holds.
    command1_->setVisible(true);
    command1_->setDefault(true);
    if (ctx_.prompter)
        ctx_.prompter->information(QStringLiteral("The first-time initialisation did not complete:\n%1\n\n"
                                                  "Run zerafin-init from the program folder, or press Continue to "
                                                  "go on without it.")
                                       .arg(reason));
}

void frmAboutUs::Timer1_Timer()
{
    if (settingsUnwritable_) {
        // The progress cannot be read back; the finished "css" says done.
        if (initProcess_ && initProcess_->state() != QProcess::NotRunning)
            return;
        if (!startup::initialisationComplete(ctx_.programFolder))
            return;
        timer1_->stop();
        Command1_Click();
        return;
    }
    const QString stored = ctx_.settings ? ctx_.settings->progress() : QString::number(startup::kProgressMax);
    const auto reading = startup::readProgress(stored.toStdString());
    if (!reading.done) {
        progressBar1_->setValue(reading.barValue);
        label8_->setText(QString::fromStdString(startup::percentText(reading.percent)));
        progressBar1_->repaint();
        return;
    }
    timer1_->stop();
    Command1_Click();
}

QString frmAboutUs::refugeVerse() const
{
    const QString language = ctx_.language ? ctx_.language() : QStringLiteral("English");
    db::Database connection;
    if (!connection.open(db::connectionString(ctx_.programFolder, language.toStdString())))
        return {};
    db::Recordset rs;
    if (!rs.open("SELECT WORDS FROM ZOVRSch where Sura=16 and Verse=98", connection) || rs.eof())
        return {};
    return QString::fromStdString(rs.field(0).toString()).trimmed();
}

void frmAboutUs::Command1_Click()
{
    if (handedOver_)
        return;
    // Continue may be pressed while the timer still waits for the progress.
    timer1_->stop();
    const bool shown = ctx_.showMainWindow && ctx_.showMainWindow();
    if (!shown) {
        // Nothing to hand over to: stay, and let the reader try again.
        command1_->setVisible(true);
        return;
    }
    handedOver_ = true;
    // Either the start-up window's own entry or the main window's check box
    // "Do not display 16:98 at startup" (kept with the main window's
    // settings) keeps the notice away.
    auto ticked = [](const QString& stored) { return db::parseNumber(stored.toStdString()).value_or(0.0) != 0.0; };
    const bool boxTicked = ctx_.settings &&
                           ticked(ctx_.settings->get(ctx_.programName, ctx_.programName, QStringLiteral("seekrefuge.value")));
    if (!ticked(startupSetting(QStringLiteral("seekrefuge"))) && !boxTicked) {
        // Without the text database there is no verse to show, and an
        // empty notice would say nothing.
        const QString verse = refugeVerse();
        if (!verse.isEmpty() && ctx_.prompter)
            ctx_.prompter->information(QStringLiteral("[16:98] ") + verse, QStringLiteral("An Important Commandment*"));
    }
    hide();
    emit continued();
}

void frmAboutUs::closeEvent(QCloseEvent* event)
{
    // The start-up window stays loaded (hidden) while the program runs;
    // unloading it is the end of the program, without saving settings.
    event->accept();
    ctx_.endProgram();
}
