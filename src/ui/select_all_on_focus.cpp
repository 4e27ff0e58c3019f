#include "ui/select_all_on_focus.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QTimer>

namespace {

class SelectAllFilter : public QObject {
public:
    explicit SelectAllFilter(QLineEdit* edit) : QObject(edit), edit_(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Deferred: a mouse click that gave the focus would place the caret
        // after us and undo the selection.
        if (watched == edit_ && event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, edit_, &QLineEdit::selectAll);
        return false;
    }

private:
    QLineEdit* edit_;
};

}  // namespace

void selectAllOnFocus(QLineEdit* edit)
{
    if (edit)
        edit->installEventFilter(new SelectAllFilter(edit));
}
