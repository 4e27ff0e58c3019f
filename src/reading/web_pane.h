#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class Prompter;
class QVBoxLayout;
class QWebEngineView;

// The web pane: local documents and web pages in an embedded browser.
// The browser engine is started on the first real navigation, so a program
// that never shows a document never pays for it; "about:blank" before that
// needs no engine.
class WebPane : public QWidget {
    Q_OBJECT
public:
    explicit WebPane(QWidget* parent = nullptr);
    ~WebPane() override;

    // A local file path, "about:blank" or a web address.
    void navigate(const QString& target);
    // A page given as HTML text (no file behind it); the address reads
    // "about:blank".
    void showHtml(const QString& html);
    // What the pane shows: a local path for a file, else the address.
    QString address() const;
    // Silent: script dialogs (alerts, confirmations, prompts) are suppressed.
    void setSilent(bool on);
    bool silent() const { return silent_; }
    // The browser's own save of the page shown, to the file given.
    bool saveAs(const QString& file);
    // Asks where to save, then saves; false when cancelled or nothing is shown.
    bool saveAs(Prompter& prompter);
    bool engineStarted() const { return view_ != nullptr; }
    QWebEngineView* view() const { return view_; }

    // The plain page shown in place of one that cannot be loaded.
    static QString failureHtml(const QString& address, const QString& reason);

signals:
    void loadFinished(bool ok);
    // The page asked for could not be loaded; the pane says so instead.
    void loadFailed(const QString& address);

private:
    void ensureView();
    void showFailure(const QUrl& url, const QString& reason);

    QVBoxLayout* layout_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QString address_ = QStringLiteral("about:blank");
    QUrl target_;
    // The address of the page that failed, while its message is shown.
    QString failed_;
    bool silent_ = false;
};
