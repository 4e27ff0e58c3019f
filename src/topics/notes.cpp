#include "topics/notes.h"

#include "db/database.h"
#include "topics/statement.h"

namespace topics {

using detail::Statement;

Fetched<bool> verseExists(db::Database& db, const db::VerseRef& verse)
{
    Fetched<bool> out;
    Statement st(db.handle(), "SELECT 1 FROM ZOVR WHERE Sura=?1 AND Verse=?2");
    st.bind(1, verse.sura);
    st.bind(2, verse.verse);
    out.value = st.next();
    if (st.failed())
        out.outcome = Outcome::failed("The verse table could not be read: " + st.error());
    return out;
}

Fetched<std::string> readNote(db::Database& db, const db::VerseRef& verse)
{
    Fetched<std::string> out;
    Statement st(db.handle(), "SELECT YourNotes FROM ZOVR WHERE Sura=?1 AND Verse=?2");
    st.bind(1, verse.sura);
    st.bind(2, verse.verse);
    if (st.next())
        out.value = st.text(0);
    else if (st.failed())
        out.outcome = Outcome::failed("The note on " + verse.display() + " could not be read: " + st.error());
    else
        out.outcome = Outcome::failed("There is no verse " + verse.display());
    return out;
}

Outcome writeNote(db::Database& db, const db::VerseRef& verse, std::string_view text)
{
    const std::string what = "The note on " + verse.display() + " was not saved";
    Statement st(db.handle(), "UPDATE ZOVR SET YourNotes=?1 WHERE Sura=?2 AND Verse=?3");
    st.bind(1, text);
    st.bind(2, verse.sura);
    st.bind(3, verse.verse);
    if (!st.run())
        return Outcome::failed(what + ": " + st.error());
    if (sqlite3_changes64(db.handle()) == 0)
        return Outcome::failed(what + ": there is no verse " + verse.display());
    return Outcome::done(text.empty() ? "Cleared the note on " + verse.display()
                                      : "Saved the note on " + verse.display());
}

NoteTarget noteTarget(const std::vector<ListItem>& items, int openSura)
{
    NoteTarget t;
    bool found = false;
    for (const auto& item : items) {
        if (!item.checked)
            continue;
        if (found)
            return {std::nullopt, kOnlyOneVerse};
        found = true;
        t.verse = verseOfItem(item.text, openSura);
    }
    if (!found)
        return {std::nullopt, kAtLeastOneVerse};
    return t;
}

bool notesPanelClosed(bool frameVisible, int leftFrameWidth, std::string_view notesCaption)
{
    return !frameVisible || leftFrameWidth == kCollapsedLeftWidth || notesCaption == kFootnotesCaption;
}

}  // namespace topics
