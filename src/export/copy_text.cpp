#include "export/copy_text.h"

#include "reading/richtext/rich_text_document.h"

namespace exporting {

std::string plainTextForCopy(std::string_view rtf)
{
    static constexpr std::string_view kMark = "\\'af";
    std::string source;
    source.reserve(rtf.size());
    size_t from = 0;
    for (size_t at = rtf.find(kMark); at != std::string_view::npos; at = rtf.find(kMark, from)) {
        source.append(rtf.substr(from, at - from));
        source += "--";
        from = at + kMark.size();
    }
    source.append(rtf.substr(from));
    richtext::RichTextDocument scratch;
    scratch.setRtf(source);
    return scratch.text();
}

std::string desktopLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace exporting
