#pragma once

#include <QObject>

class frmMain;
class QListWidget;
class QListWidgetItem;

// Moving the reading view through the scripture: choosing a sura, filling
// the verse list, the random passage, and what checking, clicking and
// releasing keys in the verse list do in each of its modes.
class Navigation : public QObject {
    Q_OBJECT
public:
    explicit Navigation(frmMain& main);

    // Registers the commands with the main window and hooks the verse list.
    void install();

    void sqCh_Click() { sqCh_Change(); }
    void sqCh_Change();
    void OpenSura();
    void getVerseCount(int sura);
    void cmdRandom_Click();

    // Navigation keys are PageUp … Down (Qt's key codes) and 0, which other
    // commands use to check and show the current entry.
    void VerseList_KeyUp(int key, Qt::KeyboardModifiers modifiers = {});
    void VerseList_MouseDown(Qt::MouseButton button, int previousIndex);
    void VerseList_ItemCheck(int index);

    // The current entry of the verse list, or -1.
    int currentIndex() const;

    static bool isNavigationKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFrontMatterPage();
    QListWidget* list() const;
    void setChecked(int index, bool on);

    frmMain& main_;
    int pressIndex_ = -1;  // curVerseIdx when the mouse button went down
};
