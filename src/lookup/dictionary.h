#pragma once

#include <string>
#include <string_view>
#include <vector>

// Looking a word up: the address of its page in the online dictionary, and
// its senses in the offline English dictionary (WordNet) for a machine or
// a reader without a connection.
namespace lookup {

// The public dictionary site the look-up names; a setting can point it elsewhere.
inline constexpr const char* kDefaultDictionarySite = "https://www.merriam-webster.com";
inline constexpr const char* kOneWordOnly = "Please select only one word";
inline constexpr const char* kNoConcordance = "An additional add-on for Concordance needs to be installed.";

// The selection as a word to look up: spaces trimmed at both ends. A word
// is one when no space is left inside it.
struct SelectedWord {
    std::string word;
    bool single = true;
};
SelectedWord selectedWord(std::string_view selection);

// site + "/dictionary/" + the word, the word percent-encoded so that no
// character of the selection can change the address's shape. An empty
// site is the default one.
std::string dictionaryAddress(std::string_view site, std::string_view word);

// One sense of a word in the offline dictionary.
struct Sense {
    std::string partOfSpeech;         // "noun", "verb", "adjective", "adverb"
    std::vector<std::string> synonyms;  // the words of the sense, the looked-up one first
    std::string gloss;                // the definition, with its examples
};

struct Definition {
    std::string word;       // as asked
    std::string baseForm;   // as the dictionary files it ("forgive" for "forgave")
    std::vector<Sense> senses;
    // False when the offline dictionary is not installed on this machine.
    bool dictionaryInstalled = true;
    bool found() const { return !senses.empty(); }
};

// The senses of a word, nouns first, then verbs, adjectives and adverbs,
// each in the dictionary's order (most common first). Letter case is
// ignored; inflected forms are found through their base form.
Definition define(std::string_view word);

// The definition as plain text (one sense a line, numbered within each
// part of speech) and as a small HTML page for the dictionary window.
std::string definitionText(const Definition& d);
std::string definitionHtml(const Definition& d);

}  // namespace lookup
