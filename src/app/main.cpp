// Zerafin: the start-up window comes first; when the first-time
// initialisation is complete it hands over to the main window.

#include "app/frm_about_us.h"
#include "app/frm_main.h"
#include "app/program_folder.h"
#include "app/prompter.h"
#include "app/settings_store.h"
#include "app/subsystems.h"

#include <QApplication>
#include <QScreen>

#include <memory>

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
    startup.language = [&] { return mainWindow ? mainWindow->state().language : QStringLiteral("English"); };
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
        return true;
    };

    frmAboutUs start(startup);
    start.Form_Load();
    start.show();
    const int rc = QApplication::exec();
    mainWindow.reset();
    return rc;
}
