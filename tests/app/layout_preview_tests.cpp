// The main window's frame built from the layout data with stand-in panes,
// laid out at the sizes a reader uses: every control inside its container
// and every bar caption readable.
#include "app/frame_settings.h"
#include "app/main_layout.h"
#include "app/main_layout_apply.h"
#include "reading/wrap_button.h"
#include "support/scripted_prompter.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace app_tests;

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

template <typename W>
W* make(QWidget* parent, std::string_view name)
{
    auto* w = new W(parent);
    w->setObjectName(qs(name));
    return w;
}

class Preview : public QMainWindow {
public:
    bool expanded = true;
    ScriptedPrompter prompter;

    Preview()
    {
        for (const auto& m : layout::menus()) {
            if (m.popupOnly)
                continue;
            if (m.entries.empty()) {
                menuBar()->addAction(qs(m.caption))->setObjectName(qs(m.name));
                continue;
            }
            QMenu* menu = menuBar()->addMenu(qs(m.caption));
            menu->setObjectName(qs(m.name));
            for (const auto& e : m.entries)
                e.separator() ? (void)menu->addSeparator() : menu->addAction(qs(e.caption))->setObjectName(qs(e.name));
        }
        for (int i = 0; i < 3; ++i)
            statusBar()->addWidget(new QLabel(i == 0 ? QStringLiteral("Sura 2: The Second") : QString()), 1);

        auto* central = new QWidget(this);
        setCentralWidget(central);
        for (const auto& c : layout::topBar()) {
            if (c.name == "comboApp") {
                auto* suras = make<QComboBox>(central, "sqCh");
                suras->addItems({QStringLiteral("2 : The Second (Ath-Thani)")});
                make<QComboBox>(central, "comboApp")->hide();
                continue;
            }
            make<WrapButton>(central, c.name)->setText(qs(c.caption));
        }
        auto* left = make<QFrame>(central, "LeftFrame");
        left->setFrameShape(QFrame::NoFrame);
        make<QPushButton>(left, "leftframeclose");
        new FrameSettings(std::filesystem::path("/nonexistent"), prompter, left);
        auto* right = make<QFrame>(central, "RightFrame");
        make<QLabel>(right, "lblPage")->setText(QStringLiteral("VERSES"));
        auto* list = make<QListWidget>(right, "VerseList");
        for (int v = 0; v <= 40; ++v) {
            auto* item = new QListWidgetItem(QString::number(v), list);
            item->setCheckState(v == 3 ? Qt::Checked : Qt::Unchecked);
        }
        make<WrapButton>(right, "Command3")->setText(QStringLiteral("Clear"));
        make<WrapButton>(right, "Command2")->setText(QStringLiteral("Show All"));
        make<WrapButton>(right, "Command9")->setText(QStringLiteral("Show First 50 Verses"));
        make<WrapButton>(right, "Command8")->setText(QStringLiteral("Show Next 50 Verses"));
        auto* msg = make<QTextEdit>(right, "Msg");
        msg->setReadOnly(true);
        msg->setHtml(QStringLiteral("<p style='font-size:12.5pt'>[2:3] A stand-in line of reading text, long enough "
                                    "to wrap across the pane so that its margins can be judged.</p>"));
        auto* bottom = make<QFrame>(central, "bottomFrame");
        for (const auto& b : layout::bottomBar())
            make<WrapButton>(bottom, b.name)->setText(qs(b.caption));
    }

    void relayout()
    {
        const double dpi = logicalDpiX();
        layout::WindowState s;
        s.width = layout::pixelsToTwips(width(), dpi);
        s.height = layout::pixelsToTwips(height(), dpi);
        s.leftExpanded = expanded;
        s.menuBarHeight = layout::pixelsToTwips(menuBar()->sizeHint().height(), dpi);
        s.statusBarHeight = layout::pixelsToTwips(statusBar()->sizeHint().height(), dpi);
        const auto l = layout::computeLayout(s);
        if (l.windowWidth != s.width)
            resize(layout::twipsToPixels(l.windowWidth, dpi), height());
        applyLayout(*centralWidget(), l, dpi);
        findChild<QWidget*>("frameSettings")->setVisible(expanded);
    }

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QMainWindow::resizeEvent(e);
        relayout();
    }
};

void expectEverythingInside(QMainWindow& window, const std::string& where)
{
    for (auto* w : window.centralWidget()->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->objectName().isEmpty() || !w->parentWidget())
            continue;
        const QRect inside = w->parentWidget()->rect();
        EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString() << " at " << where;
        if (auto* b = qobject_cast<WrapButton*>(w)) {
            EXPECT_TRUE(b->captionFits()) << b->objectName().toStdString() << " caption at " << where;
        }
    }
}

}  // namespace

TEST(LayoutPreview, FinishedAtFullSizeAndAtTheMinimumWidth)
{
    Preview w;
    w.setMinimumSize(layout::twipsToPixels(layout::kMinimumWidth), layout::twipsToPixels(layout::kMinimumHeight));
    w.show();
    struct Size {
        int w, h;
        const char* name;
    };
    for (const Size& s : {Size{1400, 900, "1400x900"}, Size{500, 900, "minimum-width"}, Size{500, 600, "minimum"}}) {
        for (bool open : {true, false}) {
            w.expanded = open;
            w.resize(s.w, s.h);
            w.relayout();
            QCoreApplication::processEvents();
            const std::string where = std::string(s.name) + (open ? " open" : " closed");
            expectEverythingInside(w, where);
            saveShot(w, QStringLiteral("layout-%1-%2").arg(s.name, open ? "open" : "closed"));
        }
    }
    // Narrower than the minimum comes back to it.
    w.setMinimumSize(0, 0);
    w.resize(300, 900);
    w.relayout();
    EXPECT_EQ(w.width(), 500);
}
