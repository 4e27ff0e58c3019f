#include "reading/web_pane.h"

#include "shell/prompter.h"

#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

#if ZF_HAVE_WEBENGINE
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#endif

#include <QPalette>

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

// Chromium's code for a load that was cut short by the next navigation:
// not a failure the reader needs to hear about.
constexpr int kLoadAborted = -3;

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
    auto* page = new QuietPage(silent_, view_);
    view_->setPage(page);
    // The documents have a light and a dark set of colours: on a dark
    // desktop the page is marked before its first paint, and the pane's
    // own background is the desktop's, so no white flashes in between.
    const QColor base = palette().color(QPalette::Base);
    page->setBackgroundColor(base);
    if (base.lightness() < 128) {
        QWebEngineScript dark;
        dark.setName(QStringLiteral("zerafin-dark"));
        dark.setInjectionPoint(QWebEngineScript::DocumentCreation);
        dark.setWorldId(QWebEngineScript::ApplicationWorld);
        dark.setRunsOnSubFrames(true);
        dark.setSourceCode(QStringLiteral("document.documentElement.classList.add('dark');"));
        page->scripts().insert(dark);
    }
    layout_->addWidget(view_);
    connect(view_, &QWebEngineView::loadFinished, this, &WebPane::loadFinished);
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || info.errorCode() == kLoadAborted)
            return;
        // Only the page last asked for: an earlier one that failed while
        // the next was already on its way is of no interest.
        if (info.url() != target_)
            return;
        showFailure(info.url(), info.errorString());
    });
#endif
}

QString WebPane::failureHtml(const QString& address, const QString& reason)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Not shown</title>"
                          "<style>body{font-family:sans-serif;font-size:1.05rem;margin:2em;}"
                          "@media (prefers-color-scheme: dark){body{background:#1e2020;color:#e6e6e0;}}"
                          ":root.dark body{background:#1e2020;color:#e6e6e0;}</style></head><body>"
                          "<h2>This page could not be shown</h2><p>%1</p><p>%2</p></body></html>")
        .arg(address.toHtmlEscaped(), reason.toHtmlEscaped());
}

void WebPane::showFailure(const QUrl& url, const QString& reason)
{
    const QString address = url.isLocalFile() ? url.toLocalFile() : url.toString();
    failed_ = address;
#if ZF_HAVE_WEBENGINE
    // A page of its own, so the address the pane reports stays the one asked for.
    if (view_)
        view_->setHtml(failureHtml(address, reason.isEmpty() ? tr("The page did not load.") : reason));
#else
    Q_UNUSED(reason);
#endif
    emit loadFailed(address);
}

void WebPane::navigate(const QString& target)
{
    const QUrl url = urlFor(target);
    address_ = url.isLocalFile() ? url.toLocalFile() : url.toString();
    target_ = url;
    failed_.clear();
    if (!view_ && target == QLatin1String(kBlank))
        return;
    ensureView();
#if ZF_HAVE_WEBENGINE
    if (view_)
        view_->setUrl(url);
#endif
}

void WebPane::showHtml(const QString& html)
{
    address_ = QLatin1String(kBlank);
    target_ = QUrl(address_);
    failed_.clear();
    ensureView();
#if ZF_HAVE_WEBENGINE
    if (view_)
        view_->setHtml(html);
#else
    Q_UNUSED(html);
#endif
}

QString WebPane::address() const
{
    if (!failed_.isEmpty())
        return failed_;
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

