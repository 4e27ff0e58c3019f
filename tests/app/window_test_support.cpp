#include "window_test_support.h"

#include "db/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QThread>
#include <QWidget>

#include <cstdlib>
#include <stdexcept>

namespace app_tests {

using namespace testing_support;

bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

QString refugeVerseText() { return QStringLiteral("When you recite the test text, first seek refuge in the test words."); }

void makeProgramFolder(const std::filesystem::path& folder, long cssBytes)
{
    std::filesystem::create_directories(folder / "Files");
    writeFile(folder / "Files" / "Help.htm", "<html><body>Tutorial of the test program folder.</body></html>");
    buildFixtureDatabase(folder / "English.ttb", {"text_small"});
    db::Database db;
    if (!db.openFile(folder / "English.ttb") ||
        !db.execute("INSERT INTO ZOVRSch (Sura, Verse, Words) VALUES (16, 98, '" +
                    refugeVerseText().toStdString() + "')"))
        throw std::runtime_error("cannot add 16:98: " + db.lastError());
    if (cssBytes >= 0)
        writeFile(folder / "css", std::string(static_cast<size_t>(cssBytes), 'c'));
}

void saveShot(QWidget& widget, const QString& name)
{
    const char* dir = std::getenv("ZF_SHOT_DIR");
    if (!dir || !*dir)
        return;
    widget.grab().save(QString::fromLocal8Bit(dir) + u'/' + name + QStringLiteral(".png"));
}

}  // namespace app_tests
