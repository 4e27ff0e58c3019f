#include "cli/cli.h"

#include "db/numeric.h"
#include "db/verse_ref.h"
#include "reading/companion_texts.h"

#include <cstdio>

namespace cli {

namespace {

std::string verdict(const reading::CompanionDocument& d)
{
    if (!d.check.exists)
        return "missing";
    if (!d.sizeTested)
        return "ok";
    if (!d.check.recorded)
        return "no size record";
    return d.check.passes() ? "ok" : "modified or corrupted";
}

}  // namespace

// Every companion document with the result of its test, one a line:
// name, verdict, path, size and the size record.
int cmdDocuments(const Common& common, const Args& args)
{
    if (!args.empty())
        return fail("usage: zerafin-cli documents", 2);
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    bool allPass = true;
    for (const auto& d : reading::companionDocuments(db, common.programFolder, common.language)) {
        allPass = allPass && d.passes();
        std::string record = "-";
        if (d.sizeTested && d.check.recorded)
            record = "ID " + std::to_string(*d.check.recorded) + " (size / 200 = " +
                     std::to_string(d.check.size / reading::kSizeUnit) + ")";
        std::printf("%s\t%s\t%s\t%lld bytes\t%s\n", d.name.c_str(), verdict(d).c_str(), d.check.path.c_str(),
                    d.check.size, record.c_str());
    }
    return allPass ? 0 : 1;
}

// The entries of the list of subtitles or footnotes, as the list shows them.
int cmdList(const Common& common, const Args& args)
{
    const char* usage = "usage: zerafin-cli list (subtitles | footnotes) [--sura N]";
    std::optional<reading::ListKind> kind;
    int sura = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "subtitles" && !kind)
            kind = reading::ListKind::Subtitles;
        else if (args[i] == "footnotes" && !kind)
            kind = reading::ListKind::Footnotes;
        else if (args[i] == "--sura" && i + 1 < args.size()) {
            const auto n = db::wholeNumber(args[++i]);
            if (!n || *n < 1 || *n > db::kSuraCount)
                return fail("zerafin-cli list: --sura takes a sura number from 1 to 114, not '" + args[i] + "'", 2);
            sura = static_cast<int>(*n);
        } else
            return fail(usage, 2);
    }
    if (!kind)
        return fail(usage, 2);
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    for (const std::string& entry : reading::listEntries(db, *kind, sura))
        std::printf("%s\n", entry.c_str());
    return 0;
}

}  // namespace cli
