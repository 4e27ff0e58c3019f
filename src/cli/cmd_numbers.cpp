#include "cli/cli.h"

#include "numbers/arabic_entry.h"
#include "numbers/division.h"
#include "numbers/gematria.h"
#include "numbers/utf8.h"

#include <cstdio>
#include <iostream>
#include <iterator>

namespace cli {

namespace {

void print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

int finish()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("cannot write the result");
    return 0;
}

}  // namespace

int cmdDivide(const Common&, const Args& args)
{
    static const char* usage = "usage: zerafin-cli divide [--by DIVISOR] [NUMBER | -]";
    std::optional<std::string> divisorText;
    std::optional<std::string> number;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--by") {
            if (i + 1 >= args.size())
                return fail(usage, 2);
            divisorText = args[++i];
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && a != "-") {
            return fail("unknown option '" + a + "'\n" + usage, 2);
        } else if (!number) {
            number = a;
        } else {
            return fail(usage, 2);
        }
    }
    // Without a number, or with "-", the number comes from standard input.
    if (!number || *number == "-")
        number = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());

    numbers::DivisionResult result;
    if (divisorText) {
        auto divisor = numbers::parseDivisor(*divisorText);
        if (!divisor || number->empty()) {
            std::fprintf(stderr, "%s\n", std::string(numbers::kInvalidNumber).c_str());
            return 2;
        }
        result = numbers::divideBy(*number, *divisor);
    } else {
        if (number->empty())
            return fail("there is no number to divide", 2);
        result = numbers::divideByNineteen(*number);
    }
    print(result.res1);
    print(result.res2);
    return finish();
}

int cmdGematria(const Common&, const Args& args)
{
    static const char* usage =
        "usage: zerafin-cli gematria (--words | --letters | --details) [--word-before] [--word-after]\n"
        "       [--letter-before] [--letter-after] [--reset] [--] EXPRESSION";
    enum class Mode { None, Words, Letters, Details } mode = Mode::None;
    numbers::GvOptions options;
    std::optional<std::string> expression;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        Mode chosen = Mode::None;
        if (optionsEnded || a.empty() || a[0] != '-') {
            if (expression)
                return fail(usage, 2);
            expression = a;
            continue;
        }
        if (a == "--")
            optionsEnded = true;
        else if (a == "--words")
            chosen = Mode::Words;
        else if (a == "--letters")
            chosen = Mode::Letters;
        else if (a == "--details")
            chosen = Mode::Details;
        else if (a == "--word-before")
            options.wordBefore = true;
        else if (a == "--word-after")
            options.wordAfter = true;
        else if (a == "--letter-before")
            options.letterBefore = true;
        else if (a == "--letter-after")
            options.letterAfter = true;
        else if (a == "--reset")
            options.resetLetterCount = true;
        else
            return fail("unknown option '" + a + "'\n" + usage, 2);
        if (chosen != Mode::None) {
            if (mode != Mode::None && mode != chosen)
                return fail("choose one of --words, --letters and --details\n" + std::string(usage), 2);
            mode = chosen;
        }
    }
    if (mode == Mode::None || !expression)
        return fail(usage, 2);

    const std::u32string text = numbers::decodeUtf8(*expression);
    switch (mode) {
    case Mode::Words:
        print(numbers::wordWiseValues(text, options));
        break;
    case Mode::Letters:
        print(numbers::letterWiseValues(text, options));
        break;
    default:
        print(numbers::detailsText(numbers::gvDetails(text)));
        break;
    }
    return finish();
}

int cmdTranslit(const Common&, const Args& args)
{
    static const char* usage = "usage: zerafin-cli translit [--] TEXT";
    size_t first = (!args.empty() && args[0] == "--") ? 1 : 0;
    if (args.size() != first + 1)
        return fail(usage, 2);
    numbers::GvExpression expression;
    expression.getArabicUtf8(args[first]);
    print(expression.expressionUtf8());
    return finish();
}

}  // namespace cli
