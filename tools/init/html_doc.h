#pragma once

#include "core/html_text.h"

#include <string>
#include <string_view>

// The HTML documents zerafin-init writes all carry the one stylesheet
// inside them, so each stands on its own in the web pane, when saved and
// in a browser.
namespace init {

// The line a source document names the stylesheet with.
inline constexpr std::string_view kStylesheetLink = R"(<link rel="stylesheet" href="zerafin.css">)";

// The document with every stylesheet link line replaced by the stylesheet
// itself in a <style> element. A document without the line is returned
// unchanged.
std::string embedStylesheet(std::string_view html, std::string_view css);

// A complete document: head with the title and the stylesheet, then the body.
std::string htmlPage(std::string_view title, std::string_view css, std::string_view body);


}  // namespace init
