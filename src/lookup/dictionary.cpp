#include "lookup/dictionary.h"

#include "core/html_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <mutex>

#if ZF_HAVE_WORDNET
extern "C" {
#include <wn.h>
}
#endif

namespace lookup {

namespace {

std::string_view trimSpaces(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}


// WordNet writes multi-word entries with underscores.
std::string readable(std::string s)
{
    std::replace(s.begin(), s.end(), '_', ' ');
    return s;
}

#if ZF_HAVE_WORDNET
// The library keeps global state: opened once, used from one thread at a time.
std::mutex& wordnetLock()
{
    static std::mutex m;
    return m;
}

bool wordnetReady()
{
    static const bool ready = [] {
        // Its messages go to standard error otherwise; a missing file is
        // reported by define() itself.
        display_message = [](char*) { return 0; };
        return wninit() == 0;
    }();
    return ready;
}

const char* posName(int pos)
{
    switch (pos) {
    case NOUN: return "noun";
    case VERB: return "verb";
    case ADJ: return "adjective";
    default: return "adverb";
    }
}
#endif

}  // namespace

SelectedWord selectedWord(std::string_view selection)
{
    SelectedWord s;
    s.word = std::string(trimSpaces(selection));
    s.single = s.word.find(' ') == std::string::npos;
    return s;
}

std::string dictionaryAddress(std::string_view site, std::string_view word)
{
    std::string base(trimSpaces(site));
    if (base.empty())
        base = kDefaultDictionarySite;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    std::string out = base + "/dictionary/";
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : word) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out;
}

Definition define(std::string_view word)
{
    Definition d;
    d.word = std::string(trimSpaces(word));
#if ZF_HAVE_WORDNET
    std::lock_guard<std::mutex> lock(wordnetLock());
    if (!wordnetReady()) {
        d.dictionaryInstalled = false;
        return d;
    }
    std::string key = d.word;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    std::replace(key.begin(), key.end(), ' ', '_');
    if (key.empty() || key.size() > 200)
        return d;
    for (int pos : {NOUN, VERB, ADJ, ADV}) {
        // The word as typed, then its base forms (forgave: forgive).
        std::vector<std::string> forms{key};
        std::string buffer = key;
        for (char* base = morphstr(buffer.data(), pos); base; base = morphstr(nullptr, pos))
            if (std::find(forms.begin(), forms.end(), base) == forms.end())
                forms.emplace_back(base);
        for (std::string& form : forms) {
            SynsetPtr found = findtheinfo_ds(form.data(), pos, 0, ALLSENSES);
            if (!found)
                continue;
            if (d.baseForm.empty())
                d.baseForm = readable(form);
            for (SynsetPtr s = found; s; s = s->nextss) {
                Sense sense;
                sense.partOfSpeech = posName(pos);
                sense.synonyms.push_back(readable(form));
                for (int i = 0; i < s->wcount; ++i) {
                    std::string w = readable(s->words[i]);
                    if (std::find(sense.synonyms.begin(), sense.synonyms.end(), w) == sense.synonyms.end())
                        sense.synonyms.push_back(std::move(w));
                }
                std::string gloss = s->defn ? s->defn : "";
                // Stored as "(definition; "example")".
                if (gloss.size() >= 2 && gloss.front() == '(')
                    gloss = gloss.substr(1, gloss.rfind(')') == std::string::npos ? std::string::npos : gloss.rfind(')') - 1);
                sense.gloss = gloss;
                d.senses.push_back(std::move(sense));
            }
            free_syns(found);
            break;  // the first form the dictionary knows
        }
    }
#else
    d.dictionaryInstalled = false;
#endif
    return d;
}

std::string definitionText(const Definition& d)
{
    std::string out;
    std::string pos;
    int n = 0;
    for (const Sense& s : d.senses) {
        if (s.partOfSpeech != pos) {
            pos = s.partOfSpeech;
            n = 0;
            out += (out.empty() ? "" : "\n") + (d.baseForm.empty() ? d.word : d.baseForm) + " (" + pos + ")\n";
        }
        out += "  " + std::to_string(++n) + ". " + s.gloss;
        if (s.synonyms.size() > 1) {
            out += " [";
            for (size_t i = 1; i < s.synonyms.size(); ++i)
                out += (i > 1 ? ", " : "") + s.synonyms[i];
            out += "]";
        }
        out += "\n";
    }
    return out;
}

std::string definitionHtml(const Definition& d)
{
    std::string h = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + escapeHtml(d.word) +
                    "</title><style>body{font-family:sans-serif;font-size:1.05rem;line-height:1.5;margin:1.2em;}"
                    "h1{font-size:1.5em;}h2{font-size:1.15em;margin-top:1.2em;}.syn{color:#666;}"
                    ":root.dark body{background:#1e2020;color:#e6e6e0;}:root.dark .syn{color:#a9aca4;}"
                    "@media (prefers-color-scheme: dark){body{background:#1e2020;color:#e6e6e0;}.syn{color:#a9aca4;}}"
                    "</style></head><body><h1>" + escapeHtml(d.word) + "</h1>";
    if (!d.dictionaryInstalled) {
        h += "<p>The offline dictionary is not installed on this computer.</p>";
    } else if (!d.found()) {
        h += "<p>The offline dictionary does not know this word.</p>";
    } else {
        if (!d.baseForm.empty() && d.baseForm != d.word)
            h += "<p>Found as <b>" + escapeHtml(d.baseForm) + "</b>.</p>";
        std::string pos;
        for (const Sense& s : d.senses) {
            if (s.partOfSpeech != pos) {
                if (!pos.empty())
                    h += "</ol>";
                pos = s.partOfSpeech;
                h += "<h2>" + escapeHtml(pos) + "</h2><ol>";
            }
            h += "<li>" + escapeHtml(s.gloss);
            if (s.synonyms.size() > 1) {
                h += " <span class=\"syn\">(";
                for (size_t i = 1; i < s.synonyms.size(); ++i)
                    h += (i > 1 ? ", " : "") + escapeHtml(s.synonyms[i]);
                h += ")</span>";
            }
            h += "</li>";
        }
        h += "</ol>";
    }
    h += "<p class=\"syn\">From WordNet, the lexical database of English (Princeton University), installed on this computer.</p>";
    return h + "</body></html>";
}

}  // namespace lookup
