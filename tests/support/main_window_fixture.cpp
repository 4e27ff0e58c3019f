#include "support/main_window_fixture.h"

#include "app/subsystems.h"
#include "reading/reading_view.h"
#include "support/program_folder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace testing_support {

namespace {

// Building a program folder takes a moment; build it once per test program
// and give every window a copy.
const std::filesystem::path& templateFolder()
{
    static TempDir dir;
    static bool built = false;
    if (!built) {
        makeTestProgramFolder(dir.path());
        built = true;
    }
    return dir.path();
}

}  // namespace

MainWindowFixture::MainWindowFixture(bool load, bool readerFolder) : settings_(QString::fromStdString((dir_ / "settings").string()))
{
    std::filesystem::copy(templateFolder(), dir_.path(), std::filesystem::copy_options::recursive);
    frmMain::Context context;
    context.programFolder = dir_.path();
    if (readerFolder)
        context.readerFolder = this->readerFolder();
    context.programName = QStringLiteral("zerafin");
    context.settings = &settings_;
    context.prompter = &prompter_;
    main_ = std::make_unique<frmMain>(context);
    installSubsystems(*main_);
    main_->resize(1400, 900);
    main_->show();
    QApplication::setActiveWindow(main_.get());
    if (load)
        main_->Form_Load();
    settle();
}

MainWindowFixture::~MainWindowFixture() = default;

bool MainWindowFixture::press(const QString& objectName)
{
    if (auto* b = main_->findChild<QAbstractButton*>(objectName)) {
        if (!b->isEnabled())
            return false;
        b->click();
        settle();
        return true;
    }
    if (auto* a = main_->findChild<QAction*>(objectName)) {
        if (!a->isEnabled())
            return false;
        a->trigger();
        settle();
        return true;
    }
    return false;
}

void MainWindowFixture::key(int key, QWidget* target, Qt::KeyboardModifiers modifiers)
{
    if (!target)
        target = QApplication::focusWidget() ? QApplication::focusWidget() : main_.get();
    if (target != QApplication::focusWidget())
        target->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
    settle();
}

QString MainWindowFixture::msgText()
{
    return QString::fromStdString(main_->reading().msg()->model().text());
}

void MainWindowFixture::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

}  // namespace testing_support
