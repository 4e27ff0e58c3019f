#include "export/frm_display.h"

#include "export/save_dialog.h"
#include "reading/rich_text_pane.h"
#include "reading/web_pane.h"
#include "shell/prompter.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

namespace {

// The display's twips at this window's resolution.
double dpiOf(const QWidget& w)
{
    const double dpi = w.logicalDpiX();
    return dpi > 0 ? dpi : 96.0;
}

int toTwips(int pixels, double dpi) { return static_cast<int>(pixels * 1440.0 / dpi + 0.5); }
int toPixels(int twips, double dpi) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); }

}  // namespace

frmDisplay::frmDisplay(Prompter& prompter, QWidget* parent) : QMainWindow(parent), prompter_(prompter)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowFlag(Qt::Window, true);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmDisplayCentral"));
    setCentralWidget(central);
    rtf_ = new RichTextPane(central);
    rtf_->setObjectName(QStringLiteral("rtf"));
    wb_ = new WebPane(central);
    wb_->setObjectName(QStringLiteral("wb"));
    wb_->hide();

    save_ = menuBar()->addAction(QStringLiteral("Save to File"));
    save_->setObjectName(QStringLiteral("mnuSaveToFile"));
    connect(save_, &QAction::triggered, this, [this] { mnuSaveToFile_Click(); });
    close_ = menuBar()->addAction(QStringLiteral("Close Window"));
    close_->setObjectName(QStringLiteral("close_win"));
    connect(close_, &QAction::triggered, this, [this] { close_win_Click(); });
    // Esc hides the window wherever the focus is in it (the web pane keeps
    // the keys it is given; this reaches it first).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { close_win_Click(); });

    // A size that shows a passage well; the reader resizes it at will.
    resize(toPixels(9000, dpiOf(*this)), toPixels(7000, dpiOf(*this)));
}

void frmDisplay::setCaption(const QString& caption) { setWindowTitle(caption); }

void frmDisplay::showPane(Shown what)
{
    shown_ = what;
    const bool web = what != Shown::Rich;
    rtf_->setVisible(!web);
    wb_->setVisible(web);
    if (web)
        wb_->setSilent(true);
    place();
}

void frmDisplay::showRtf(const std::string& rtf)
{
    rtf_->model().setRtf(rtf);
    rtf_->model().setSelStart(0);
    html_.clear();
    showPane(Shown::Rich);
}

void frmDisplay::showAddress(const QString& address)
{
    html_.clear();
    showPane(Shown::Address);
    wb_->navigate(address);
}

void frmDisplay::showHtml(const QString& html)
{
    html_ = html;
    showPane(Shown::Html);
    wb_->showHtml(html);
}

void frmDisplay::showAndRaise()
{
    show();
    raise();
    activateWindow();
    if (showsWeb())
        wb_->setFocus(Qt::OtherFocusReason);
    else
        rtf_->view()->setFocus(Qt::OtherFocusReason);
}

frmDisplay::PaneRect frmDisplay::paneRect(int windowWidthTwips, int windowHeightTwips)
{
    return {0, 0, std::max(windowWidthTwips - 250, 0), std::max(windowHeightTwips - 600, 0)};
}

void frmDisplay::place()
{
    // The rule counts the window with its frame, caption and menu, so the
    // panes fill the inside; they never reach past it.
    const double dpi = dpiOf(*this);
    const QSize outer = frameGeometry().size();
    const PaneRect r = paneRect(toTwips(outer.width(), dpi), toTwips(outer.height(), dpi));
    QWidget* inside = centralWidget();
    const QRect pane = QRect(toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi),
                             toPixels(r.height, dpi))
                           .intersected(inside->rect());
    rtf_->setGeometry(pane);
    wb_->setGeometry(pane);
}

void frmDisplay::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    place();
}

void frmDisplay::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close_win_Click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmDisplay::closeEvent(QCloseEvent* event)
{
    // Closed from the title bar it is hidden like "Close Window", not destroyed.
    event->ignore();
    close_win_Click();
}

void frmDisplay::close_win_Click() { hide(); }

bool frmDisplay::mnuSaveToFile_Click()
{
    using exporting::Format;
    if (showsWeb())
        return exporting::saveWebPage(prompter_, *wb_, shown_ == Shown::Html ? html_ : QString());
    exporting::SaveRequest request;
    request.dialogTitle = QStringLiteral("Save to File");
    request.formats = {Format::Rtf, Format::Html};
    const std::string title = windowTitle().toStdString();
    request.content = [this, &title](Format f) { return exporting::documentAs(rtf_->model(), f, title); };
    return !exporting::saveThroughDialog(prompter_, request).isEmpty();
}
