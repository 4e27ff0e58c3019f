#pragma once

#include <QApplication>
#include <QString>

#include <string_view>

class frmMain;
class QAbstractButton;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// What the two number panels share: the scrolling page they are built on,
// buttons that run the main window's commands, and the wait cursor.
namespace numbers_ui {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

template <typename W>
W* named(W* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

// The panel's content scrolls rather than crushing its controls in a
// short window; returns the layout of the page inside the scroll area.
QVBoxLayout* scrollingPage(QWidget& panel);

// A bold heading.
QLabel* heading(const QString& text, QWidget* parent);

// Clicking the button runs the main window's command of that name (so a
// failing command cannot take the window with it).
void bindCommand(frmMain& main, QAbstractButton* button, const QString& command);

// The wait cursor while a long command runs.
class WaitCursor {
public:
    explicit WaitCursor(bool on = true) : on_(on)
    {
        if (on_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (on_)
            QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool on_;
};

}  // namespace numbers_ui
