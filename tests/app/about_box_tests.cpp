#include "app/frm_au.h"
#include "shell/prompter.h"
#include "window_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace app_tests;

TEST(AboutBox, LabelsAndHowItCloses)
{
    QWidget mainWindow;
    mainWindow.resize(800, 600);
    mainWindow.show();
    auto* box = new frmAU(&mainWindow);
    EXPECT_EQ(box->windowTitle(), "About us");
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->parentWidget(), &mainWindow);

    EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "Quran\nOrvandel");
    const QStringList credits = box->findChild<QLabel*>("Label2")->text().split(u'\n');
    ASSERT_EQ(credits.size(), 4);
    EXPECT_EQ(credits[0], "Kestrane");
    EXPECT_TRUE(credits[1].contains("Saheeh International"));
    EXPECT_TRUE(credits[2].contains("Tarnmoor Press"));
    EXPECT_TRUE(box->findChild<QLabel*>("Label3")->text().startsWith("Tarnmoor Press\n"));
    EXPECT_FALSE(box->findChild<QLabel*>("Label4")->text().isEmpty());

    box->show();
    EXPECT_TRUE(box->isVisible());
    // The main window stays usable while the box is open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    saveShot(*box, QStringLiteral("about-box"));
    box->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(box->isVisible());

    box->show();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    // Hidden, not gone: it shows again as it was.
    box->show();
    EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "Quran\nOrvandel");
}

TEST(Boxes, QuestionsAreYesNoWithoutAnIconAndNoIsTheDefault)
{
    QWidget mainWindow;
    mainWindow.show();
    QtPrompter prompter(&mainWindow);
    for (const bool yes : {true, false}) {
        QMessageBox::Icon icon = QMessageBox::Question;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            title = box->windowTitle();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(prompter.askYesNo(QStringLiteral("Do you wish to continue?")), yes);
        EXPECT_EQ(icon, QMessageBox::NoIcon);
        EXPECT_EQ(title, Prompter::programTitle());
    }
}
