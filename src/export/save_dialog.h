#pragma once

#include "export/save_format.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class Prompter;
class WebPane;

namespace exporting {

// A save through the save dialog: the formats offered (the first is the
// default filter) and what each writes.
struct SaveRequest {
    QString dialogTitle;
    std::vector<Format> formats;
    std::function<std::string(Format)> content;
};

// Asks for the file; writes it whole in the format its name (or the chosen
// filter) gives; a failure is told in an information box. A name the dialog
// did not confirm (its extension added here) that is already taken is
// replaced only after a Yes. Returns the file written, or empty.
QString saveThroughDialog(Prompter& prompter, const SaveRequest& request);

// Saves the page a web pane shows: a local document or a page given as
// HTML (`html`, empty for none) as a web page through the dialog above; a
// page from the web by the browser's own save. False when nothing was saved.
bool saveWebPage(Prompter& prompter, WebPane& pane, const QString& html = {});

}  // namespace exporting
