#include "init/project_data.h"

#include "db/numeric.h"
#include "db/verse_ref.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace init {

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string trim(std::string_view s) { return std::string(db::trimBlanks(s)); }

// Calls fn(lineNumber, line) for every line that is not blank or a comment.
template <typename Fn>
void forEachLine(const fs::path& file, Fn fn)
{
    if (!fs::exists(file))
        return;
    std::istringstream in(readFile(file));
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = trim(line);
        if (t.empty() || t[0] == '#')
            continue;
        fn(n, line);
    }
}

[[noreturn]] void bad(const fs::path& file, int line, const std::string& what)
{
    throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

std::vector<VerseNote> readVerseNotes(const fs::path& file)
{
    std::vector<VerseNote> out;
    forEachLine(file, [&](int n, const std::string& line) {
        auto tab = line.find('\t');
        if (tab == std::string::npos)
            bad(file, n, "expected SURA:VERSE, a tab and the text");
        auto ref = db::VerseRef::parse(line.substr(0, tab));
        if (!ref || ref->sura < 1 || ref->sura > db::kSuraCount)
            bad(file, n, "not a verse reference: " + line.substr(0, tab));
        std::string text = trim(line.substr(tab + 1));
        if (text.empty())
            bad(file, n, "empty text");
        out.push_back({ref->sura, ref->verse, text});
    });
    return out;
}

std::vector<std::string> split(const std::string& s, char sep)
{
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) {
        std::string t = trim(part);
        if (!t.empty())
            out.push_back(t);
    }
    return out;
}

}  // namespace

std::string htmlToText(const std::string& html)
{
    std::string text;
    text.reserve(html.size());
    bool inTag = false;
    std::string tag;
    bool skip = false;  // inside <style> or <script>
    for (size_t i = 0; i < html.size(); ++i) {
        char c = html[i];
        if (inTag) {
            if (c == '>') {
                inTag = false;
                std::string t = tag;
                std::transform(t.begin(), t.end(), t.begin(), ::tolower);
                if (t.rfind("style", 0) == 0 || t.rfind("script", 0) == 0)
                    skip = true;
                else if (t.rfind("/style", 0) == 0 || t.rfind("/script", 0) == 0)
                    skip = false;
                text.push_back(' ');
            } else {
                tag.push_back(c);
            }
            continue;
        }
        if (c == '<') {
            inTag = true;
            tag.clear();
            continue;
        }
        if (skip)
            continue;
        if (c == '&') {
            static const std::map<std::string, std::string> entities = {
                {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}, {"#39", "'"}};
            auto semi = html.find(';', i);
            if (semi != std::string::npos && semi - i <= 6) {
                auto e = entities.find(html.substr(i + 1, semi - i - 1));
                if (e != entities.end()) {
                    text += e->second;
                    i = semi;
                    continue;
                }
            }
        }
        text.push_back(c == '\n' || c == '\r' || c == '\t' ? ' ' : c);
    }
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

ProjectData loadProjectData(const fs::path& dir)
{
    // Without the folder the text database would be built without its
    // subtitles, footnotes, glossary and word groups: refuse instead.
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        throw std::runtime_error("the data folder " + dir.string() +
                                 " does not exist; pass --data DIR (the project's data/ folder)");
    for (const char* needed : {"subtitles.tsv", "footnotes.tsv", "glossary.tsv"})
        if (!fs::exists(dir / needed, ec))
            throw std::runtime_error("the data folder " + dir.string() + " has no " + needed +
                                     "; pass --data DIR (the project's data/ folder)");
    ProjectData d;
    d.subtitles = readVerseNotes(dir / "subtitles.tsv");
    d.footnotes = readVerseNotes(dir / "footnotes.tsv");

    forEachLine(dir / "glossary.tsv", [&](int n, const std::string& line) {
        auto tab = line.find('\t');
        if (tab == std::string::npos)
            bad(dir / "glossary.tsv", n, "expected a term, a tab and its definition");
        d.glossary.push_back({trim(line.substr(0, tab)), trim(line.substr(tab + 1))});
    });

    forEachLine(dir / "wordgroups.txt", [&](int n, const std::string& line) {
        auto words = split(line, ',');
        if (words.size() < 2 || words.size() > 10)
            bad(dir / "wordgroups.txt", n, "a word group has 2 to 10 words");
        d.wordGroups.push_back(std::move(words));
    });

    forEachLine(dir / "index_terms.txt", [&](int, const std::string& line) {
        auto tab = line.find('\t');
        IndexTerm t;
        t.term = trim(line.substr(0, tab));
        t.words = tab == std::string::npos ? std::vector<std::string>{t.term} : split(line.substr(tab + 1), '|');
        d.indexTerms.push_back(std::move(t));
    });

    fs::path front = dir / "frontmatter";
    for (int page = 1; page <= 15; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, page <= 7 ? "page%02d.rtf" : "page%02d.html", page);
        if (fs::exists(front / name))
            d.frontMatter.push_back({page, readFile(front / name)});
    }

    if (fs::exists(dir / "Help.htm"))
        d.help = readFile(dir / "Help.htm");
    if (fs::exists(dir / "Numbers.htm"))
        d.numbersDoc = readFile(dir / "Numbers.htm");

    if (fs::exists(dir / "zerafin.css"))
        d.stylesheet = readFile(dir / "zerafin.css");
    return d;
}

}  // namespace init
