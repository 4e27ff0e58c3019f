#include "export/save_dialog.h"

#include "reading/web_pane.h"
#include "shell/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <fstream>
#include <iterator>

namespace exporting {

namespace {

bool readWholeFile(const QString& path, std::string& content)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

QString saveThroughDialog(Prompter& prompter, const SaveRequest& request)
{
    if (request.formats.empty() || !request.content)
        return {};
    QString chosen;
    const QString name = prompter.chooseSaveFile(request.dialogTitle, QDir::homePath(),
                                                 QString::fromStdString(filterList(request.formats)), &chosen);
    if (name.isEmpty())
        return {};
    const SaveTarget target = resolveSaveTarget(name.toStdString(), request.formats, chosen.toStdString());
    const QString file = QString::fromStdString(target.file.string());
    std::error_code ec;
    if (target.extensionAdded && std::filesystem::exists(target.file, ec) &&
        !prompter.askYesNo(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(file)))
        return {};
    std::string failure;
    if (!saveWhole(target.file, request.content(target.format), failure)) {
        prompter.information(QString::fromStdString(failure));
        return {};
    }
    return file;
}

bool saveWebPage(Prompter& prompter, WebPane& pane, const QString& html)
{
    std::string page;
    if (!html.isEmpty()) {
        page = html.toStdString();
    } else {
        const QString address = pane.address();
        QString path;
        if (QFileInfo(address).isFile())
            path = address;
        else if (const QUrl url(address); url.isLocalFile())
            path = url.toLocalFile();
        // A page from the web: the browser's own save.
        if (path.isEmpty())
            return pane.saveAs(prompter);
        if (!readWholeFile(path, page)) {
            prompter.information(QStringLiteral("The page %1 could not be read.").arg(path));
            return false;
        }
    }
    SaveRequest request;
    request.dialogTitle = QStringLiteral("Save to File");
    request.formats = {Format::Html};
    request.content = [&page](Format) { return page; };
    return !saveThroughDialog(prompter, request).isEmpty();
}

}  // namespace exporting
