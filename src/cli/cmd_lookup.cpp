#include "cli/cli.h"

#include "lookup/concordance.h"
#include "lookup/dictionary.h"

#include <cstdio>

namespace cli {

// The offline dictionary's senses of a word.
int cmdDefine(const Common&, const Args& args)
{
    if (args.size() != 1 || args[0].empty())
        return fail("usage: zerafin-cli define WORD", 2);
    const lookup::SelectedWord selected = lookup::selectedWord(args[0]);
    if (!selected.single)
        return fail(lookup::kOneWordOnly, 2);
    const lookup::Definition d = lookup::define(selected.word);
    if (!d.dictionaryInstalled)
        return fail("the offline dictionary (WordNet) is not installed; scripts/setup installs it");
    if (!d.found())
        return fail("'" + selected.word + "' is not in the offline dictionary");
    std::fputs(lookup::definitionText(d).c_str(), stdout);
    return 0;
}

// The verses a word stands in, as the concordance lists them.
int cmdConcordance(const Common& common, const Args& args)
{
    const char* usage = "usage: zerafin-cli concordance WORD [--area verses | subtitles | footnotes]";
    lookup::Area area = lookup::Area::Verses;
    std::string word;
    bool haveWord = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--area" && i + 1 < args.size()) {
            if (!lookup::parseArea(args[++i], area))
                return fail("zerafin-cli concordance: the area is verses, subtitles or footnotes, not '" + args[i] + "'", 2);
        } else if (!haveWord) {
            word = args[i];
            haveWord = true;
        } else {
            return fail(usage, 2);
        }
    }
    if (!haveWord)
        return fail(usage, 2);
    const lookup::SelectedWord selected = lookup::selectedWord(word);
    if (selected.word.empty() || !selected.single)
        return fail(lookup::kOneWordOnly, 2);
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    for (const lookup::Ref& r : lookup::referencesOf(db, area, selected.word))
        std::printf("%s\n", r.display().c_str());
    return 0;
}

}  // namespace cli
