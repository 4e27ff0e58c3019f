#include "reading/navigation.h"

#include "app/frm_main.h"
#include "app/prompter.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "reading/reading_view.h"
#include "reading/verse_format.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <chrono>

namespace {

bool isMode(frmMain& m, const char* mode) { return m.reading().lblPage()->text() == QLatin1String(mode); }

}  // namespace

Navigation::Navigation(frmMain& main) : QObject(&main), main_(main) {}

QListWidget* Navigation::list() const { return main_.verseList(); }

void Navigation::install()
{
    main_.setCommand(QStringLiteral("sqCh_Click"), [this] { sqCh_Click(); });
    main_.setCommand(QStringLiteral("cmdRandom_Click"), [this] { cmdRandom_Click(); });
    main_.setVerseListKeyHandler([this](int key, Qt::KeyboardModifiers m) { VerseList_KeyUp(key, m); });

    QListWidget* l = list();
    l->viewport()->installEventFilter(this);
    // Checking or unchecking an entry, by the reader or by a command.
    connect(l->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& on, const QItemSelection& off) {
                for (const auto& range : {on, off})
                    for (const QModelIndex& i : range.indexes())
                        VerseList_ItemCheck(i.row());
            });
    connect(l, &QListWidget::itemPressed, this, [this](QListWidgetItem*) {
        VerseList_MouseDown(Qt::LeftButton, pressIndex_);
    });
}

bool Navigation::isNavigationKey(int key)
{
    switch (key) {
    case 0:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

int Navigation::currentIndex() const { return list()->currentRow(); }

void Navigation::setChecked(int index, bool on)
{
    if (QListWidgetItem* item = list()->item(index))
        item->setSelected(on);
}

// ---------------------------------------------------------------- choosing a sura

void Navigation::sqCh_Change()
{
    QComboBox* box = main_.sqCh();
    if (box->currentIndex() == 0) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(1);
    }
    ReadingView& r = main_.reading();
    r.showMSG();
    r.lblPage()->setText(QString::fromLatin1(reading::kModeVerses));
    r.cmbList()->hide();
    r.command2()->show();
    r.command3()->show();
    r.command8()->hide();
    r.command9()->hide();
    r.cmdGoBack()->hide();
    main_.state().wideReading = 0;
    main_.Form_Resize();
    OpenSura();
}

void Navigation::OpenSura()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    const int sura = main_.sqCh()->currentIndex();
    r.VerseMode();
    getVerseCount(sura);
    if (s.generalRs.open("select RvOrder from SuraTable where ChOrder=" + std::to_string(sura), s.connection))
        s.revelationOrderText =
            QStringLiteral("Sura Revelation Order = ") + QString::fromStdString(s.generalRs.field(0).toString());
    s.generalRs.close();
    r.showVerse(sura, 0);
    r.OpenVerse();
    VerseList_KeyUp(0);
    setChecked(currentIndex(), false);
}

void Navigation::getVerseCount(int sura)
{
    MainState& s = main_.state();
    QListWidget* l = list();
    s.verseRs.close();
    s.loadingList = true;
    l->clear();
    db::Recordset rs;
    if (rs.open("SELECT MIN(VERSE), MAX(VERSE) FROM ZOVR WHERE SURA=" + std::to_string(sura), s.connection) &&
        !rs.eof() && !rs.field(0).isNull()) {
        QStringList entries;
        for (long long v = rs.field(0).toInt(); v <= rs.field(1).toInt(); ++v)
            entries << QString::number(v);
        l->addItems(entries);
    }
    // With nothing current, the reader chooses what to show.
    l->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    s.loadingList = false;
    if (s.startFlag == 1 && l->count() > 0) {
        const int pick = static_cast<int>((l->count() - 1) * s.nextRandom());
        l->setCurrentRow(pick, QItemSelectionModel::NoUpdate);
        VerseList_KeyUp(0);
        s.curVerseIdx = currentIndex();
        s.startFlag = 0;
    }
}

void Navigation::cmdRandom_Click()
{
    MainState& s = main_.state();
    s.random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    main_.chooseRandomSura();
}

// ---------------------------------------------------------------- the verse list

void Navigation::VerseList_ItemCheck(int index)
{
    MainState& s = main_.state();
    if (isMode(main_, reading::kModePages)) {
        if (QListWidgetItem* item = list()->item(index); item && item->isSelected() && index == currentIndex()) {
            s.prompter->information(QStringLiteral("Selection possible only in Verses"));
            item->setSelected(false);
        }
        return;
    }
    if (isMode(main_, reading::kModeVerses)) {
        s.curVerseIdx = -1;
        return;
    }
    if (isMode(main_, reading::kModeResult)) {
        s.curVerseIdx = -1;
        if (!s.loadingList) {
            s.curVerseIdx = currentIndex();
            main_.reading().OpenVerse();
        }
    }
}

bool Navigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        QListWidgetItem* item = list()->itemAt(e->position().toPoint());
        if (e->button() == Qt::RightButton) {
            // The right button opens the result list's menu on the entry
            // under the pointer; it does not check or uncheck anything.
            if (item)
                list()->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            VerseList_MouseDown(Qt::RightButton, main_.state().curVerseIdx);
            return true;
        }
        // The entry is checked or unchecked by the list itself; the rest of
        // the click runs once it has (itemPressed), with the index the
        // list had before.
        pressIndex_ = main_.state().curVerseIdx;
    }
    return QObject::eventFilter(watched, event);
}

void Navigation::VerseList_MouseDown(Qt::MouseButton button, int previousIndex)
{
    MainState& s = main_.state();
    if (button == Qt::LeftButton && isMode(main_, reading::kModePages)) {
        showFrontMatterPage();
    } else if (button == Qt::LeftButton && isMode(main_, reading::kModeVerses)) {
        if (previousIndex != currentIndex())
            setChecked(previousIndex, false);
        s.curVerseIdx = currentIndex();
        main_.reading().OpenVerse();
    } else if (button == Qt::RightButton && isMode(main_, reading::kModeResult)) {
        if (QMenu* menu = main_.popupMenu(QStringLiteral("mnuPopup1")))
            menu->popup(QCursor::pos());
    }
}

void Navigation::showFrontMatterPage()
{
    MainState& s = main_.state();
    QListWidgetItem* item = list()->currentItem();
    if (!item)
        return;
    auto page = db::wholeNumber(item->text().toStdString());
    if (!page)
        return;
    db::Recordset rs;
    if (rs.open("select * from frontmatter where page=" + std::to_string(*page), s.connection) && !rs.eof())
        main_.reading().msg()->model().setRtf(rs.field("Matter").toString());
}

void Navigation::VerseList_KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    (void)modifiers;
    if (!isNavigationKey(key)) {
        switch (key) {
        case Qt::Key_F2:
        case Qt::Key_F3:
        case Qt::Key_F4:
        case Qt::Key_F5:
        case Qt::Key_F6:
        case Qt::Key_F7:
        case Qt::Key_F9:
        case Qt::Key_F11:
        case Qt::Key_Escape:
            return;
        default:
            main_.Form_KeyUp(key);
            return;
        }
    }
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    QListWidget* l = list();
    if (isMode(main_, reading::kModePages)) {
        showFrontMatterPage();
        return;
    }
    if (!isMode(main_, reading::kModeVerses)) {
        r.OpenVerse();
        return;
    }
    const int n = l->count();
    const int c = s.curVerseIdx;
    QComboBox* suras = main_.sqCh();
    const int lastSura = suras->count() - 1;
    if (n > 0 && c == n - 1 && (key == Qt::Key_Right || key == Qt::Key_Down)) {
        main_.setSuraIndex(suras->currentIndex() >= lastSura ? 1 : suras->currentIndex() + 1);
        // Reading runs on at the first verse of the next sura.
        l->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    } else if (c == 0 && (key == Qt::Key_Left || key == Qt::Key_Up)) {
        main_.setSuraIndex(suras->currentIndex() <= 1 ? lastSura : suras->currentIndex() - 1);
        // … and back at the last verse of the previous one.
        l->setCurrentRow(l->count() - 1, QItemSelectionModel::NoUpdate);
        setChecked(l->count() - 1, true);
    }
    setChecked(s.curVerseIdx, false);
    setChecked(currentIndex(), true);
    s.curVerseIdx = currentIndex();
    r.OpenVerse();
}
