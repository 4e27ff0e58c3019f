// zerafin-cli range and search --format: the verse range and the search
// result printed as the reading pane shows them, as RTF, as a web page and
// as a table.
#include "export/result_display.h"
#include "reading/richtext/rtf_reader.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing_support::runProgram;
using testing_support::TempDir;

namespace {

struct ExportCli : ::testing::Test {
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
        ASSERT_TRUE(db.openFile(dir / "English.ttb"));
    }
    testing_support::RunResult cli(std::vector<std::string> args)
    {
        std::vector<std::string> argv = {ZF_CLI_EXE, "--folder", dir.path().string()};
        argv.insert(argv.end(), args.begin(), args.end());
        return runProgram(argv);
    }
    // The pane's text as a terminal prints it.
    static std::string lines(const std::string& paneText)
    {
        std::string out;
        for (size_t i = 0; i < paneText.size(); ++i)
            if (!(paneText[i] == '\r' && i + 1 < paneText.size() && paneText[i + 1] == '\n'))
                out.push_back(paneText[i]);
        return out;
    }
    TempDir dir;
    db::Database db;
};

}  // namespace

TEST_F(ExportCli, RangePrintsTheVersesAsViewVersesShowsThem)
{
    auto r = cli({"range", "1:2", "2:1"});
    ASSERT_EQ(r.status, 0) << r.err;
    richtext::RichTextDocument pane;
    exporting::renderResultEntries(db, {"1:2", "2:0", "2:1"}, pane);
    EXPECT_EQ(r.out, lines(pane.text()));
    EXPECT_NE(r.out.find("[1:2] Second test line, forgive and mercy."), std::string::npos);
    EXPECT_NE(r.out.find("*1:2 A test footnote."), std::string::npos);
    EXPECT_NE(r.out.find("Opening of the second test sura"), std::string::npos);
    EXPECT_NE(r.out.find("[2:1]"), std::string::npos);
    EXPECT_EQ(r.out.find("[1:1]"), std::string::npos);
    EXPECT_EQ(r.out.find("[2:2]"), std::string::npos);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);

    // A bare sura is the whole sura.
    r = cli({"range", "114", "114"});
    EXPECT_NE(r.out.find("Opening of the last test sura"), std::string::npos);
    EXPECT_NE(r.out.find("[114:1] Final line."), std::string::npos);

    r = cli({"range", "1:2", "2:1", "--rtf"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\\rtf", 0), 0u);
    richtext::RichTextDocument printed;
    printed.setRtf(r.out);
    EXPECT_EQ(printed.text(), pane.text());

    r = cli({"range", "1:1", "1:2", "--html"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(r.out.find("<b>Opening words</b>"), std::string::npos);
    // The footnote at the footnote size (10.5 points), the verse at 12.5.
    EXPECT_NE(r.out.find("font-size: 10.5pt;\">*1:2 A test footnote."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("font-size: 12.5pt;\">[1:2] Second"), std::string::npos) << r.out;

    r = cli({"range", "1:1", "2:2", "--csv"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "sura,verse,text\r\n"
              "1,1,First test line about mercy.\r\n"
              "1,2,\"Second test line, forgive and mercy.\"\r\n"
              "2,0,Opening of the second test sura\r\n"
              "2,1,A line that mentions nothing.\r\n"
              "2,2,\"Mercy, mercy: a line (twice).\"\r\n");
}

TEST_F(ExportCli, RangeRefusesWhatIsNoRangeAndSaysWhenItHoldsNoVerse)
{
    auto r = cli({"range", "2:3", "2:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no verse"), std::string::npos);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"range", "2:1"},
                                               {"range", "2:1", "2:x"},
                                               {"range", "2:1;DROP TABLE ZOVR", "2:2"},
                                               {"range", "2:1", "2:2", "--rtf", "--csv"},
                                               {"range", "2:1", "2:2", "--pdf"}}) {
        r = cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(cli({"sql", "SELECT count(*) FROM ZOVR"}).out, "10\n");
}

TEST_F(ExportCli, SearchPrintsTheResultWithItsVerseText)
{
    // The references, as before.
    auto refs = cli({"search", "mercy"});
    ASSERT_EQ(refs.status, 0) << refs.err;
    EXPECT_NE(refs.out.find("Result Count: 3"), std::string::npos) << refs.out;

    auto r = cli({"search", "--format", "text", "mercy"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Search Word: mercy", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Result Count: 3"), std::string::npos);
    const size_t first = r.out.find("[1:1] First test line about mercy.");
    const size_t second = r.out.find("[1:2] Second test line");
    const size_t third = r.out.find("[2:2] Mercy, mercy");
    EXPECT_NE(first, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_EQ(r.out.find("[2:1]"), std::string::npos);

    r = cli({"search", "--format", "csv", "mercy"});
    EXPECT_EQ(r.out,
              "sura,verse,text\r\n"
              "1,1,First test line about mercy.\r\n"
              "1,2,\"Second test line, forgive and mercy.\"\r\n"
              "2,2,\"Mercy, mercy: a line (twice).\"\r\n");
    r = cli({"search", "--format", "html", "mercy"});
    EXPECT_NE(r.out.find("<b>Search Word: mercy"), std::string::npos) << r.out;
    r = cli({"search", "--format", "rtf", "mercy"});
    EXPECT_EQ(r.out.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(richtext::rtfToPlainText(r.out).find("[2:2] Mercy, mercy"), std::string::npos);

    r = cli({"search", "--format", "pdf", "mercy"});
    EXPECT_EQ(r.status, 2);
}
