#pragma once

#include <QApplication>
#include <QString>

#include <string_view>

class QFormLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// What the side panels share: the scrolling page they are built on, the
// heading, and the wait cursor.
namespace ui {

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
// A panel's title: bold, the panel's own font size.
QLabel* title(const QString& text, QWidget* parent);

// A form of labelled boxes that scrolls inside the panel (no frame, no
// horizontal bar); the scroll area goes into the panel's layout.
struct ScrolledForm {
    QScrollArea* scroll = nullptr;
    QFormLayout* form = nullptr;
};
ScrolledForm scrolledForm(QWidget& panel);

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

}  // namespace ui
