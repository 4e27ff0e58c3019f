#pragma once

#include "reading/richtext/document.h"

#include <string>
#include <string_view>

// A rich-text document as a web page that any browser opens: UTF-8, one
// <p> per paragraph with its alignment and indents, bold, italic and
// underline as elements (so that readers which ignore styles keep them),
// font, size, text colour and highlight colour as inline styles. Hidden
// text stays out, as it stays out of the pane.
namespace exporting {

struct HtmlOptions {
    // The page's title (the browser's tab); empty gives "Zerafin".
    std::string title;
};

std::string toHtml(const richtext::Document& doc, const HtmlOptions& options = {});

}  // namespace exporting
