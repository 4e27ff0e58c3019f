#include "export/result_display.h"

#include "db/database.h"
#include "db/recordset.h"
#include "reading/display_settings.h"
#include "reading/verse_renderer.h"

namespace exporting {

void renderResultEntries(db::Database& db, const std::vector<std::string>& entries, richtext::RichTextDocument& msg,
                         const std::string& header)
{
    db::Recordset verseRs;
    db::Recordset footnoteRs;
    bool keepHeader = false;
    const bool readAllVerses = false;
    const std::string revelationOrder;
    reading::MemoryDisplaySettings display;
    reading::MemoryHighlightSettings highlight;
    reading::MemorySurface surface;
    surface.page = reading::kModeResult;
    surface.setEntries(entries);
    for (size_t i = 0; i < entries.size(); ++i)
        surface.check(static_cast<int>(i));
    richtext::RichTextDocument footnote;
    richtext::RichTextDocument fordata;
    reading::VerseRenderer renderer({db, verseRs, footnoteRs, keepHeader, readAllVerses, revelationOrder}, display,
                                    highlight, surface, msg, footnote, fordata);
    msg.clear();
    if (!header.empty()) {
        msg.setSelAlignment(2);
        msg.setSelBold(true);
        msg.setSelText(header);
        msg.setSelBold(false);
        msg.setSelAlignment(0);
        keepHeader = true;
    }
    // One read transaction for the many lookups.
    const db::ReadTogether together(db);
    renderer.OpenVerse();
}

}  // namespace exporting
