#include "topics/topic_store.h"

#include "db/database.h"
#include "topics/statement.h"

#include <algorithm>

namespace topics {

using detail::Statement;
using detail::WriteTransaction;

namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string plural(long long n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string refused(std::string_view what, std::string_view why) { return std::string(what) + ": " + std::string(why); }

}  // namespace

bool sameTopicName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

Fetched<std::vector<TopicSummary>> listTopics(db::Database& db)
{
    Fetched<std::vector<TopicSummary>> out;
    // With min(rowid) the bare name comes from the first row of each group.
    Statement st(
        db.handle(),
        "SELECT ARTICLES, min(rowid), count(*) FROM ARTICLES WHERE SURA<>0 GROUP BY ARTICLES ORDER BY ARTICLES");
    while (st.next())
        out.value.push_back({st.text(0), st.integer(2)});
    if (st.failed())
        out.outcome = Outcome::failed(refused("The topics could not be read", st.error()));
    return out;
}

Fetched<std::vector<db::VerseRef>> topicVerses(db::Database& db, std::string_view name)
{
    Fetched<std::vector<db::VerseRef>> out;
    Statement st(db.handle(), "SELECT SURA, VERSE FROM ARTICLES WHERE ARTICLES=?1 and Sura <> 0 order by Sura, Verse");
    st.bind(1, name);
    while (st.next())
        out.value.push_back({static_cast<int>(st.integer(0)), static_cast<int>(st.integer(1))});
    if (st.failed())
        out.outcome = Outcome::failed(refused("The verses of the topic could not be read", st.error()));
    return out;
}

Outcome insertVerses(db::Database& db, std::string_view name, const std::vector<db::VerseRef>& verses)
{
    const std::string what = "No verse was added to the topic";
    if (name.empty())
        return Outcome::failed(what + ": no topic is selected");
    if (verses.empty())
        return Outcome::failed(what + ": no verse is checked");

    WriteTransaction tx(db.handle());
    if (!tx.active())
        return Outcome::failed(refused(what, tx.error()));
    Statement plain(db.handle(), "SELECT WORDS FROM ZOVRSch where Sura=?1 and Verse=?2");
    Statement search(db.handle(), "SELECT WORDS FROM ZOVR1 where Sura=?1 and Verse=?2");
    Statement add(db.handle(), "INSERT INTO ARTICLES (ARTICLES,SURA,VERSE,WORDS) VALUES(?1,?2,?3,?4)");
    Statement add1(db.handle(), "INSERT INTO ARTICLES1 (ARTICLES,SURA,VERSE,WORDS) VALUES(?1,?2,?3,?4)");
    for (Statement* st : {&plain, &search, &add, &add1})
        if (st->failed())
            return Outcome::failed(refused(what, st->error()));

    for (const auto& v : verses) {
        auto read = [&](Statement& st, std::string& words) {
            st.reset();
            st.bind(1, v.sura);
            st.bind(2, v.verse);
            bool found = st.next();
            if (found)
                words = st.text(0);
            return found;
        };
        std::string w1, w2;
        if (!read(plain, w1)) {
            if (plain.failed())
                return Outcome::failed(refused(what, plain.error()));
            return Outcome::failed(what + ": there is no verse " + v.display());
        }
        if (!read(search, w2) && search.failed())
            return Outcome::failed(refused(what, search.error()));
        for (auto [st, words] : {std::pair{&add, &w1}, std::pair{&add1, &w2}}) {
            st->bind(1, name);
            st->bind(2, v.sura);
            st->bind(3, v.verse);
            st->bind(4, *words);
            if (!st->run())
                return Outcome::failed(refused(what, st->error()));
        }
    }
    if (!tx.commit())
        return Outcome::failed(refused(what, tx.error()));
    return Outcome::done("Added " + plural(static_cast<long long>(verses.size()), "verse", "verses") +
                         " to the topic " + std::string(name));
}

Outcome removeVerses(db::Database& db, std::string_view name, const std::vector<db::VerseRef>& verses)
{
    const std::string what = "No verse was removed from the topic";
    if (name.empty())
        return Outcome::failed(what + ": no topic is selected");
    WriteTransaction tx(db.handle());
    if (!tx.active())
        return Outcome::failed(refused(what, tx.error()));
    Statement del(db.handle(), "DELETE FROM ARTICLES WHERE ARTICLES=?1 and sura=?2 and verse=?3");
    Statement del1(db.handle(), "DELETE FROM ARTICLES1 WHERE ARTICLES=?1 and sura=?2 and verse=?3");
    long long removed = 0;
    for (const auto& v : verses) {
        for (Statement* st : {&del, &del1}) {
            st->bind(1, name);
            st->bind(2, v.sura);
            st->bind(3, v.verse);
            if (!st->run())
                return Outcome::failed(refused(what, st->error()));
            if (st == &del)
                removed += sqlite3_changes64(db.handle());
        }
    }
    if (!tx.commit())
        return Outcome::failed(refused(what, tx.error()));
    return Outcome::done("Removed " + plural(removed, "verse", "verses") + " from the topic " + std::string(name));
}

std::string_view removeVersesRefusal(bool topicSelected, const std::vector<ListItem>& items)
{
    return topicSelected && isReferenceList(items) ? std::string_view() : kTopicVersesNotShown;
}

Outcome deleteTopic(db::Database& db, std::string_view name)
{
    const std::string what = "The topic was not deleted";
    Statement del(db.handle(), "DELETE FROM ARTICLES WHERE ARTICLES=?1");
    del.bind(1, name);
    if (!del.run())
        return Outcome::failed(refused(what, del.error()));
    return Outcome::done("Deleted the topic " + std::string(name));
}

Outcome TopicList::reload(db::Database& db)
{
    auto topics = listTopics(db);
    names_.clear();
    for (auto& t : topics.value)
        names_.push_back(std::move(t.name));
    loaded_ = topics.ok();
    return topics.outcome;
}

int TopicList::indexOf(std::string_view name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (sameTopicName(names_[i], name))
            return static_cast<int>(i);
    return -1;
}

std::optional<int> TopicList::create(const std::optional<std::string>& answer)
{
    if (!answer || answer->find_first_not_of(" \t\r\n") == std::string::npos)
        return std::nullopt;
    int at = indexOf(*answer);
    if (at >= 0)
        return at;
    names_.push_back(*answer);
    return static_cast<int>(names_.size()) - 1;
}

}  // namespace topics
