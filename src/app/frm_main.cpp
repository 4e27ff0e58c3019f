#include "app/frm_main.h"

#include "db/working_copy.h"
#include "ui/panel_frame.h"
#include "ui/panel_support.h"
#include "shell/commands.h"

#include "app/column_delegate.h"
#include "app/control_settings.h"
#include "app/frame_settings.h"
#include "app/frm_au.h"
#include "app/main_layout_apply.h"
#include "shell/prompter.h"
#include "app/settings_persistence.h"
#include "core/settings_store.h"
#include "ui/wrap_button.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "reading/companion_texts.h"
#include "reading/reading_view.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

using ui::qs;
using ui::named;

namespace {


// The function keys and the commands they run, by Qt key code.
const QHash<int, QString>& functionKeyCommands()
{
    static const QHash<int, QString> keys = [] {
        QHash<int, QString> out;
        for (const auto& k : layout::functionKeys()) {
            QString key = qs(k.key);
            int code = 0;
            if (key == QLatin1String("Escape"))
                code = Qt::Key_Escape;
            else if (key.startsWith(u'F'))
                code = Qt::Key_F1 + key.mid(1).toInt() - 1;
            if (code)
                out.insert(code, qs(k.command));
        }
        return out;
    }();
    return keys;
}

}  // namespace

frmMain::frmMain(Context context, QWidget* parent) : QMainWindow(parent), ctx_(std::move(context))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Prompter::programTitle());
    state_.programFolder = ctx_.programFolder;
    state_.readerFolder = ctx_.readerFolder;
    state_.prompter = ctx_.prompter;
    state_.settings = ctx_.settings;
    controls_ = std::make_unique<ControlSettings>();

    auto* central = named(new QWidget(this), QStringLiteral("central"));
    setCentralWidget(central);
    buildTopBar(central);
    buildLeftFrame(central);
    buildRightFrame(central);
    buildBottomBar(central);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    reading_->attachStatusBar(statusBar());

    about_ = new frmAU(this);
    setCommand(cmd::mnuAbout_Click, [this] { mnuAbout_Click(); });
    setCommand(cmd::mnuSettings_Click, [this] { mnuSettings_Click(); });
    setCommand(cmd::Command17_Click, [this] { Command17_Click(); });
    setCommand(cmd::leftframeclose_Click, [this] { leftframeclose_Click(); });
    buildZoomKeys();

    const double dpi = logicalDpiX();
    setMinimumSize(layout::twipsToPixels(layout::kMinimumWidth, dpi), layout::twipsToPixels(layout::kMinimumHeight, dpi));
    qApp->installEventFilter(this);
    refreshCommandStates();
}

frmMain::~frmMain()
{
    // The order matters: key events may still arrive while parts go away,
    // and the subsystems watch the verse list and hold on to the reading
    // view. So first stop listening, then take the subsystems down while
    // everything they watch still stands; the widgets go after them.
    qApp->removeEventFilter(this);
    verseListKeys_ = nullptr;
    while (!subsystems_.empty()) {
        delete subsystems_.back().data();
        subsystems_.pop_back();
    }
    commands_.clear();
}

void frmMain::adoptSubsystem(QObject* subsystem)
{
    if (!subsystem)
        return;
    subsystem->setParent(this);
    subsystems_.emplace_back(subsystem);
}

reading::DisplaySettings& frmMain::displaySettings() { return *controls_; }
reading::HighlightSettings& frmMain::highlightSettings() { return *controls_; }

QListWidget* frmMain::verseList() const { return reading_->verseList(); }

// ---------------------------------------------------------------- building

void frmMain::buildTopBar(QWidget* central)
{
    for (const auto& c : layout::topBar()) {
        const QString name = qs(c.name);
        if (name == QLatin1String("comboApp")) {
            sqCh_ = named(new QComboBox(central), QStringLiteral("sqCh"));
            sqCh_->setMaxVisibleItems(20);
            sqCh_->setToolTip(QStringLiteral("Choose a sura"));
            // Number, name and verse count in columns, in any font.
            sqCh_->setItemDelegate(new ColumnDelegate(
                QRegularExpression(QStringLiteral("^(Sura\\s+(?:\\d+|No\\.))\\s+(.+?)\\s+(\\[V(?:\\.\\d+|erses)\\])$")),
                sqCh_));
            connect(sqCh_, qOverload<int>(&QComboBox::activated), this,
                    [this](int) { runCommand(cmd::sqCh_Click); });
            comboApp_ = named(new QComboBox(central), QStringLiteral("comboApp"));
            comboApp_->setPlaceholderText(QStringLiteral("Select to open Appendix from the list"));
            comboApp_->hide();
            connect(comboApp_, qOverload<int>(&QComboBox::activated), this,
                    [this](int) { runCommand(cmd::comboApp_Click); });
            continue;
        }
        auto* b = named(new WrapButton(qs(c.caption), central), name);
        b->setFocusPolicy(Qt::TabFocus);
        bindCommand(b, name + QStringLiteral("_Click"));
    }
}

void frmMain::buildLeftFrame(QWidget* central)
{
    leftFrame_ = named(new QFrame(central), QStringLiteral("LeftFrame"));
    leftFrame_->setFrameShape(QFrame::NoFrame);
    leftframeclose_ = named(new QPushButton(QStringLiteral("X"), leftFrame_), QStringLiteral("leftframeclose"));
    leftframeclose_->setToolTip(QStringLiteral("Close or open the side panel (Esc closes it)"));
    leftframeclose_->setFocusPolicy(Qt::NoFocus);
    bindCommand(leftframeclose_, cmd::leftframeclose_Click);

    for (auto name : layout::sidePanels()) {
        if (name == "frameSettings" || name == "frameSearchAdv")
            continue;
        // An empty panel until its subsystem installs its own in its place.
        (new PanelFrame(qs(name), leftFrame_))->hide();
    }
    frameSettings_ = new FrameSettings(ctx_.programFolder, *ctx_.prompter, leftFrame_);
    frameSettings_->setReaderFolder(ctx_.readerFolder);
    frameSettings_->hide();
    bindCommand(frameSettings_->findChild<QPushButton*>(QStringLiteral("Command17")), cmd::Command17_Click);
}

void frmMain::buildRightFrame(QWidget* central)
{
    rightFrame_ = named(new QFrame(central), QStringLiteral("RightFrame"));
    rightFrame_->setFrameShape(QFrame::NoFrame);
    reading_ = new ReadingView(state_, *controls_, *controls_, rightFrame_);
    // Measured once the list has its entries: a list is filled in one
    // command, so one turn of the event loop later.
    auto* listTimer = new QTimer(this);
    listTimer->setSingleShot(true);
    listTimer->setInterval(0);
    connect(listTimer, &QTimer::timeout, this, &frmMain::measureVerseList);
    QAbstractItemModel* listModel = reading_->verseList()->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(listModel, signal, listTimer, qOverload<>(&QTimer::start));
    connect(listModel, &QAbstractItemModel::modelReset, listTimer, qOverload<>(&QTimer::start));

    // Footnotes and notes have their own side panel in the left column; the
    // topics subsystem installs the full panel (with "UPDATE MY NOTES").
    auto* footnotes = leftFrame_->findChild<QFrame*>(QStringLiteral("frameFootnotes"));
    auto* box = new QVBoxLayout(footnotes);
    reading_->lblNotes()->setParent(footnotes);
    reading_->rtfFootnote()->setParent(footnotes);
    box->addWidget(reading_->lblNotes());
    box->addWidget(reading_->rtfFootnote(), 1);

    // The suras in the order of revelation.
    auto* rev = leftFrame_->findChild<QFrame*>(QStringLiteral("frameRev"));
    auto* revBox = new QVBoxLayout(rev);
    revBox->addWidget(new QLabel(QStringLiteral("Suras in Revelation Order:"), rev));
    sqRv_ = named(new QListWidget(rev), QStringLiteral("sqRv"));
    revBox->addWidget(sqRv_, 1);
    sqRv_->setItemDelegate(new ColumnDelegate(QRegularExpression(QStringLiteral("^(Sura\\s+\\d+)\\s+(.+)$")), sqRv_));
    connect(sqRv_, &QListWidget::itemClicked, this, [this] { runCommand(cmd::sqRv_Click); });
    connect(sqRv_, &QListWidget::itemActivated, this, [this] { runCommand(cmd::sqRv_Click); });

    for (auto* b : {reading_->command2(), reading_->command3(), reading_->command8(), reading_->command9(),
                    reading_->cmdGoBack()})
        bindCommand(b, b->objectName() + QStringLiteral("_Click"));
    connect(reading_->cmbList(), qOverload<int>(&QComboBox::activated), this,
            [this](int) { runCommand(cmd::cmbList_Click); });
}

void frmMain::buildBottomBar(QWidget* central)
{
    auto* bottom = named(new QFrame(central), QStringLiteral("bottomFrame"));
    bottom->setFrameShape(QFrame::NoFrame);
    for (const auto& b : layout::bottomBar()) {
        auto* button = named(new WrapButton(qs(b.caption), bottom), qs(b.name));
        button->setFocusPolicy(Qt::TabFocus);
        bindCommand(button, qs(b.name) + QStringLiteral("_Click"));
    }
}

void frmMain::buildMenus()
{
    for (const auto& m : layout::menus()) {
        const QString name = qs(m.name);
        if (m.entries.empty()) {
            // The menu-bar item is itself the command.
            QAction* a = menuBar()->addAction(qs(m.caption));
            a->setObjectName(name);
            bindCommand(a, name + QStringLiteral("_Click"));
            continue;
        }
        QMenu* menu = m.popupOnly ? new QMenu(qs(m.caption), this) : menuBar()->addMenu(qs(m.caption));
        menu->setObjectName(name);
        if (m.popupOnly)
            popups_.insert(name, menu);
        for (const auto& e : m.entries) {
            if (e.separator()) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(qs(e.caption));
            a->setObjectName(qs(e.name));
            bindCommand(a, qs(e.name) + QStringLiteral("_Click"));
        }
    }
    reading_->msg()->setPopupMenu(popups_.value(QStringLiteral("mnuRC")));
}

// ---------------------------------------------------------------- commands

void frmMain::bindCommand(QObject* control, const QString& command)
{
    if (!control)
        return;
    if (auto* a = qobject_cast<QAction*>(control))
        connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    else if (auto* b = qobject_cast<QAbstractButton*>(control))
        connect(b, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
    commandControls_.insert(command, control);
}

void frmMain::setCommand(const QString& name, Command command)
{
    commands_.insert(name, std::move(command));
    refreshCommandStates();
}

void frmMain::bindButton(QAbstractButton* button, const QString& command)
{
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
    panelCommands_.insert(command);
}

bool frmMain::runCommand(const QString& name)
{
    auto it = commands_.constFind(name);
    if (it == commands_.constEnd() || !*it)
        return false;
    // A command that fails part-way must not take the window with it.
    try {
        (*it)();
    } catch (const std::exception& e) {
        qWarning("zerafin: %s stopped: %s", qPrintable(name), e.what());
    }
    return true;
}

void frmMain::refreshCommandStates()
{
    for (auto it = commandControls_.cbegin(); it != commandControls_.cend(); ++it) {
        const bool there = commands_.contains(it.key());
        if (auto* a = qobject_cast<QAction*>(it.value()))
            a->setEnabled(there);
        else if (auto* w = qobject_cast<QWidget*>(it.value()))
            w->setEnabled(there);
    }
}

QMenu* frmMain::popupMenu(const QString& name) const { return popups_.value(name); }

QStringList frmMain::registeredCommands() const
{
    QStringList names = commands_.keys();
    names.sort();
    return names;
}

QStringList frmMain::boundCommands() const
{
    QStringList names = commandControls_.uniqueKeys();
    names += QStringList(panelCommands_.cbegin(), panelCommands_.cend());
    for (const auto& k : layout::functionKeys())
        names << qs(k.command);
    names.removeDuplicates();
    names.sort();
    return names;
}

// ---------------------------------------------------------------- panels

void frmMain::installPanel(QWidget* panel)
{
    if (!panel)
        return;
    if (auto* old = leftFrame_->findChild<QWidget*>(panel->objectName(), Qt::FindDirectChildrenOnly);
        old && old != panel)
        delete old;
    panel->setParent(leftFrame_);
    panel->hide();
    Form_Resize();
}

QWidget* frmMain::sidePanel(const QString& name) const
{
    return leftFrame_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void frmMain::showSidePanel(const QString& name)
{
    ExpandLeftFrame();
    for (auto panelName : layout::sidePanels())
        if (QWidget* p = sidePanel(qs(panelName)))
            p->setVisible(qs(panelName) == name);
}

// ---------------------------------------------------------------- start and end

void frmMain::openConnection()
{
    state_.verseRs.close();
    state_.footnoteRs.close();
    state_.generalRs.close();
    state_.connection.close();
    state_.language = frameSettings_->cmbLang()->currentText().toStdString();
    databaseFile_ = db::dataSourceOf(db::connectionString(ctx_.programFolder, state_.language));
    if (!ctx_.readerFolder.empty()) {
        // The reader's notes and topics go into their own copy, made or
        // brought up to date from the program's text database first.
        const auto copy = db::prepareWorkingCopy(databaseFile_, ctx_.readerFolder / databaseFile_.filename());
        databaseFile_ = copy.file;
        if (!copy.notice.empty())
            ctx_.prompter->information(QString::fromStdString(copy.notice));
        if (copy.state == db::WorkingCopy::State::Unavailable) {
            // The program's own file, shown but never written: a note saved
            // now fails with a message instead of going where it does not belong.
            state_.connection.openFile(databaseFile_, db::Database::Mode::ReadOnly);
            return;
        }
    }
    state_.connection.open(db::connectionString(databaseFile_.parent_path(), state_.language));
}

void frmMain::followSettingsControls() { controls_->bind(*this); }

bool frmMain::Form_Load()
{
    loading_ = true;
    followSettingsControls();
    LoadSettings(*this, *ctx_.settings, ctx_.programName);
    SquezeLeftFrame();
    reading_->wb()->navigate(QStringLiteral("about:blank"));
    openConnection();
    offerInitialisation();
    setVariables();
    state_.random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    fillSuraLists();
    chooseRandomSura();
    loading_ = false;
    return state_.connection.isOpen();
}

QString frmMain::textDatabaseProblem()
{
    const std::filesystem::path& file = databaseFile_;
    const QString name = QString::fromStdString(file.string());
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return QStringLiteral("The text database %1 is missing.").arg(name);
    if (!state_.connection.isOpen())
        return QStringLiteral("The text database %1 cannot be opened: %2.")
            .arg(name, QString::fromStdString(state_.connection.lastError()));
    db::Recordset rs;
    if (!rs.open("SELECT count(*) FROM ZOVR", state_.connection) || rs.eof())
        return QStringLiteral("The file %1 is not a Zerafin text database.").arg(name);
    if (rs.field(0).toInt() == 0)
        return QStringLiteral("The text database %1 holds no verses.").arg(name);
    return {};
}

void frmMain::offerInitialisation()
{
    const QString problem = textDatabaseProblem();
    if (problem.isEmpty())
        return;
    // Without the text there is nothing to read: say why, and offer the
    // same first-time initialisation the start-up window runs.
    if (!ctx_.prompter->askYesNo(problem + QStringLiteral("\n\nZerafin shows nothing without it. Build it now with the "
                                                          "first-time initialisation? This takes a few seconds.")))
        return;
    QString failure;
    if (runInitialiser(failure)) {
        openConnection();
        failure = textDatabaseProblem();
    }
    if (!failure.isEmpty())
        ctx_.prompter->information(QStringLiteral("The text database could not be built.\n\n") + failure);
}

bool frmMain::runInitialiser(QString& failure)
{
    state_.verseRs.close();
    state_.footnoteRs.close();
    state_.generalRs.close();
    state_.connection.close();
    const std::filesystem::path program =
        ctx_.initialiser.empty() ? ctx_.programFolder / "zerafin-init" : ctx_.initialiser;
    QProcess init;
    init.setProcessChannelMode(QProcess::MergedChannels);
    const QString folder = QString::fromStdString(ctx_.programFolder.string());
    init.start(QString::fromStdString(program.string()),
               {QStringLiteral("--out"), folder, QStringLiteral("--language"), QString::fromStdString(state_.language),
                QStringLiteral("--no-progress")});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool finished = init.waitForStarted(5000) && init.waitForFinished(120000);
    QApplication::restoreOverrideCursor();
    if (finished && init.exitStatus() == QProcess::NormalExit && init.exitCode() == 0)
        return true;
    const QString output = QString::fromLocal8Bit(init.readAll()).trimmed();
    failure = !finished && init.error() == QProcess::FailedToStart
                  ? QStringLiteral("%1 could not be started: %2").arg(QString::fromStdString(program.string()), init.errorString())
                  : output.section(QLatin1Char('\n'), -3);
    if (failure.isEmpty())
        failure = init.errorString();
    return false;
}

void frmMain::setVariables()
{
    state_.SearchTables = db::searchTables();
    state_.wideReading = 0;
    state_.keepHeader = false;
    state_.loadingList = false;
}

void frmMain::chooseRandomSura()
{
    if (sqCh_->count() < 3)
        return;
    state_.startFlag = 1;
    const int index = static_cast<int>((sqCh_->count() - 2) * state_.nextRandom()) + 1;
    setSuraIndex(index);
}

void frmMain::setSuraIndex(int index)
{
    if (index < 0 || index >= sqCh_->count())
        return;
    {
        const QSignalBlocker quiet(sqCh_);
        sqCh_->setCurrentIndex(index);
    }
    runCommand(cmd::sqCh_Click);
}

void frmMain::Form_KeyUp(int key)
{
    if (key == Qt::Key_Escape && !leftExpanded_)
        return;
    auto it = functionKeyCommands().constFind(key);
    if (it != functionKeyCommands().constEnd())
        runCommand(*it);
}

void frmMain::mnuAbout_Click()
{
    about_->Form_Load();
    about_->show();
    about_->raise();
}

void frmMain::mnuSettings_Click()
{
    showSidePanel(QStringLiteral("frameSettings"));
    frameSettings_->focusFirst();
}

void frmMain::Command17_Click()
{
    const auto result = frameSettings_->Command17_Click();
    const bool otherOpen = frameSettings_->cmbLang()->currentText().toStdString() != state_.language;
    if (result == FrameSettings::DoneResult::Reload ||
        (result == FrameSettings::DoneResult::Redisplay && otherOpen)) {
        // Another text database: open it and start again as at load.
        Form_Load();
        return;
    }
    if (result != FrameSettings::DoneResult::Redisplay)
        return;
    leftframeclose_Click();
    verseList()->setFocus();
    redisplay();
}

void frmMain::redisplay()
{
    QListWidget* list = verseList();
    if (QListWidgetItem* item = list->currentItem()) {
        item->setSelected(true);
        state_.curVerseIdx = list->currentRow();
    }
    reading_->OpenVerse();
}

void frmMain::buildZoomKeys()
{
    const struct {
        const char* name;
        QList<QKeySequence> keys;
        int steps;
    } zooms[] = {
        {"zoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1},
        {"zoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1},
        {"zoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0},
    };
    for (const auto& z : zooms) {
        auto* a = named(new QAction(this), QString::fromLatin1(z.name));
        a->setShortcuts(z.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        const int steps = z.steps;
        connect(a, &QAction::triggered, this, [this, steps] { changeVerseSize(steps); });
        addAction(a);
    }
}

void frmMain::changeVerseSize(int steps)
{
    const bool changed = steps == 0 ? frameSettings_->resetVerseSize() : frameSettings_->stepVerseSize(steps);
    // The size is a display setting like any other: the verses shown are
    // shown again in it, and it is kept with the settings.
    if (changed && reading_->lblPage()->text() != QLatin1String("PAGES") && verseList()->count() > 0)
        redisplay();
}

void frmMain::SaveSettings() { ::SaveSettings(*this, *ctx_.settings, ctx_.programName); }

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        SaveSettings();
        about_->hide();
    }
    event->accept();
    QMainWindow::closeEvent(event);
    if (ctx_.endProgram)
        ctx_.endProgram();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The status bar grows when a panel wraps its text; the frames above it
    // are laid out again to make room.
    if (event->type() == QEvent::Resize && watched == statusBar() && !closing_)
        QTimer::singleShot(0, this, &frmMain::Form_Resize);
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        // Every key released in this window reaches Form_KeyUp once: at its
        // first receiver. Keys released in the verse list are the list's own;
        // it passes on the ones the window should see.
        const bool firstReceiver = w && (w == QApplication::focusWidget() || (!QApplication::focusWidget() && w == this));
        const bool functionKey = functionKeyCommands().contains(key->key());
        if (event->type() == QEvent::KeyPress) {
            // A function key belongs to the window whatever has the focus: a
            // drop-down must not open on F4, nor a list start editing on F2.
            // Only a key pressed here counts when it is released, so the Esc
            // that closes a drop-down's list does not close the panel too.
            if (firstReceiver && functionKey && !key->isAutoRepeat()) {
                if (w->window() == this)
                    pressedKeys_.insert(key->key());
                return key->key() != Qt::Key_Escape && w->window() == this;
            }
            return QMainWindow::eventFilter(watched, event);
        }
        if (functionKey && firstReceiver && !key->isAutoRepeat() && !pressedKeys_.remove(key->key()))
            return QMainWindow::eventFilter(watched, event);
        if (firstReceiver && !key->isAutoRepeat() && w->window() == this) {
            QListWidget* list = verseList();
            if ((w == list || w == list->viewport()) && verseListKeys_) {
                verseListKeys_(key->key(), key->modifiers());
            } else {
                Form_KeyUp(key->key());
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- layout

layout::MainLayout frmMain::currentLayout() const
{
    const double dpi = logicalDpiX();
    layout::WindowState s;
    s.width = layout::pixelsToTwips(width(), dpi);
    s.height = layout::pixelsToTwips(height(), dpi);
    s.leftExpanded = leftExpanded_;
    s.wideReading = state_.wideReading;
    s.listWidth = layout::pixelsToTwips(listWidth_, dpi);
    s.menuBarHeight = layout::pixelsToTwips(menuBar()->sizeHint().height(), dpi);
    // The status bar's height is set to what its panels need (one line, or
    // two when one wraps); its size hint knows nothing of that.
    const int statusHeight = statusBar()->minimumHeight() > 0 ? statusBar()->minimumHeight() : statusBar()->sizeHint().height();
    s.statusBarHeight = layout::pixelsToTwips(statusHeight, dpi);
    return layout::computeLayout(s);
}

void frmMain::measureVerseList()
{
    // The list is as wide as its longest entry needs: a reference such as
    // "2:105" or a category row must never be cut.
    QListWidget* list = verseList();
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list->item(i)->text()));
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int needed = widest + indicator + scrollBar + 2 * list->frameWidth() + 16;
    if (needed == listWidth_)
        return;
    listWidth_ = needed;
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const double dpi = logicalDpiX();
    const auto l = currentLayout();
    if (l.windowWidth != layout::pixelsToTwips(width(), dpi) && !isMaximized() && !isFullScreen())
        resize(std::max(width(), layout::twipsToPixels(l.windowWidth, dpi)), height());
    applyLayout(*centralWidget(), l, dpi);
    leftframeclose_->setText(QString::fromStdString(l.leftframecloseCaption));
    // A collapsed column has no room for a panel; the one it had comes back
    // when the column opens again.
    if (!leftExpanded_)
        for (auto name : layout::sidePanels())
            if (QWidget* p = sidePanel(qs(name)); p && !p->isHidden()) {
                lastPanel_ = qs(name);
                p->hide();
            }
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::ExpandLeftFrame()
{
    leftExpanded_ = true;
    Form_Resize();
    const auto shown = [this] {
        for (auto name : layout::sidePanels())
            if (QWidget* p = sidePanel(qs(name)); p && !p->isHidden())
                return true;
        return false;
    };
    if (!lastPanel_.isEmpty() && !shown())
        if (QWidget* p = sidePanel(lastPanel_))
            p->show();
}

void frmMain::SquezeLeftFrame()
{
    leftExpanded_ = false;
    Form_Resize();
}

void frmMain::leftframeclose_Click()
{
    // The column's state is leftExpanded_; the button's caption only shows it.
    if (leftExpanded_) {
        if (auto* dispFN = control<QCheckBox>(QStringLiteral("dispFN")))
            dispFN->setChecked(false);
        if (reading_->mode() != ListMode::Pages)
            reading_->showCurrentEntry();
        SquezeLeftFrame();
        verseList()->setFocus();
    } else {
        ExpandLeftFrame();
        if (QWidget* search = sidePanel(QStringLiteral("frameSearch")); search && search->isVisible())
            if (QWidget* box = control(QStringLiteral("txtSearch")))
                box->setFocus();
    }
}

// ---------------------------------------------------------------- sura lists

QStringList frmMain::suraEntries(db::Database& db)
{
    QStringList out;
    out << QStringLiteral("Sura No.         Name                 [Verses]");
    db::Recordset rs;
    if (!rs.open("SELECT s.ChOrder, s.Words, (SELECT max(z.Verse) FROM ZOVR z WHERE z.Sura = s.ChOrder) "
                 "FROM SuraTable s WHERE s.ChOrder BETWEEN 1 AND 114 ORDER BY s.ChOrder",
                 db))
        return out;
    // Padded into the columns of the header line: number, name, verse count.
    for (; !rs.eof(); rs.moveNext())
        out << QStringLiteral("Sura %1").arg(rs.field(0).toInt()).leftJustified(17) +
                   QString::fromStdString(rs.field(1).toString()).leftJustified(20) + QStringLiteral(" [V.%1]").arg(
                       QString::fromStdString(rs.field(2).toString()));
    return out;
}

QStringList frmMain::revelationEntries(db::Database& db)
{
    QStringList out;
    db::Recordset rs;
    if (!rs.open("SELECT ChOrder, Words FROM SuraTable WHERE ChOrder BETWEEN 1 AND 114 ORDER BY RvOrder", db))
        return out;
    // "Sura", two spaces, the number, three spaces, the name: characters 6 to 9
    // always hold the number.
    for (; !rs.eof(); rs.moveNext())
        out << QStringLiteral("Sura  %1   %2").arg(rs.field(0).toInt()).arg(QString::fromStdString(rs.field(1).toString()));
    return out;
}

void frmMain::fillSuraLists()
{
    {
        const QSignalBlocker quiet(sqCh_);
        sqCh_->clear();
        sqCh_->addItems(suraEntries(state_.connection));
    }
    // The open list is as wide as its longest entry, whatever the box's width.
    sqCh_->view()->setMinimumWidth(sqCh_->view()->sizeHintForColumn(0) + 24);
    sqRv_->clear();
    sqRv_->addItems(revelationEntries(state_.connection));
    comboApp_->clear();
    for (const std::string& entry : reading::appendixEntries(state_.connection))
        comboApp_->addItem(qs(entry));
    comboApp_->setCurrentIndex(-1);
}
