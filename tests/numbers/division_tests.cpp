#include "numbers/division.h"
#include "numbers/number_commands.h"
#include "scripted_dialogs.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace numbers;
using Kind = ScriptedDialogs::Kind;

namespace {

const std::string kCrLf = "\r\n";

DivisionResult byOther(std::string_view number, std::string_view divisor)
{
    auto d = parseDivisor(divisor);
    EXPECT_TRUE(d.has_value()) << divisor;
    return divideBy(number, d.value_or(Divisor{1, "1", "1"}));
}

// The quotient entries run together, with the entry count checked: one per
// division step, the first taking two digits.
std::string quotientDigits(const std::string& quotientText, size_t n)
{
    std::string digits;
    size_t entries = 0;
    for (size_t i = 0; i < quotientText.size(); ++i) {
        if (quotientText[i] == ' ') {
            ++entries;
            continue;
        }
        digits.push_back(quotientText[i]);
    }
    EXPECT_EQ(entries, n >= 2 ? n - 1 : 0);
    return digits;
}

std::string randomDigits(std::mt19937_64& rng, size_t n)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::string s(n, '0');
    for (char& c : s)
        c = static_cast<char>('0' + digit(rng));
    return s;
}

// floor(N / D) and N mod D by GMP.
std::pair<std::string, std::uint64_t> gmpDivide(const std::string& digits, unsigned long divisor)
{
    mpz_t n, q;
    mpz_init_set_str(n, digits.empty() ? "0" : digits.c_str(), 10);
    mpz_init(q);
    const unsigned long r = mpz_fdiv_q_ui(q, n, divisor);
    std::string quotient(mpz_sizeinbase(q, 10) + 2, '\0');
    mpz_get_str(quotient.data(), 10, q);
    quotient.resize(std::char_traits<char>::length(quotient.c_str()));
    mpz_clear(n);
    mpz_clear(q);
    return {quotient, r};
}

std::string withoutLeadingZeros(const std::string& s)
{
    size_t i = s.find_first_not_of('0');
    return i == std::string::npos ? "0" : s.substr(i);
}

}  // namespace

TEST(DivideBy19, ResultTextsToTheCharacter)
{
    auto r = divideByNineteen("38");
    EXPECT_EQ(r.res1, "This number IS a multiple of 19 " + kCrLf + "(19 x  2)");
    EXPECT_EQ(r.res2, "The no. of digits is 2 - NOT a multiple of 19.");

    r = divideByNineteen("1000");
    EXPECT_EQ(r.res1, "This number is NOT a multiple of 19. The remainder comes to 12");
    EXPECT_EQ(r.res2, "The no. of digits is 4 - NOT a multiple of 19.");
    EXPECT_EQ(longDivide("1000", 19).quotientText, " 0 5 2");

    EXPECT_EQ(divideByNineteen("1900").res1, "This number IS a multiple of 19 " + kCrLf + "(19 x  1 0 0)");
    EXPECT_EQ(divideByNineteen("0").res1, "This number IS a multiple of 19 " + kCrLf + "(19 x )");
    EXPECT_EQ(divideByNineteen("7").res1, "This number is NOT a multiple of 19. The remainder comes to 7");
    EXPECT_EQ(divideByNineteen("7").res2, "The no. of digits is 1 - NOT a multiple of 19.");

    // Everything but the digits is dropped: "12a7" is 127.
    r = divideByNineteen("12a7");
    EXPECT_EQ(r.res1, "This number is NOT a multiple of 19. The remainder comes to 13");
    EXPECT_EQ(r.res2, "The no. of digits is 3 - NOT a multiple of 19.");

    r = divideByNineteen("no digits here, only words\t\r\n");
    EXPECT_EQ(r.res1, "This number IS a multiple of 19 " + kCrLf + "(19 x )");
    EXPECT_EQ(r.res2, "The no. of digits is 0 which is a multiple of 19 (19 x 0)");

    EXPECT_EQ(divideByNineteen("1234567890123456789").res2,
              "The no. of digits is 19 which is a multiple of 19 (19 x 1)");
    EXPECT_EQ(divideByNineteen(std::string(38, '5')).res2,
              "The no. of digits is 38 which is a multiple of 19 (19 x 2)");
}

TEST(DivideBy19, CleaningKeepsOnlyDigitsWhateverSurroundsThem)
{
    EXPECT_EQ(digitsForNineteen("1 2\t3\r\n4\n5-6.7,8 \xD9\xA1 9"), "123456789");  // Arabic-Indic one is not a digit here
    EXPECT_EQ(divideByNineteen(" 3 7\r\n 1 9").res1, divideByNineteen("3719").res1);
}

TEST(DivideByOther, ResultTextsToTheCharacter)
{
    // Only tabs, line breaks and spaces go; other characters are digits
    // worth 0, so "12a7" is 1207.
    auto r = byOther("12a7", "7");
    EXPECT_EQ(r.res1, "This number is NOT A multiple of 7. The remainder comes to 3");
    EXPECT_EQ(r.res2, "The no. of digits is 4 - NOT a multiple of 7.");

    r = byOther("1 4\t0\r\n0", "7");  // 1400 = 7 x 200
    EXPECT_EQ(r.res1, "This number IS A multiple of 7" + kCrLf + "(7 x  2 0 0)");
    EXPECT_EQ(r.res2, "The no. of digits is 4 - NOT a multiple of 7.");

    r = byOther("1234567", "7");
    EXPECT_EQ(r.res2, "The no. of digits is 7 which is a multiple of 7 (7 x 1)");

    // The divisor's own digits appear as typed; blanks around it do not.
    r = byOther("38", " 019 ");
    EXPECT_EQ(r.res1, "This number IS A multiple of 019" + kCrLf + "(019 x  2)");
    EXPECT_EQ(r.res2, "The no. of digits is 2 - NOT a multiple of 019.");

    // An Arabic letter is one character, so one digit.
    EXPECT_EQ(byOther("1\xD8\xA7" "2", "3").res2, "The no. of digits is 3 which is a multiple of 3 (3 x 1)");
    // A line break typed on this system is a line break, not a digit 0.
    EXPECT_EQ(byOther("12\n34", "2").res2, "The no. of digits is 4 which is a multiple of 2 (2 x 2)");

    EXPECT_EQ(byOther("123456789", "1000003").res1,
              "This number is NOT A multiple of 1000003. The remainder comes to 456420");
}

TEST(DivideByOther, SmallDivisorsGiveTrueQuotientsAndRemainders)
{
    // A one-digit divisor can go into the first two digits ten times or more.
    EXPECT_EQ(byOther("70", "7").res1, "This number IS A multiple of 7" + kCrLf + "(7 x  10)");
    EXPECT_EQ(byOther("99", "2").res1, "This number is NOT A multiple of 2. The remainder comes to 1");
    EXPECT_EQ(longDivide("99", 2).quotientText, " 49");
    // A lone digit is divided too, not taken as its own remainder.
    EXPECT_EQ(byOther("9", "3").res1, "This number IS A multiple of 3" + kCrLf + "(3 x  3)");
    EXPECT_EQ(byOther("7", "3").res1, "This number is NOT A multiple of 3. The remainder comes to 1");
    EXPECT_EQ(byOther("7", "9").res1, "This number is NOT A multiple of 9. The remainder comes to 7");
    EXPECT_EQ(byOther("5", "1").res1, "This number IS A multiple of 1" + kCrLf + "(1 x  5)");
}

TEST(DivideByOther, OnlyPositiveWholeDivisorsAreAccepted)
{
    for (const char* bad : {"", " ", "0", "000", "abc", "7x", "x7", "1.5", "19.0", "-3", "+3", "1e3", "1 9"})
        EXPECT_FALSE(parseDivisor(bad).has_value()) << '"' << bad << '"';
    auto d = parseDivisor("1000000000000000000");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->value, kLargestWordDivisor);
    // Past 10^18 a divisor is still whole and positive, however long.
    for (const char* longer : {"1000000000000000001", "99999999999999999999999", "00018446744073709551617"}) {
        d = parseDivisor(longer);
        ASSERT_TRUE(d) << longer;
        EXPECT_FALSE(d->fitsWord()) << longer;
        EXPECT_EQ(d->text, longer);
        EXPECT_EQ(d->digits.front(), '1' + (longer[0] == '9') * 8);
    }
    d = parseDivisor("\t19 ");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->value, 19u);
    EXPECT_EQ(d->text, "19");

    // The largest divisor still divides exactly: 10^19 + 7 by 10^18.
    EXPECT_EQ(byOther("10000000000000000007", "1000000000000000000").res1,
              "This number is NOT A multiple of 1000000000000000000. The remainder comes to 7");
    auto big = longDivide("99999999999999999999999999", 999999999999999999);
    EXPECT_EQ(big.remainder, gmpDivide("99999999999999999999999999", 999999999999999999).second);
}

TEST(DivisionCommands, QuestionsAndNoticesComeInOrder)
{
    ScriptedDialogs dialogs;
    // An empty number: nothing at all for 19.
    EXPECT_FALSE(divideBy19Command("", dialogs));
    EXPECT_TRUE(dialogs.boxes.empty());

    // 1000 characters never ask, even when most are spaces; 1001 do.
    std::string thousand = "38" + std::string(998, ' ');
    auto r = divideBy19Command(thousand, dialogs);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->res1, "This number IS a multiple of 19 " + kCrLf + "(19 x  2)");
    EXPECT_TRUE(dialogs.boxes.empty());

    const ScriptedDialogs::Box question{Kind::YesNo, std::string(kLongNumberQuestion), {}};
    dialogs.answers = {false};
    EXPECT_FALSE(divideBy19Command(thousand + "1", dialogs));
    EXPECT_EQ(dialogs.boxes, std::vector<ScriptedDialogs::Box>{question});
    dialogs.boxes.clear();
    dialogs.answers = {true};
    r = divideBy19Command(thousand + "0", dialogs);  // 380
    ASSERT_TRUE(r);
    EXPECT_EQ(r->res1, "This number IS a multiple of 19 " + kCrLf + "(19 x  2 0)");
    EXPECT_EQ(dialogs.boxes, std::vector<ScriptedDialogs::Box>{question});

    // Characters are counted, not bytes: 600 Arabic letters are 1200 bytes.
    dialogs.boxes.clear();
    std::string arabic;
    for (int i = 0; i < 600; ++i)
        arabic += "\xD8\xA8";
    EXPECT_TRUE(divideBy19Command(arabic, dialogs));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(DivisionCommands, OtherDivisorAskedFirstAndRefusedWhenInvalid)
{
    const ScriptedDialogs::Box ask{Kind::Input, "Enter the divisor: ", "Divisor"};
    const ScriptedDialogs::Box invalid{Kind::Inform, "Please enter a valid number", {}};

    // The divisor is asked for even when there is no number.
    ScriptedDialogs dialogs;
    dialogs.inputs = {std::string("7")};
    EXPECT_FALSE(divideByOtherCommand("", dialogs));
    EXPECT_EQ(dialogs.boxes, (std::vector<ScriptedDialogs::Box>{ask, invalid}));

    for (std::optional<std::string> typed : {std::optional<std::string>(), std::optional<std::string>(""),
                                             std::optional<std::string>("0"), std::optional<std::string>("abc"),
                                             std::optional<std::string>("2.5"), std::optional<std::string>("-7")}) {
        ScriptedDialogs d;
        d.inputs = {typed};
        EXPECT_FALSE(divideByOtherCommand("1207", d));
        EXPECT_EQ(d.boxes, (std::vector<ScriptedDialogs::Box>{ask, invalid})) << typed.value_or("(cancel)");
    }

    // A valid divisor with a long number: the question comes after the divisor.
    ScriptedDialogs d;
    d.inputs = {std::string("7")};
    d.answers = {false};
    EXPECT_FALSE(divideByOtherCommand(std::string(1001, '7'), d));
    EXPECT_EQ(d.boxes, (std::vector<ScriptedDialogs::Box>{ask, {Kind::YesNo, std::string(kLongNumberQuestion), {}}}));

    ScriptedDialogs ok;
    ok.inputs = {std::string("7")};
    auto r = divideByOtherCommand("12a7", ok);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->res1, "This number is NOT A multiple of 7. The remainder comes to 3");
    EXPECT_EQ(ok.boxes, std::vector<ScriptedDialogs::Box>{ask});
}

TEST(LongDivision, AgreesWithGmpOnRandomNumbers)
{
    std::mt19937_64 rng(20240519);
    const size_t lengths[] = {1, 2, 3, 5, 18, 19, 20, 38, 100, 999, 4096, 100000};
    // 19, 7 and 1000003, and divisors at the edges of how the division
    // steps through the digits.
    for (std::uint64_t divisor : std::initializer_list<std::uint64_t>{19ull, 7ull, 1000003ull, 1ull, 184467440737ull, 184467440738ull,
                                  999999999999999989ull, std::uint64_t{kLargestWordDivisor}}) {
        for (size_t n : lengths) {
            for (int round = 0; round < (n < 1000 ? 20 : 2); ++round) {
                const std::string digits = randomDigits(rng, n);
                const LongDivision ours = longDivide(digits, divisor);
                const auto [quotient, remainder] = gmpDivide(digits, static_cast<unsigned long>(divisor));
                ASSERT_EQ(ours.remainder, remainder) << divisor << " / " << n << " digits";
                if (n >= 2) {
                    ASSERT_EQ(withoutLeadingZeros(quotientDigits(ours.quotientText, n)), quotient)
                        << divisor << " / " << n << " digits";
                }
            }
        }
    }
}

TEST(LongDivision, MultiplesMadeByGmpAreRecognisedWithTheirQuotient)
{
    std::mt19937_64 rng(7);
    for (unsigned long divisor : {19ul, 7ul, 1000003ul}) {
        for (size_t n : {3u, 50u, 20000u}) {
            std::string q = randomDigits(rng, n);
            q[0] = '1';
            mpz_t z;
            mpz_init_set_str(z, q.c_str(), 10);
            mpz_mul_ui(z, z, divisor);
            std::string product(mpz_sizeinbase(z, 10) + 2, '\0');
            mpz_get_str(product.data(), 10, z);
            product.resize(std::char_traits<char>::length(product.c_str()));
            mpz_clear(z);

            const std::string d = std::to_string(divisor);
            const DivisionResult r = divisor == 19 ? divideByNineteen(product) : byOther(product, d);
            const std::string head = divisor == 19 ? "This number IS a multiple of 19 " + kCrLf + "(19 x "
                                                   : "This number IS A multiple of " + d + kCrLf + "(" + d + " x ";
            ASSERT_EQ(r.res1.substr(0, head.size()), head);
            ASSERT_EQ(r.res1.back(), ')');
            const std::string entries = r.res1.substr(head.size(), r.res1.size() - head.size() - 1);
            EXPECT_EQ(withoutLeadingZeros(quotientDigits(entries, product.size())), q);
        }
    }
}

namespace {

// Quotient and remainder by GMP for a divisor of any length.
std::pair<std::string, std::string> gmpDivideLong(const std::string& digits, const std::string& divisor)
{
    mpz_t n, d, q, r;
    mpz_init_set_str(n, digits.empty() ? "0" : digits.c_str(), 10);
    mpz_init_set_str(d, divisor.c_str(), 10);
    mpz_inits(q, r, nullptr);
    mpz_fdiv_qr(q, r, n, d);
    auto text = [](mpz_t v) {
        std::string s(mpz_sizeinbase(v, 10) + 2, '\0');
        mpz_get_str(s.data(), 10, v);
        s.resize(std::char_traits<char>::length(s.c_str()));
        return s;
    };
    std::pair<std::string, std::string> result{text(q), text(r)};
    mpz_clears(n, d, q, r, nullptr);
    return result;
}

}  // namespace

TEST(LongDivision, DivisorsBeyondMachineWordsAgreeWithGmp)
{
    std::mt19937_64 rng(1801);
    for (size_t divisorLength : {19u, 20u, 27u, 38u, 39u, 100u, 1000u}) {
        for (size_t n : {1u, 2u, 18u, 19u, 40u, 999u, 5000u}) {
            for (int round = 0; round < 5; ++round) {
                std::string divisor = randomDigits(rng, divisorLength);
                divisor[0] = static_cast<char>('1' + rng() % 9);
                const std::string digits = randomDigits(rng, n);
                std::string quotientText;
                const std::string remainder = longDivideLongInto(digits, divisor, quotientText);
                const auto [quotient, expected] = gmpDivideLong(digits, divisor);
                ASSERT_EQ(remainder, expected) << divisor << " / " << n << " digits";
                if (n >= 2) {
                    // One entry per step after the first digit, every one a single digit.
                    ASSERT_EQ(quotientText.size(), 2 * (n - 1));
                    ASSERT_EQ(withoutLeadingZeros(quotientDigits(quotientText, n)), quotient);
                }
            }
        }
    }
}

TEST(DivideByOther, LongDivisorsGiveThePanelsTexts)
{
    const std::string divisor = "1000000000000000000000000000057";  // 31 digits
    std::string steps;
    for (int i = 0; i < 29; ++i)
        steps += " 0";
    const DivisionResult twice = byOther("2000000000000000000000000000114", divisor);
    EXPECT_EQ(twice.res1, "This number IS A multiple of " + divisor + kCrLf + "(" + divisor + " x " + steps + " 2)");
    EXPECT_EQ(twice.res2, "The no. of digits is 31 - NOT a multiple of " + divisor + ".");
    EXPECT_EQ(byOther("2000000000000000000000000000120", divisor).res1,
              "This number is NOT A multiple of " + divisor + ". The remainder comes to 6");
    // Shorter than the divisor: the whole number is the remainder.
    EXPECT_EQ(byOther("98765432109876543210", divisor).res1,
              "This number is NOT A multiple of " + divisor + ". The remainder comes to 98765432109876543210");
    EXPECT_EQ(byOther("7", divisor).res1, "This number is NOT A multiple of " + divisor + ". The remainder comes to 7");
}
