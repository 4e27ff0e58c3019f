// Zerafin: the start-up window comes first; when the first-time
// initialisation is complete it hands over to the main window.

#include "app/frm_about_us.h"
#include "app/frm_main.h"
#include "core/program_folder.h"
#include "shell/prompter.h"
#include "core/settings_store.h"
#include "app/subsystems.h"

#include "reading/reading_view.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {

// Milliseconds since this process started (the kernel's start time of the
// process, so loading the libraries counts too).
double msSinceProcessStart()
{
    FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f)
        return -1;
    char buf[1024] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = 0;
    // Field 22 (start time in clock ticks since boot) follows the ")" of the name.
    const char* p = std::strrchr(buf, ')');
    unsigned long long start = 0;
    for (int field = 2; p && *p && field < 22; ++p)
        if (*p == ' ')
            ++field;
    if (p)
        start = std::strtoull(p, nullptr, 10);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - start * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv)
{
    // The document pane (WebEngine) shares OpenGL contexts with the window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zerafin"));

    SettingsStore settings;
    QtPrompter prompter;
    const auto folder = programFolder();
    const QString name = QString::fromStdString(programName());
    std::unique_ptr<frmMain> mainWindow;

    StartupContext startup;
    startup.programFolder = folder;
    startup.programName = name;
    startup.settings = &settings;
    startup.prompter = &prompter;
    startup.language = [&] { return mainWindow ? QString::fromStdString(mainWindow->state().language) : QStringLiteral("English"); };
    startup.showMainWindow = [&] {
        if (!mainWindow) {
            frmMain::Context context;
            context.programFolder = folder;
            context.programName = name;
            context.settings = &settings;
            context.prompter = &prompter;
            context.endProgram = [] { QCoreApplication::quit(); };
            mainWindow = std::make_unique<frmMain>(context);
            installSubsystems(*mainWindow);
            prompter.setParent(mainWindow.get());
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            mainWindow->setGeometry(screen.x(), screen.y(), std::min(1400, screen.width()),
                                    std::min(900, screen.height()));
            mainWindow->Form_Load();
        }
        mainWindow->show();
        if (std::getenv("ZERAFIN_REPORT_STARTUP")) {
            // For measuring start-up: the first verse on screen, then stop.
            mainWindow->reading().flushViews();
            mainWindow->repaint();
            std::printf("first verse shown after %.1f ms\n", msSinceProcessStart());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return true;
    };

    frmAboutUs start(startup);
    start.Form_Load();
    start.show();
    const int rc = QApplication::exec();
    mainWindow.reset();
    return rc;
}
