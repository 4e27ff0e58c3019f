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
#include <filesystem>
#include <string>
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

// True when Qt has a display to open: an X or Wayland display, a platform
// that needs none (offscreen, vnc, …), or one chosen on the command line.
bool displayAvailable(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string platform = chosen ? chosen : "";
    if (platform.empty())
        return set("DISPLAY") || set("WAYLAND_DISPLAY");
    // "xcb", "wayland;xcb", "offscreen:fontengine=…": the first the list names.
    const std::string first = platform.substr(0, platform.find_first_of(";:"));
    if (first == "xcb")
        return set("DISPLAY");
    if (first.rfind("wayland", 0) == 0)
        return set("WAYLAND_DISPLAY");
    return true;
}

void usage(FILE* out)
{
    std::fprintf(out,
                 "usage: zerafin [--reader-folder DIR]\n"
                 "  --reader-folder DIR  the reader's folder holding the working copy of the text database with\n"
                 "                       the notes, topics and word groups, and the saved numbers (default:\n"
                 "                       $%s, else $XDG_DATA_HOME/zerafin, else ~/.local/share/zerafin)\n",
                 kReaderFolderVariable);
}

}  // namespace

int main(int argc, char** argv)
{
    std::filesystem::path reader = readerFolder();
    for (int i = 1; i < argc; ++i) {
        if ((std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--reader-folder") == 0) {
            if (i + 1 >= argc) {
                usage(stderr);
                return 2;
            }
            reader = std::filesystem::absolute(argv[++i]);
        }
    }
    if (!displayAvailable(argc, argv)) {
        // Qt would stop with an abort and a page about platform plugins.
        std::fputs("zerafin: there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                   "Run it under a virtual display with `xvfb-run -a make run` (or `xvfb-run -a zerafin`); "
                   "zerafin-cli does the study functions without a window.\n",
                   stderr);
        return 1;
    }
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
    startup.readerFolder = reader;
    startup.initialiser = executableFolder() / "zerafin-init";
    startup.programName = name;
    startup.settings = &settings;
    startup.prompter = &prompter;
    startup.language = [&] { return mainWindow ? QString::fromStdString(mainWindow->state().language) : QStringLiteral("English"); };
    startup.showMainWindow = [&] {
        if (!mainWindow) {
            frmMain::Context context;
            context.programFolder = folder;
            context.readerFolder = reader;
            context.initialiser = executableFolder() / "zerafin-init";
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
