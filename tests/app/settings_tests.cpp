#include "app/control_settings.h"
#include "app/frame_settings.h"
#include "app/settings_keys.h"
#include "app/settings_persistence.h"
#include "core/settings_store.h"
#include "support/scripted_prompter.h"
#include "window_test_support.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace testing_support;
using namespace app_tests;
namespace fs = std::filesystem;

namespace {

const QString kProgram = QStringLiteral("zerafin");

template <typename W>
W* add(QWidget* parent, const char* name, const QString& text = {})
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_same_v<W, QLineEdit>)
        w->setText(text);
    else if constexpr (std::is_base_of_v<QAbstractButton, W>)
        w->setText(text);
    return w;
}

// A stand-in for the main window: the settings panel plus the controls of
// the other panels that keep settings, at their design values.
struct MainStandIn {
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    FrameSettings* panel = nullptr;

    MainStandIn(const fs::path& programFolder, Prompter& prompter)
    {
        panel = new FrameSettings(programFolder, prompter, root.get());
        QWidget* r = root.get();
        for (const char* name : {"txtSuraNumber", "txtVerseNumber", "txtStartSura", "txtStartVerse", "txtEndSura",
                                 "txtEndVerse", "txtSearch", "txtSuraStart", "txtSuraEnd", "txtSuras"})
            add<QLineEdit>(r, name);
        auto* speed = add<QComboBox>(r, "cmbAutoScroll");
        speed->addItems({"Very Slow", "Slow", "Medium", "High", "Very High", "Custom"});
        speed->setCurrentIndex(2);
        add<QLineEdit>(r, "txtAutoScroll", QStringLiteral("60"));
        add<QLineEdit>(r, "txtVD", QStringLiteral("2"));
        for (int i = 0; i < 9; ++i)
            add<QCheckBox>(r, ("Areas_" + std::to_string(i)).c_str())->setChecked(i == 1);
        auto* scope = new QButtonGroup(r);
        for (int i = 0; i < 3; ++i)
            scope->addButton(add<QRadioButton>(r, ("Op_" + std::to_string(i)).c_str()));
        r->findChild<QRadioButton*>("Op_0")->setChecked(true);
        auto* order = new QButtonGroup(r);
        order->addButton(add<QRadioButton>(r, "opOrder_0"));
        order->addButton(add<QRadioButton>(r, "opOrder_1"));
        r->findChild<QRadioButton*>("opOrder_0")->setChecked(true);
        for (const char* name : {"Check1", "Check2", "Check3", "Check4", "Check5", "cShowFirst"})
            add<QCheckBox>(r, name);
    }

    template <typename W>
    W* get(const char* name) const
    {
        auto* w = root->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) const
    {
        if (auto* e = root->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return e->text();
        return get<QComboBox>(name)->currentText();
    }
};

class Settings : public ::testing::Test {
protected:
    TempDir tmp;
    SettingsStore store{QString::fromStdString((tmp / "config" / "zerafin").string())};
    ScriptedPrompter prompter;
    QString stored(const char* key) const { return store.get(kProgram, kProgram, QString::fromLatin1(key)); }
    void put(const char* key, const QString& value) { store.set(kProgram, kProgram, QString::fromLatin1(key), value); }
};

}  // namespace

TEST_F(Settings, FirstRunKeepsDesignValuesAndOneSaveWritesEveryKey)
{
    MainStandIn w(tmp.path(), prompter);
    EXPECT_FALSE(LoadSettings(*w.root, store, kProgram));
    EXPECT_EQ(w.text("txtNV"), "1");
    EXPECT_EQ(w.text("subSize"), "12.5");
    EXPECT_EQ(w.text("FNSize"), "10.5");
    EXPECT_EQ(w.text("YNSize"), "10.5");
    EXPECT_EQ(w.text("VWFont"), "Arial Narrow");
    EXPECT_EQ(w.text("cboWord"), "Yellow");
    EXPECT_TRUE(w.get<QRadioButton>("Op_0")->isChecked());

    SaveSettings(*w.root, store, kProgram);
    QSettings file(store.fileFor(kProgram), QSettings::IniFormat);
    file.beginGroup(kProgram);
    EXPECT_EQ(file.value("ZerafinSet").toString(), "Set");
    for (const auto& k : settings::keys())
        EXPECT_TRUE(file.contains(QString::fromUtf8(k.key.data(), qsizetype(k.key.size())))) << k.key;
    EXPECT_EQ(file.childKeys().size(), 45);

    EXPECT_EQ(stored("op(0).value"), "True");
    EXPECT_EQ(stored("op(1).value"), "False");
    EXPECT_EQ(stored("check1.value"), "0");
    EXPECT_EQ(stored("Areas(1).value"), "1");
    EXPECT_EQ(stored("cboWord.listindex"), "0");
    EXPECT_EQ(stored("cmbAutoScroll.listindex"), "2");
    EXPECT_EQ(stored("subSize.text"), "12.5");
    EXPECT_EQ(stored("txtFSpaces.text"), "1");
    // The language box is not kept: every run starts with "English".
    EXPECT_FALSE(file.contains("cmbLang.text"));
}

TEST_F(Settings, ValuesComeBackInTheirControls)
{
    {
        MainStandIn w(tmp.path(), prompter);
        w.get<QLineEdit>("txtNV")->setText("3");
        w.get<QComboBox>("subSize")->setCurrentText("15");
        w.get<QComboBox>("VWFont")->setCurrentText("Verdana");
        w.get<QComboBox>("cboWord")->setCurrentIndex(2);
        w.get<QCheckBox>("dispFN")->setChecked(true);
        w.get<QCheckBox>("Areas_7")->setCheckState(Qt::PartiallyChecked);
        w.get<QRadioButton>("Op_2")->setChecked(true);
        w.get<QRadioButton>("opOrder_1")->setChecked(true);
        w.get<QLineEdit>("txtSearch")->setText("mercy +forgive");
        w.get<QComboBox>("cmbAutoScroll")->setCurrentIndex(5);
        w.panel->cmbLang()->setEditText("French");
        SaveSettings(*w.root, store, kProgram);
    }
    EXPECT_EQ(stored("Areas(7).value"), "2");
    EXPECT_EQ(stored("op(2).value"), "True");
    EXPECT_EQ(stored("op(0).value"), "False");

    MainStandIn w(tmp.path(), prompter);
    ASSERT_TRUE(LoadSettings(*w.root, store, kProgram));
    EXPECT_EQ(w.text("txtNV"), "3");
    EXPECT_EQ(w.text("subSize"), "15");
    EXPECT_EQ(w.text("VWFont"), "Verdana");
    EXPECT_EQ(w.text("cboWord"), "Green");
    EXPECT_TRUE(w.get<QCheckBox>("dispFN")->isChecked());
    EXPECT_EQ(w.get<QCheckBox>("Areas_7")->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(w.get<QRadioButton>("Op_2")->isChecked());
    EXPECT_FALSE(w.get<QRadioButton>("Op_0")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("opOrder_1")->isChecked());
    EXPECT_EQ(w.text("txtSearch"), "mercy +forgive");
    EXPECT_EQ(w.get<QComboBox>("cmbAutoScroll")->currentIndex(), 5);
    EXPECT_EQ(w.panel->cmbLang()->currentText(), "English");
    // A colour other than yellow is only in effect with its tick shown.
    EXPECT_TRUE(w.get<QCheckBox>("opHM_1")->isChecked());
    EXPECT_TRUE(w.get<QComboBox>("cboWord")->isVisibleTo(w.root.get()));
}

TEST_F(Settings, RefusedValuesLeaveTheControlsAsTheyWere)
{
    {
        MainStandIn w(tmp.path(), prompter);
        SaveSettings(*w.root, store, kProgram);
    }
    put("cboWord.listindex", "7");
    put("subSize.text", "13.3");          // not one of the sizes
    put("VWFont.text", "");               // not one of the fonts
    put("check1.value", "abc");
    put("Areas(1).value", "5");
    put("op(1).value", "maybe");
    put("cmbAutoScroll.listindex", "");
    put("txtNV.text", "2");

    MainStandIn w(tmp.path(), prompter);
    w.get<QComboBox>("cboWord")->setCurrentIndex(1);
    ASSERT_TRUE(LoadSettings(*w.root, store, kProgram));
    EXPECT_EQ(w.text("cboWord"), "Red");
    EXPECT_EQ(w.text("subSize"), "12.5");
    EXPECT_EQ(w.text("VWFont"), "Arial Narrow");
    EXPECT_FALSE(w.get<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(w.get<QCheckBox>("Areas_1")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("Op_0")->isChecked());
    EXPECT_EQ(w.get<QComboBox>("cmbAutoScroll")->currentIndex(), 2);
    // …and the values around them still arrive.
    EXPECT_EQ(w.text("txtNV"), "2");
}

TEST_F(Settings, GuardMustReadExactlySet)
{
    put("txtNV.text", "9");
    for (const char* guard : {"", "set", "Set "}) {
        put("ZerafinSet", QString::fromLatin1(guard));
        MainStandIn w(tmp.path(), prompter);
        EXPECT_FALSE(LoadSettings(*w.root, store, kProgram)) << guard;
        EXPECT_EQ(w.text("txtNV"), "1") << guard;
    }
    put("ZerafinSet", "Set");
    MainStandIn w(tmp.path(), prompter);
    EXPECT_TRUE(LoadSettings(*w.root, store, kProgram));
    EXPECT_EQ(w.text("txtNV"), "9");
}

TEST_F(Settings, ControlsThatAreNotThereKeepWhatIsStored)
{
    // Only the settings panel, as before the other panels exist.
    put("txtSearch.text", QStringLiteral("mercy"));
    QWidget root;
    FrameSettings panel(tmp.path(), prompter, &root);
    root.findChild<QLineEdit*>("txtSpaces")->setText("4");
    SaveSettings(root, store, kProgram);
    EXPECT_EQ(stored("ZerafinSet"), "Set");
    EXPECT_EQ(stored("txtSpaces.text"), "4");
    // Every key is written all the same: a missing control's value stays as
    // stored, and one never stored is written empty.
    EXPECT_EQ(stored("txtSearch.text"), "mercy");
    QSettings file(store.fileFor(kProgram), QSettings::IniFormat);
    file.beginGroup(kProgram);
    EXPECT_TRUE(file.contains("txtStartSura.text"));
    EXPECT_EQ(file.value("txtStartSura.text").toString(), "");
    EXPECT_EQ(file.childKeys().size(), 45);

    QWidget again;
    FrameSettings panel2(tmp.path(), prompter, &again);
    EXPECT_TRUE(LoadSettings(again, store, kProgram));
    EXPECT_EQ(again.findChild<QLineEdit*>("txtSpaces")->text(), "4");
}

TEST_F(Settings, PanelControlsAndCaptions)
{
    FrameSettings panel(tmp.path(), prompter);
    EXPECT_EQ(panel.objectName(), "frameSettings");
    auto* lang = panel.findChild<QComboBox*>("cmbLang");
    EXPECT_TRUE(lang->isEditable());
    EXPECT_EQ(lang->currentText(), "English");
    auto* font = panel.findChild<QComboBox*>("VWFont");
    ASSERT_EQ(font->count(), 6);
    EXPECT_EQ(font->itemText(3), "Microsoft Sans Serif");
    for (const char* name : {"subSize", "FNSize", "YNSize"}) {
        auto* c = panel.findChild<QComboBox*>(name);
        ASSERT_EQ(c->count(), 20) << name;
        EXPECT_EQ(c->itemText(0), "9.5");
        EXPECT_EQ(c->itemText(1), "10");
        EXPECT_EQ(c->itemText(19), "19");
    }
    EXPECT_EQ(panel.findChild<QGroupBox*>("frmHU")->title(), "Highlight Should Make");
    EXPECT_EQ(panel.findChild<QPushButton*>("Command17")->text(), "DONE");
    auto* reset = panel.findChild<QPushButton*>("Command16");
    EXPECT_EQ(reset->text(), "RESET TO DEFAULT");
    EXPECT_FALSE(reset->isVisibleTo(&panel));
    EXPECT_FALSE(panel.findChild<QLineEdit*>("VWSize")->isVisibleTo(&panel));
    EXPECT_EQ(panel.findChild<QCheckBox*>("seekrefuge")->text(), "Do not display 16:98 at startup");
    for (const char* name : {"txtNV", "txtSpaces", "txtFspaces"})
        EXPECT_EQ(panel.findChild<QLineEdit*>(name)->text(), "1") << name;

    panel.resize(313, 674);
    panel.show();
    saveShot(panel, QStringLiteral("settings-panel"));
}

TEST_F(Settings, NumberBoxesSelectTheirTextOnFocus)
{
    FrameSettings panel(tmp.path(), prompter);
    panel.resize(313, 674);
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(waitFor([&] { return panel.isActiveWindow(); }, 2000));
    for (const char* name : {"txtNV", "txtSpaces", "txtFspaces"}) {
        auto* box = panel.findChild<QLineEdit*>(name);
        box->setText("12");
        box->deselect();
        // A click puts the caret where it lands; the box selects all the same.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
        EXPECT_TRUE(box->hasFocus()) << name;
        EXPECT_TRUE(waitFor([&] { return box->selectedText() == "12"; }, 2000)) << name;
    }
}

TEST_F(Settings, HighlightColourTick)
{
    QWidget root;
    FrameSettings panel(tmp.path(), prompter, &root);
    auto* tick = root.findChild<QCheckBox*>("opHM_1");
    auto* colour = root.findChild<QComboBox*>("cboWord");
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(colour->isVisibleTo(&root));
    tick->click();
    EXPECT_TRUE(colour->isVisibleTo(&root));
    colour->setCurrentText("Blue");
    tick->click();
    EXPECT_FALSE(colour->isVisibleTo(&root));
    EXPECT_EQ(colour->currentText(), "Yellow");
}

TEST_F(Settings, DoneChecksTheLanguage)
{
    writeFile(tmp / "English.ttb", "x");
    writeFile(tmp / "French.ttb", "x");
    FrameSettings panel(tmp.path(), prompter);
    QSignalSpy reload(&panel, &FrameSettings::reloadRequested);
    QSignalSpy redisplay(&panel, &FrameSettings::redisplayRequested);
    auto* lang = panel.cmbLang();

    for (const char* bad : {"Klingon", "*", "Fr?nch", "../x/French", "", " "}) {
        prompter.clear();
        lang->setEditText(QString::fromLatin1(bad));
        EXPECT_EQ(panel.Command17_Click(), FrameSettings::DoneResult::Rejected) << bad;
        ASSERT_EQ(prompter.boxes().size(), 1u) << bad;
        EXPECT_EQ(prompter.boxes()[0].text, "Language does not exist or not installed");
        EXPECT_EQ(prompter.boxes()[0].kind, ScriptedPrompter::Kind::Information);
        EXPECT_EQ(lang->currentText(), "English") << bad;
    }
    EXPECT_EQ(reload.count(), 0);

    prompter.clear();
    lang->setEditText("French");
    EXPECT_EQ(panel.Command17_Click(), FrameSettings::DoneResult::Reload);
    ASSERT_EQ(reload.count(), 1);
    EXPECT_EQ(reload.at(0).at(0).toString(), "French");
    EXPECT_TRUE(prompter.boxes().empty());

    lang->setEditText("English");
    EXPECT_EQ(panel.Command17_Click(), FrameSettings::DoneResult::Redisplay);
    EXPECT_EQ(redisplay.count(), 1);
    EXPECT_TRUE(prompter.boxes().empty());
}

// The display settings are one value object: the settings panel's controls
// edit it once followed, the display's writes show in them, and a value
// whose control is missing keeps its initial value rather than reading "".
TEST(DisplayValues, FollowTheSettingsPanelAndKeepValuesWithoutControls)
{
    ScriptedPrompter prompter;
    QWidget root;
    auto* panel = new FrameSettings(std::filesystem::path("/nonexistent"), prompter, &root);
    ControlSettings values;
    // Before anything is followed: the initial values, not empty texts.
    EXPECT_EQ(values.txtNV(), "1");
    EXPECT_EQ(values.cboWord(), "Yellow");

    values.bind(root);
    auto* nv = root.findChild<QLineEdit*>(QStringLiteral("txtNV"));
    ASSERT_NE(nv, nullptr);
    EXPECT_EQ(values.txtNV(), nv->text().toStdString());
    nv->setText(QStringLiteral("7"));
    EXPECT_EQ(values.txtNV(), "7");
    values.setTxtNV("3");
    EXPECT_EQ(nv->text(), QStringLiteral("3"));
    auto* apart = root.findChild<QCheckBox*>(QStringLiteral("dispFN"));
    ASSERT_NE(apart, nullptr);
    apart->setChecked(!apart->isChecked());
    EXPECT_EQ(values.dispFN(), apart->isChecked());
    // No highlight panel here: its boxes read as empty words, as before.
    EXPECT_EQ(values.txtHL(0), "");

    // Once the panel is gone the values stay what they were.
    delete panel;
    EXPECT_EQ(values.txtNV(), "3");
    values.setTxtNV("4");
    EXPECT_EQ(values.txtNV(), "4");
}

// The settings panel follows the side panels' one Enter rule: Enter in a
// box is "DONE"; Enter on another button of the panel presses that button.
TEST(SettingsPanel, EnterInABoxPressesDone)
{
    ScriptedPrompter prompter;
    QWidget root;
    auto* panel = new FrameSettings(std::filesystem::path("/nonexistent"), prompter, &root);
    root.show();
    auto* done = root.findChild<QPushButton*>(QStringLiteral("Command17"));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(panel->defaultButton(), done);
    QSignalSpy pressed(done, &QPushButton::clicked);
    auto* nv = root.findChild<QLineEdit*>(QStringLiteral("txtNV"));
    ASSERT_NE(nv, nullptr);
    nv->setFocus();
    QTest::keyClick(nv, Qt::Key_Return);
    EXPECT_EQ(pressed.count(), 1);
    // Shift+Enter is not the rule's.
    QTest::keyClick(nv, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(pressed.count(), 1);
}
