#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class AutoScroll;
class Shell;
class GoToVersePanel;
class QListWidget;

// Moving the reading view through the scripture: choosing a sura, filling
// the verse list, the random passage, the "Go to Verse" panel and the other
// jumps, the suras in order of revelation, the pages of a result list, and
// what checking, clicking and releasing keys in the verse list do in each
// of its modes. Auto-scroll runs on top of it.
//
// Other subsystems that jump or show the verses again (JumpToVerse,
// sqCh_Change, VerseList_KeyUp(0)) are handed it when they are installed.
class Navigation : public QObject {
    Q_OBJECT
public:
    explicit Navigation(Shell& main);
    ~Navigation() override;

    // Registers the commands with the main window, installs the "Go to
    // Verse" and auto-scroll panels and hooks the verse list.
    void install();

    // ---- suras ---------------------------------------------------------------------
    void sqCh_Click() { sqCh_Change(); }
    void sqCh_Change();
    void OpenSura();
    void getVerseCount(int sura);
    void cmdRandom_Click();

    // ---- jumps ----------------------------------------------------------------------
    void Command5_Click();  // "Go to Verse (F6)"
    void txtSuraNumber_Change();
    void Command15_Click();  // "JUMP TO VERSE"
    // Opens the sura of a reference ("2:255", "2:255]") and shows the verse
    // alone. A reference that names no stored verse changes nothing; the
    // result says whether the jump was made.
    bool JumpToVerse(const QString& reference);
    void mnuGoToVerse_Click();
    void mnuJumpCursor_Click();
    void mnuChroOrder_Click();
    void sqRv_Click();

    // ---- result pages ---------------------------------------------------------------
    void Command8_Click();  // "Show Next 50 Verses"
    void Command9_Click();  // "Show First 50 Verses"
    // ---- the verse list -------------------------------------------------------------
    // Navigation keys are PageUp … Down (Qt's key codes) and 0, which other
    // commands use to check and show the current entry.
    void VerseList_KeyUp(int key, Qt::KeyboardModifiers modifiers = {});
    void VerseList_MouseDown(Qt::MouseButton button, int previousIndex);
    void VerseList_ItemCheck(int index);

    // The current entry of the verse list, or -1.
    int currentIndex() const;

    static bool isNavigationKey(int key);

    GoToVersePanel* goToVersePanel() const { return goToVerse_; }
    AutoScroll* autoScroll() const { return autoScroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The current entry of the page list in the reading pane.
    void showFrontMatterPage();

private:
    QListWidget* list() const;
    void setChecked(int index, bool on);

    Shell& main_;
    // The verse list whose events this watches, while it exists.
    QPointer<QListWidget> watched_;
    GoToVersePanel* goToVerse_ = nullptr;
    AutoScroll* autoScroll_ = nullptr;
    // The last verse of the sura typed in the "Go to Verse" panel.
    std::optional<long long> typedSuraLastVerse_;
    int pressIndex_ = -1;  // curVerseIdx when the mouse button went down
    Qt::MouseButton pressButton_ = Qt::NoButton;
};
