#include "init/html_doc.h"

namespace init {

std::string embedStylesheet(std::string_view html, std::string_view css)
{
    std::string out;
    out.reserve(html.size() + css.size() + 32);
    size_t from = 0;
    for (size_t at = html.find(kStylesheetLink); at != std::string_view::npos;
         at = html.find(kStylesheetLink, from)) {
        out.append(html.substr(from, at - from));
        out += "<style>\n";
        out.append(css);
        if (!css.empty() && css.back() != '\n')
            out += '\n';
        out += "</style>";
        from = at + kStylesheetLink.size();
    }
    out.append(html.substr(from));
    return out;
}

std::string htmlPage(std::string_view title, std::string_view css, std::string_view body)
{
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += escapeHtml(title);
    page += "</title>\n";
    page += kStylesheetLink;
    page += "\n</head>\n<body>\n";
    page.append(body);
    page += "</body></html>\n";
    return embedStylesheet(page, css);
}


}  // namespace init
