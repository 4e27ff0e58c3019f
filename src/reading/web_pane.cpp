#include "reading/web_pane.h"

#include "shell/prompter.h"

#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

#if ZF_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

constexpr const char* kBlank = "about:blank";

QUrl urlFor(const QString& target)
{
    if (target == QLatin1String(kBlank))
        return QUrl(target);
    const QUrl url(target);
    // A bare path (or a Windows-style one) is a local file.
    if (url.scheme().size() > 1)
        return url;
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

#if ZF_HAVE_WEBENGINE
// A page whose script dialogs can be silenced.
class QuietPage : public QWebEnginePage {
public:
    QuietPage(const bool& silent, QObject* parent) : QWebEnginePage(parent), silent_(silent) {}

protected:
    void javaScriptAlert(const QUrl& origin, const QString& msg) override
    {
        if (!silent_)
            QWebEnginePage::javaScriptAlert(origin, msg);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override
    {
        return silent_ ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& value, QString* result) override
    {
        return silent_ ? false : QWebEnginePage::javaScriptPrompt(origin, msg, value, result);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override
    {
        if (!silent_)
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    const bool& silent_;
};
#endif

}  // namespace

WebPane::WebPane(QWidget* parent) : QWidget(parent)
{
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
}

WebPane::~WebPane() = default;

void WebPane::ensureView()
{
#if ZF_HAVE_WEBENGINE
    if (view_)
        return;
    view_ = new QWebEngineView(this);
    view_->setPage(new QuietPage(silent_, view_));
    layout_->addWidget(view_);
    connect(view_, &QWebEngineView::loadFinished, this, &WebPane::loadFinished);
#endif
}

void WebPane::navigate(const QString& target)
{
    const QUrl url = urlFor(target);
    address_ = url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (!view_ && target == QLatin1String(kBlank))
        return;
    ensureView();
#if ZF_HAVE_WEBENGINE
    if (view_)
        view_->setUrl(url);
#endif
}

QString WebPane::address() const
{
#if ZF_HAVE_WEBENGINE
    if (view_) {
        const QUrl url = view_->url();
        if (!url.isEmpty())
            return url.isLocalFile() ? url.toLocalFile() : url.toString();
    }
#endif
    return address_;
}

void WebPane::setSilent(bool on)
{
    silent_ = on;
}

bool WebPane::saveAs(const QString& file)
{
#if ZF_HAVE_WEBENGINE
    if (!view_ || file.isEmpty())
        return false;
    view_->page()->save(file);
    return true;
#else
    Q_UNUSED(file);
    return false;
#endif
}

bool WebPane::saveAs(Prompter& prompter)
{
    if (!view_)
        return false;
    const QString file = prompter.saveFileName(tr("Save As"), {}, {});
    return saveAs(file);
}

