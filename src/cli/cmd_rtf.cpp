#include "cli/cli.h"

#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

namespace cli {

namespace {

constexpr const char* Usage =
    "usage: zerafin-cli rtf (--text | --rtf) (FILE | -)\n"
    "  --text  the plain text the reading pane gives for the file (UTF-8, CR LF between lines)\n"
    "  --rtf   the RTF the engine writes for the file after reading it\n"
    "  -       read standard input";

bool readAll(std::istream& in, std::string& out)
{
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int cmdRtf(const Common&, const Args& args)
{
    if (args.size() != 2 || (args[0] != "--text" && args[0] != "--rtf"))
        return fail(Usage, 2);
    const bool asText = args[0] == "--text";
    const std::string& source = args[1];

    std::string content;
    if (source == "-") {
        std::ios::sync_with_stdio(false);
        std::cin.tie(nullptr);
        if (!readAll(std::cin, content))
            return fail("cannot read standard input");
    } else {
        std::error_code ec;
        if (std::filesystem::is_directory(source, ec))
            return fail(source + " is a folder, not a file");
        std::ifstream in(source, std::ios::binary);
        if (!in)
            return fail("cannot open " + source + ": " + std::strerror(errno));
        if (!readAll(in, content))
            return fail("cannot read " + source + ": " + std::strerror(errno));
    }

    // Through the pane's own operations, so the output is what a pane
    // holding the file would give.
    richtext::RichTextDocument pane;
    pane.setRtf(content);
    const std::string out = asText ? pane.text() : pane.rtf();
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("cannot write the result");
    return 0;
}

}  // namespace cli
