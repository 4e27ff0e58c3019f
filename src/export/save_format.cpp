#include "export/save_format.h"

#include "export/html_writer.h"

#include <algorithm>
#include <cctype>

namespace exporting {

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

std::string filterOf(Format format)
{
    switch (format) {
    case Format::Rtf: return "Rich text (*.rtf)";
    case Format::Html: return "Web page (*.html)";
    case Format::Csv: return "CSV (*.csv)";
    }
    return {};
}

std::string extensionOf(Format format)
{
    switch (format) {
    case Format::Rtf: return ".rtf";
    case Format::Html: return ".html";
    case Format::Csv: return ".csv";
    }
    return {};
}

std::string filterList(const std::vector<Format>& formats)
{
    std::string out;
    for (Format f : formats) {
        if (!out.empty())
            out += ";;";
        out += filterOf(f);
    }
    return out;
}

SaveTarget resolveSaveTarget(const std::string& name, const std::vector<Format>& offered,
                             const std::string& chosenFilter)
{
    SaveTarget target;
    if (name.empty() || offered.empty())
        return target;
    target.file = name;
    const std::string ext = lower(target.file.extension().string());
    for (Format f : offered) {
        if (ext == extensionOf(f) || (f == Format::Html && ext == ".htm")) {
            target.format = f;
            return target;
        }
    }
    target.format = offered.front();
    for (Format f : offered)
        if (filterOf(f) == chosenFilter)
            target.format = f;
    target.file += extensionOf(target.format);
    target.extensionAdded = true;
    return target;
}

std::string documentAs(const richtext::RichTextDocument& doc, Format format, const std::string& title)
{
    if (format == Format::Html)
        return toHtml(doc.document(), HtmlOptions{title});
    return doc.rtf();
}

bool saveWhole(const std::filesystem::path& file, const std::string& content, std::string& failure)
{
    std::string reason;
    if (richtext::writeWholeFile(file, content, &reason))
        return true;
    failure = "The file " + file.string() + " could not be saved: " + reason + ".";
    return false;
}

}  // namespace exporting
