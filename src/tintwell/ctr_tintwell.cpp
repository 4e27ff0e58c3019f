#include "tintwell/ctr_tintwell.h"

#include "tintwell/select_color_dialog.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QtGlobal>

namespace tintwell {

namespace {

// What the last call asked for; kept in the library between calls.
struct Request {
    QString title;
    int color = -1;
};

Request& lastRequest()
{
    static Request request;
    return request;
}

}  // namespace

ctrTintwell::ctrTintwell(QWidget* owner) : QObject(owner) { setObjectName("ctrTintwell"); }

QString ctrTintwell::requestedTitle() { return lastRequest().title; }
int ctrTintwell::requestedColor() { return lastRequest().color; }

int ctrTintwell::ShowColor(const QString& Title, int DefaultColor)
{
    lastRequest() = {Title, DefaultColor};
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning("tintwell: the colour dialog needs a QApplication");
        return -1;
    }
    auto* owner = qobject_cast<QWidget*>(parent());
    // Heap and guarded: the owner may close and take the dialog with it
    // while it is open.
    QPointer<frmMain> dialog = new frmMain(lastRequest().title, lastRequest().color, owner ? owner->window() : nullptr);
    dialog->exec();
    if (!dialog)
        return -1;
    const int color = dialog->Color();
    delete dialog;
    return color;
}

}  // namespace tintwell
