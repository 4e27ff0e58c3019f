// The number panels in the main window, as a reader uses them: the long
// division panel with its saved numbers, and the gematrical-value panel
// with its keyboard and transliteration handing digits to the division.
#include "numbers/frame_gv.h"
#include "reading/reading_view.h"
#include "support/main_window_fixture.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using testing_support::MainWindowFixture;
using Kind = ScriptedPrompter::Kind;

namespace {

const std::string kIsMultiple38 = "This number IS a multiple of 19 \r\n(19 x  2)";
const std::string kRemainder12 = "This number is NOT a multiple of 19. The remainder comes to 12";
const QString kInvalid = QStringLiteral("Please enter a valid number");

class NumberPanels : public ::testing::Test {
protected:
    MainWindowFixture f;
    frmMain& m = f.main();

    RichTextPane* pane(const char* name) { return m.control<RichTextPane>(QString::fromLatin1(name)); }
    std::string text(const char* name) { return pane(name)->model().text(); }
    void setNumber(const std::string& s) { pane("rtfNum")->model().setText(s); }
    QListWidget* file1() { return m.control<QListWidget>(QStringLiteral("File1")); }
    QStringList listed()
    {
        QStringList out;
        for (int i = 0; i < file1()->count(); ++i)
            out << file1()->item(i)->text();
        return out;
    }
    fs::path numbers() { return f.folder() / "Numbers"; }
    QLineEdit* line(const char* name) { return m.control<QLineEdit>(QString::fromLatin1(name)); }
    QWidget* panel(const char* name) { return m.sidePanel(QString::fromLatin1(name)); }
    void click(const char* name) { ASSERT_TRUE(f.press(QString::fromLatin1(name))) << name; }
    void clickKey(int key)
    {
        auto* button = m.control<QToolButton>(QStringLiteral("Char_%1").arg(key));
        ASSERT_NE(button, nullptr) << key;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void typeLatin(const QString& latin)
    {
        line("Text4")->setText(latin);
        click("Command21");
    }
    // The boxes shown since the last call.
    std::vector<ScriptedPrompter::Box> takeBoxes()
    {
        auto boxes = f.prompter().boxes();
        f.prompter().clear();
        return boxes;
    }
};

// Characters typed on a keyboard that has them (QTest knows only ASCII keys).
void typeText(QWidget* target, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// ---------------------------------------------------------------- division

TEST_F(NumberPanels, DivisionPanelDividesWhatIsTypedThroughItsButtonsAndEnter)
{
    click("mnuDiv");
    EXPECT_TRUE(m.leftExpanded());
    EXPECT_TRUE(panel("frameNumDiv")->isVisible());
    for (const char* other : {"frameGV", "frameSettings", "frameRev", "frameFootnotes"})
        EXPECT_FALSE(panel(other)->isVisible()) << other;
    EXPECT_EQ(QApplication::focusWidget(), pane("rtfNum")->view());
    EXPECT_TRUE(m.control<QPushButton>(QStringLiteral("cmdDivide19"))->isDefault());

    QTest::keyClicks(pane("rtfNum")->view(), QStringLiteral("38"));
    EXPECT_EQ(text("rtfNum"), "38");
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes1"), kIsMultiple38);
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 2 - NOT a multiple of 19.");

    // Enter in the number box divides; it does not start a new line.
    setNumber("1000");
    f.key(Qt::Key_Return, pane("rtfNum")->view());
    EXPECT_EQ(text("rtfRes1"), kRemainder12);
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 4 - NOT a multiple of 19.");
    EXPECT_EQ(text("rtfNum"), "1000");

    setNumber("1900\r\n\t");
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes1"), "This number IS a multiple of 19 \r\n(19 x  1 0 0)");
    setNumber("1234567890123456789");
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 19 which is a multiple of 19 (19 x 1)");

    // Divide by 19 reads only the digits; another divisor counts every character.
    setNumber("12a7");
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes1"), "This number is NOT a multiple of 19. The remainder comes to 13");
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 3 - NOT a multiple of 19.");
    EXPECT_TRUE(takeBoxes().empty());
    f.prompter().inputs = {QStringLiteral("7")};
    click("cmdDivCust");
    EXPECT_EQ(text("rtfRes1"), "This number is NOT A multiple of 7. The remainder comes to 3");
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 4 - NOT a multiple of 7.");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Kind::Input);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Enter the divisor: "));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Divisor"));
    EXPECT_EQ(text("rtfNum"), "12a7");  // the number itself is never changed

    // An empty number box divides nothing and says nothing.
    click("cmdClear");
    EXPECT_EQ(text("rtfNum"), "");
    EXPECT_EQ(text("rtfRes1"), "");
    EXPECT_EQ(text("rtfRes2"), "");
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes1"), "");
    EXPECT_TRUE(takeBoxes().empty());
}

TEST_F(NumberPanels, MoreThanAThousandCharactersAskFirst)
{
    click("mnuDiv");
    setNumber(std::string(998, '1') + "  ");  // 1000 characters, mostly spaces or not: no question
    click("cmdDivide19");
    EXPECT_TRUE(takeBoxes().empty());
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 998 - NOT a multiple of 19.");

    setNumber(std::string(1001, '1'));
    f.prompter().yesNo = {false};
    click("cmdDivide19");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Kind::YesNo);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Since the Number of Digits is in Thousands, it may take a while to divide. "
                                            "Do you wish to continue?"));
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 998 - NOT a multiple of 19.");  // No: nothing changed

    f.prompter().yesNo = {true};
    click("cmdDivide19");
    EXPECT_EQ(takeBoxes().size(), 1u);
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 1001 - NOT a multiple of 19.");

    // The other divisor is asked for first, then the question.
    f.prompter().inputs = {QStringLiteral("7")};
    f.prompter().yesNo = {false};
    click("cmdDivCust");
    boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, Kind::Input);
    EXPECT_EQ(boxes[1].kind, Kind::YesNo);
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 1001 - NOT a multiple of 19.");
    f.prompter().inputs = {QStringLiteral("7")};
    click("cmdDivCust");
    // 111111 is 7 x 15873, so 1001 ones (1001 = 6 x 166 + 5) leave 11111 mod 7.
    EXPECT_EQ(text("rtfRes1"), "This number is NOT A multiple of 7. The remainder comes to " + std::to_string(11111 % 7));
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 1001 which is a multiple of 7 (7 x 143)");
}

TEST_F(NumberPanels, NumbersOfHundredsOfThousandsOfDigitsShowAndDivideQuickly)
{
    click("mnuDiv");
    // 300 000 digits, a multiple of 19, so the quotient is shown in full.
    std::string digits;
    for (int i = 0; i < 300000 / 6; ++i)
        digits += "123462";  // 19 x 6498
    QElapsedTimer clock;
    clock.start();
    setNumber(digits);
    MainWindowFixture::settle();
    f.prompter().yesNo = {true};
    click("cmdDivide19");
    pane("rtfRes1")->flush();
    // Showing a number this long once took seconds per hundred thousand
    // digits, growing with the square of the length.
    EXPECT_LT(clock.elapsed(), 4000);
    const std::string res1 = text("rtfRes1");
    EXPECT_EQ(res1.rfind("This number IS a multiple of 19 \r\n(19 x  0 6 4 9 8 0 0 6 4 9 8", 0), 0u);
    EXPECT_EQ(res1.size(), std::string("This number IS a multiple of 19 \r\n(19 x )").size() + 2 * (300000 - 1));
    EXPECT_EQ(text("rtfRes2"), "The no. of digits is 300000 - NOT a multiple of 19.");
}

TEST_F(NumberPanels, DivisorsThatAreNotPositiveWholeNumbersAreRefused)
{
    click("mnuDiv");
    setNumber("38");
    click("cmdDivide19");
    takeBoxes();
    for (const std::optional<QString>& answer :
         std::vector<std::optional<QString>>{QStringLiteral(""), QStringLiteral("0"), QStringLiteral("abc"),
                                             QStringLiteral("1.5"), QStringLiteral("-7"), QStringLiteral("7x"),
                                             std::nullopt}) {
        f.prompter().inputs = {answer};
        click("cmdDivCust");
        const auto boxes = takeBoxes();
        ASSERT_EQ(boxes.size(), 2u) << answer.value_or(QStringLiteral("(cancel)")).toStdString();
        EXPECT_EQ(boxes[1].kind, Kind::Information);
        EXPECT_EQ(boxes[1].text, kInvalid);
        EXPECT_EQ(text("rtfRes1"), kIsMultiple38) << "results stay as they were";
    }
    // An empty number is only noticed after the divisor was asked for.
    click("cmdClear");
    f.prompter().inputs = {QStringLiteral("7")};
    click("cmdDivCust");
    const auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, Kind::Input);
    EXPECT_EQ(boxes[1].text, kInvalid);
    EXPECT_EQ(text("rtfRes1"), "");

    // A divisor with blanks around it divides, and is shown without them.
    setNumber("1001");
    f.prompter().inputs = {QStringLiteral(" 13 ")};
    click("cmdDivCust");
    EXPECT_EQ(text("rtfRes1"), "This number IS A multiple of 13\r\n(13 x  0 7 7)");
}

TEST_F(NumberPanels, PastedNumbersKeepOnlyTheirCharacters)
{
    click("mnuDiv");
    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b><span style='color:#ff0000'>1</span>9</b><i>38</i>"));
    mime->setText(QStringLiteral("1938"));
    mime->setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1 {\\b\\cf1 1}938}"));
    QApplication::clipboard()->setMimeData(mime);
    QTextEdit* view = pane("rtfNum")->view();
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("7 "));
    f.key(Qt::Key_V, view, Qt::ControlModifier);
    EXPECT_EQ(text("rtfNum"), "7 1938");
    richtext::RichTextDocument plain;
    plain.setText("7 1938");
    EXPECT_EQ(pane("rtfNum")->model().rtf(), plain.rtf()) << "no bold, italic or colour came with it";
    // Typing goes on where the paste ended.
    QTest::keyClicks(view, QStringLiteral("0"));
    EXPECT_EQ(text("rtfNum"), "7 19380");
}

// ---------------------------------------------------------------- saved numbers

TEST_F(NumberPanels, SavedNumbersAreAddedListedLoadedAndDeleted)
{
    click("mnuDiv");
    EXPECT_EQ(file1()->count(), 0);

    setNumber("1900");
    f.prompter().inputs = {QStringLiteral("Nineteen hundred")};
    click("cmdAdd");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Give a Name to the Number for identification"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Save Number"));
    EXPECT_EQ(readAll(numbers() / "Nineteen hundred"), "1900");
    setNumber("38\r\n19");
    f.prompter().inputs = {QStringLiteral("apple")};
    click("cmdAdd");
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("apple"), QStringLiteral("Nineteen hundred")}));
    // The number just saved is the one chosen in the list.
    ASSERT_EQ(file1()->selectedItems().size(), 1);
    EXPECT_EQ(file1()->selectedItems().front()->text(), QStringLiteral("apple"));
    takeBoxes();

    // Saving under a name in use replaces that number without asking.
    setNumber("57");
    f.prompter().inputs = {QStringLiteral("apple")};
    click("cmdAdd");
    EXPECT_EQ(readAll(numbers() / "apple"), "57");
    EXPECT_EQ(file1()->count(), 2);
    EXPECT_TRUE(takeBoxes().size() == 1);

    // Choosing an entry with the mouse loads it; choosing it again after an
    // edit loads it again.
    click("cmdClear");
    const QRect second = file1()->visualItemRect(file1()->item(1));
    QTest::mouseClick(file1()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(text("rtfNum"), "1900");
    setNumber("edited");
    QTest::mouseClick(file1()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(text("rtfNum"), "1900");
    // … and with the keys, or set by code.
    f.key(Qt::Key_Up, file1());
    EXPECT_EQ(text("rtfNum"), "57");
    file1()->setCurrentRow(1);
    EXPECT_EQ(text("rtfNum"), "1900");

    // A number saved by another program shows when the panel opens again.
    testing_support::writeFile(numbers() / "zeta", "19");
    click("mnuGV");
    click("mnuDiv");
    EXPECT_EQ(listed().size(), 3);
    EXPECT_EQ(file1()->selectedItems().front()->text(), QStringLiteral("Nineteen hundred"));

    // Delete asks first; No keeps the number.
    f.prompter().yesNo = {false};
    click("cmdDel");
    boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Are you sure you wish to delete this number?"));
    EXPECT_TRUE(fs::exists(numbers() / "Nineteen hundred"));

    // Yes deletes the chosen number; the first one left is chosen and shown.
    setNumber("something else");
    click("cmdDel");
    EXPECT_FALSE(fs::exists(numbers() / "Nineteen hundred"));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("apple"), QStringLiteral("zeta")}));
    EXPECT_EQ(file1()->currentRow(), 0);
    EXPECT_TRUE(file1()->item(0)->isSelected());
    EXPECT_EQ(text("rtfNum"), "57");
    EXPECT_EQ(takeBoxes().size(), 1u);

    // With nothing chosen the question still comes first, then the notice.
    file1()->clearSelection();
    click("cmdDel");
    boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, Kind::YesNo);
    EXPECT_EQ(boxes[1].kind, Kind::Information);
    EXPECT_EQ(boxes[1].text, QStringLiteral("Please select a Number from the List to delete"));
    EXPECT_EQ(listed().size(), 2);

    // Deleting the last numbers leaves an empty list and the box as it was.
    file1()->setCurrentRow(1);
    click("cmdDel");
    file1()->setCurrentRow(0);
    setNumber("kept");
    click("cmdDel");
    EXPECT_EQ(file1()->count(), 0);
    EXPECT_EQ(text("rtfNum"), "kept");
    EXPECT_TRUE(fs::is_empty(numbers()));
}

TEST_F(NumberPanels, NamesThatCannotBeUsedAreReported)
{
    click("mnuDiv");
    setNumber("38");
    for (const QString& name : {QStringLiteral("../escape"), QStringLiteral("a/b"), QStringLiteral(".."),
                                QStringLiteral(".hidden"), QString(300, u'x')}) {
        f.prompter().inputs = {name};
        click("cmdAdd");
        const auto boxes = takeBoxes();
        ASSERT_EQ(boxes.size(), 2u) << name.toStdString();
        EXPECT_EQ(boxes[1].kind, Kind::Information);
        EXPECT_TRUE(boxes[1].text.contains(name)) << boxes[1].text.toStdString();
        EXPECT_FALSE(boxes[1].text.isEmpty());
    }
    EXPECT_FALSE(fs::exists(f.folder() / "escape"));
    EXPECT_EQ(file1()->count(), 0);
    EXPECT_TRUE(!fs::exists(numbers()) || fs::is_empty(numbers()));

    // No name at all, or Cancel.
    for (const std::optional<QString>& answer : std::vector<std::optional<QString>>{QString(), std::nullopt}) {
        f.prompter().inputs = {answer};
        click("cmdAdd");
        const auto boxes = takeBoxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].text, QStringLiteral("Please give a Name to the Number"));
    }
    EXPECT_EQ(file1()->count(), 0);
}

TEST_F(NumberPanels, DetailsOfAboveShowsTheNumberDocument)
{
    click("mnuDiv");
    // The document the build installs explains the panel.
    const fs::path document = f.folder() / "Files" / "English" / "Numbers.htm";
    ASSERT_TRUE(fs::exists(document));
    EXPECT_NE(readAll(document).find("Divide by 19"), std::string::npos);

    fs::remove(document);
    click("cmdNav");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Numbers.htm")));
    EXPECT_TRUE(m.reading().wb()->isHidden());

    testing_support::writeFile(document, "<html><body><h1>Numbers</h1></body></html>");
    click("cmdNav");
    EXPECT_TRUE(takeBoxes().empty());
    EXPECT_FALSE(m.reading().wb()->isHidden());
    EXPECT_TRUE(m.reading().msg()->isHidden());
    EXPECT_TRUE(m.verseList()->isHidden());
    EXPECT_EQ(fs::path(m.reading().wb()->address().toStdString()), document);
}

// ---------------------------------------------------------------- gematrical values

TEST_F(NumberPanels, KeyboardTypesTheExpressionInReadingOrder)
{
    click("mnuGV");
    EXPECT_TRUE(panel("frameGV")->isVisible());
    EXPECT_FALSE(panel("frameNumDiv")->isVisible());
    EXPECT_TRUE(m.control<QPushButton>(QStringLiteral("Command27"))->isDefault());
    auto* chkType = m.control<QCheckBox>(QStringLiteral("chkType"));
    EXPECT_TRUE(chkType->isChecked());
    EXPECT_EQ(m.control<QToolButton>(QStringLiteral("Char_6"))->text(), QStringLiteral("ا"));
    EXPECT_EQ(m.control<QToolButton>(QStringLiteral("Char_35"))->text(), QStringLiteral("ذ"));
    EXPECT_EQ(m.control<QToolButton>(QStringLiteral("Char_36"))->text(), QStringLiteral("Space"));
    EXPECT_EQ(m.control<QToolButton>(QStringLiteral("Char_37"))->text(), QStringLiteral("Clear All"));
    EXPECT_EQ(m.control<QToolButton>(QStringLiteral("Char_31")), nullptr);

    QWidget* before = QApplication::focusWidget();
    EXPECT_EQ(before, line("Text1"));
    for (int key : {6, 7, 36, 11, 14})  // ا ب space ج د
        clickKey(key);
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("اب جد"));
    EXPECT_EQ(line("rtf")->text(), QStringLiteral("دج با"));
    EXPECT_FALSE(line("rtf")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), before) << "the keys leave the focus where it was";

    // Clear All empties only the working copy.
    clickKey(37);
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("اب جد"));
    EXPECT_EQ(line("rtf")->text(), QString());

    // With Click to Type off the keys type nothing.
    chkType->setChecked(false);
    clickKey(8);
    clickKey(36);
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("اب جد"));
    chkType->setChecked(true);

    // What the reader types in the box itself is the expression too.
    line("Text1")->clear();
    typeText(line("Text1"), QStringLiteral("جد"));
    clickKey(6);
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("جدا"));

    // Opening the panel again starts a new expression.
    click("mnuGV");
    EXPECT_EQ(line("Text1")->text(), QString());
    EXPECT_EQ(line("rtf")->text(), QString());
    EXPECT_TRUE(f.prompter().boxes().empty());
}

TEST_F(NumberPanels, CalculationsHandTheirDigitsToTheDivisionPanel)
{
    click("mnuGV");
    typeLatin(QStringLiteral(" A B  G D"));
    EXPECT_EQ(line("Text1")->text().trimmed(), QStringLiteral("اب جد"));

    click("Command27");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Kind::Information);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Number of Letters: 4\t=19x0.210526315789474\r\n"
                                            "Number of Words: 2\t=19x0.105263157894737\r\n"
                                            "Gematrical Value: 10\t=19x0.526315789473684"));
    EXPECT_EQ(line("Text1")->text().trimmed(), QStringLiteral("اب جد"));
    EXPECT_TRUE(panel("frameGV")->isVisible());
    // Enter in the expression box asks for the details too.
    f.key(Qt::Key_Return, line("Text1"));
    boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Number of Letters: 4")));

    click("Command25");
    EXPECT_TRUE(panel("frameNumDiv")->isVisible());
    EXPECT_FALSE(panel("frameGV")->isVisible());
    EXPECT_EQ(text("rtfNum"), " 3 7");
    EXPECT_EQ(m.reading().fordata().text(), " 3 7");
    // The expression stays; the working copy is rebuilt from it, trimmed.
    EXPECT_EQ(line("Text1")->text().trimmed(), QStringLiteral("اب جد"));
    EXPECT_EQ(line("rtf")->text(), QStringLiteral("دج با"));
    click("cmdDivide19");
    EXPECT_EQ(text("rtfRes1"), "This number is NOT a multiple of 19. The remainder comes to 18");

    m.control<QCheckBox>(QStringLiteral("chkWord1"))->setChecked(true);
    click("Command25");
    EXPECT_EQ(text("rtfNum"), " 1  3 2  7");
    m.control<QCheckBox>(QStringLiteral("chkWord1"))->setChecked(false);

    m.control<QCheckBox>(QStringLiteral("chkLetter1"))->setChecked(true);
    click("Command26");
    EXPECT_EQ(text("rtfNum"), "  1  1 2  2  3  3 4  4");
    m.control<QCheckBox>(QStringLiteral("chkReset"))->setChecked(true);
    click("Command26");
    EXPECT_EQ(text("rtfNum"), "  1  1 2  2  1  3 2  4");

    // An empty expression is one word of value 0.
    click("mnuGV");
    click("Command25");
    EXPECT_EQ(text("rtfNum"), " 0");
    click("Command26");
    EXPECT_EQ(text("rtfNum"), " ");
}

TEST_F(NumberPanels, GetArabicBuildsOnTheWorkingCopyAndClearTextEmptiesTheLatinBox)
{
    click("mnuGV");
    typeLatin(QStringLiteral(" A B"));
    // The working copy holds reverse reading order; the box reads from the start.
    EXPECT_EQ(line("rtf")->text(), QStringLiteral("با "));
    EXPECT_EQ(line("Text1")->text(), QStringLiteral(" اب"));
    EXPECT_EQ(line("Text4")->text(), QStringLiteral(" A B"));

    // The next conversion goes on from there: its letters follow in reading
    // order, its added space goes in front.
    typeLatin(QStringLiteral(" ASh"));
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("  اباش"));
    typeLatin(QStringLiteral(" a sh"));  // lower case is no code: only the added space
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("   اباش"));

    click("Command22");
    EXPECT_EQ(line("Text4")->text(), QString());
    EXPECT_EQ(line("Text1")->text(), QStringLiteral("   اباش"));

    // After Clear All the next conversion starts from nothing.
    clickKey(37);
    typeLatin(QStringLiteral(" A Sh"));
    EXPECT_EQ(line("Text1")->text(), QStringLiteral(" اسش"));
    click("Command27");
    EXPECT_TRUE(f.prompter().boxes().back().text.startsWith(QStringLiteral("Number of Letters: 3\t")));
}

TEST_F(NumberPanels, LongExpressionsAreNeverCutShort)
{
    click("mnuGV");
    // 80 000 characters of transliteration: 40 000 letters beh.
    QString latin;
    for (int i = 0; i < 40000; ++i)
        latin += QStringLiteral(" B");
    typeLatin(latin);
    EXPECT_EQ(line("Text4")->text().size(), 80000);
    EXPECT_EQ(line("Text1")->text().size(), 40001);
    EXPECT_EQ(line("rtf")->text().size(), 40001);
    click("Command25");
    EXPECT_EQ(text("rtfNum"), " 80000");
    // Typing on goes on at the end of the whole expression.
    click("mnuGV");
    typeLatin(latin);
    clickKey(36);
    clickKey(6);
    EXPECT_EQ(line("Text1")->text().size(), 40003);
    click("Command25");
    EXPECT_EQ(text("rtfNum"), " 80000 1");
}

// ---------------------------------------------------------------- how the panels look

TEST(NumberPanelLayout, PanelsFitTheColumnAndTheKeyboardKeepsItsShape)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    const char* shotDir = std::getenv("ZF_SCREENSHOT_DIR");

    for (const QSize size : {QSize(1400, 900), m.minimumSize()}) {
        m.resize(size);
        MainWindowFixture::settle();
        for (const char* name : {"frameNumDiv", "frameGV"}) {
            ASSERT_TRUE(f.press(name == std::string("frameGV") ? QStringLiteral("mnuGV") : QStringLiteral("mnuDiv")));
            QWidget* panel = m.sidePanel(QString::fromLatin1(name));
            ASSERT_TRUE(panel->isVisible());
            auto* scroll = panel->findChild<QScrollArea*>();
            ASSERT_NE(scroll, nullptr);
            const int room = scroll->viewport()->width();
            // Nothing sticks out at the side: the panel only scrolls down.
            for (QWidget* w : scroll->widget()->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->parentWidget() != scroll->widget())
                    continue;
                EXPECT_GE(w->geometry().left(), 0) << name << " " << w->objectName().toStdString();
                EXPECT_LE(w->geometry().right(), room) << name << " " << w->objectName().toStdString() << " at "
                                                        << size.width() << "x" << size.height();
            }
            EXPECT_LE(scroll->widget()->width(), room);
            if (shotDir)
                m.grab().save(QStringLiteral("%1/%2_%3x%4.png")
                                  .arg(QString::fromLocal8Bit(shotDir), QString::fromLatin1(name))
                                  .arg(size.width())
                                  .arg(size.height()));
        }
    }

    m.resize(1400, 900);
    ASSERT_TRUE(f.press(QStringLiteral("mnuGV")));
    MainWindowFixture::settle();
    // Long option captions wrap rather than being cut off.
    for (const char* name : {"chkWord1", "chkWord2", "chkLetter1", "chkLetter2", "chkReset"}) {
        auto* option = m.control<QCheckBox>(QString::fromLatin1(name));
        EXPECT_GE(option->height(), option->heightForWidth(option->width())) << name;
        EXPECT_LE(option->geometry().right(), option->parentWidget()->width()) << name;
    }

    // Every letter key is the same size and its font has the Arabic letters.
    auto key = [&](int n) { return m.control<QToolButton>(QStringLiteral("Char_%1").arg(n)); };
    const QSize keySize = key(6)->size();
    for (int n = 6; n <= 35; ++n) {
        if (n == 31)
            continue;
        ASSERT_NE(key(n), nullptr) << n;
        EXPECT_LE(std::abs(key(n)->width() - keySize.width()), 1) << n;
        EXPECT_EQ(key(n)->height(), keySize.height()) << n;
        EXPECT_TRUE(QFontMetrics(key(n)->font()).inFont(key(n)->text().at(0))) << n;
        EXPECT_GE(key(n)->width(), QFontMetrics(key(n)->font()).horizontalAdvance(key(n)->text())) << n;
    }
    // The rows as they stand: ب ا at the right end of the first row, above
    // the last two keys of the second (ت ش); ج first in the second row.
    EXPECT_EQ(key(6)->x(), key(18)->x());
    EXPECT_EQ(key(7)->x(), key(9)->x());
    EXPECT_LT(key(7)->y(), key(11)->y());
    EXPECT_LT(key(11)->x(), key(10)->x());
    EXPECT_EQ(key(11)->y(), key(18)->y());
    EXPECT_EQ(key(20)->x(), key(11)->x());
    EXPECT_EQ(key(16)->x(), key(18)->x());
    // "Space" takes the left half of the bottom row, "Clear All" the right.
    EXPECT_GT(key(36)->y(), key(16)->y());
    EXPECT_EQ(key(36)->x(), key(8)->x());
    EXPECT_LE(std::abs(key(36)->width() - key(37)->width()), 1);
    EXPECT_GE(key(37)->geometry().right(), key(16)->geometry().right() - 1);

    // The expression is shown in an Arabic font, right to left.
    auto* text1 = m.control<QLineEdit>(QStringLiteral("Text1"));
    EXPECT_TRUE(QFontMetrics(text1->font()).inFont(QChar(0x0627)));
    EXPECT_EQ(text1->layoutDirection(), Qt::RightToLeft);
    if (shotDir) {
        for (int k : {7, 17, 27, 36, 6, 26, 26, 29})  // بسم الله
            ASSERT_TRUE(f.press(QStringLiteral("Char_%1").arg(k)));
        m.grab().save(QString::fromLocal8Bit(shotDir) + QStringLiteral("/frameGV_expression.png"));
        ASSERT_TRUE(f.press(QStringLiteral("Command25")));
        ASSERT_TRUE(f.press(QStringLiteral("cmdDivide19")));
        m.grab().save(QString::fromLocal8Bit(shotDir) + QStringLiteral("/frameNumDiv_result.png"));
    }
}

