#include "reading/rich_text_pane.h"

#include "reading/richtext/codepage.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Properties of a shown format: the colour the document has where the view
// shows another one for contrast, or that the document's colour is automatic.
constexpr int kModelColour = QTextFormat::UserProperty + 1;
constexpr int kAutomaticColour = QTextFormat::UserProperty + 2;

double luminance(const QColor& c)
{
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
}

bool readableOn(const QColor& text, const QColor& background)
{
    return std::abs(luminance(text) - luminance(background)) >= 0.35;
}

QColor contrastingText(const QColor& background)
{
    return luminance(background) > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}

constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kLineSeparator = 0x2028;

// Characters the view would take for structure are shown as a replacement
// character, one for one, so offsets still map.
char16_t shownAs(char16_t c)
{
    switch (c) {
    case kParagraphSeparator:
    case kLineSeparator:
    case 0xFFFC:
    case 0xFDD0:
    case 0xFDD1:
    case 0:
        return 0xFFFD;
    default:
        return c;
    }
}

bool isSeparator(char16_t c) { return c == kParagraphSeparator || c == kLineSeparator; }

Qt::Alignment alignmentOf(richtext::Align a)
{
    switch (a) {
    case richtext::Align::Right:
        return Qt::AlignRight;
    case richtext::Align::Center:
        return Qt::AlignHCenter;
    case richtext::Align::Justify:
        return Qt::AlignJustify;
    case richtext::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

}  // namespace

// The editor: paste can be limited to plain text.
class RichTextPane::Edit : public QTextEdit {
public:
    explicit Edit(QWidget* parent) : QTextEdit(parent) {}
    bool plainPaste = false;

protected:
    void insertFromMimeData(const QMimeData* source) override
    {
        if (plainPaste && source) {
            QMimeData plain;
            plain.setText(source->text());
            QTextEdit::insertFromMimeData(&plain);
            return;
        }
        QTextEdit::insertFromMimeData(source);
    }
};

RichTextPane::RichTextPane(QWidget* parent, richtext::Font baseFont, int baseHalfPoints)
    : QWidget(parent), model_(std::move(baseFont), baseHalfPoints)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    edit_ = new Edit(this);
    edit_->setAcceptRichText(true);
    edit_->setUndoRedoEnabled(true);
    layout->addWidget(edit_);
    setFocusProxy(edit_);
    edit_->viewport()->installEventFilter(this);
    edit_->installEventFilter(this);
    connect(edit_, &QTextEdit::cursorPositionChanged, this, &RichTextPane::viewSelectionMoved);
    connect(edit_, &QTextEdit::selectionChanged, this, &RichTextPane::viewSelectionMoved);
    model_.setObserver(this);
    contentDirty_ = true;
    flush();
}

RichTextPane::~RichTextPane()
{
    model_.setObserver(nullptr);
}

QTextEdit* RichTextPane::view() const
{
    return edit_;
}

void RichTextPane::setReadOnly(bool on)
{
    model_.setReadOnly(on);
    edit_->setReadOnly(on);
    edit_->document()->setUndoRedoEnabled(!on);
    if (on)
        edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void RichTextPane::setPopupMenu(QMenu* menu)
{
    menu_ = menu;
}

void RichTextPane::setPopupHandler(std::function<void(const QPoint&)> handler)
{
    popupHandler_ = std::move(handler);
}

void RichTextPane::setPlainPaste(bool on)
{
    edit_->plainPaste = on;
}

void RichTextPane::selectAll()
{
    model_.selectAll();
}

// ---- model → view ----------------------------------------------------------

void RichTextPane::contentChanged()
{
    contentDirty_ = true;
    scheduleFlush();
}

void RichTextPane::selectionChanged()
{
    selectionDirty_ = true;
    scheduleFlush();
}

void RichTextPane::scheduleFlush()
{
    if (flushQueued_)
        return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushQueued_ = false;
            if (isVisible())
                flush();
        },
        Qt::QueuedConnection);
}

void RichTextPane::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The shown colours depend on the palette: a switch between a light and
    // a dark desktop lays the text out again.
    if (event->type() == QEvent::PaletteChange && !model_.document().text().empty())
        contentChanged();
}

void RichTextPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (viewPending())
        flush();
}

void RichTextPane::flush()
{
    if (contentDirty_) {
        rebuildView();
        contentDirty_ = false;
        selectionDirty_ = true;
    }
    if (selectionDirty_) {
        applySelectionToView();
        selectionDirty_ = false;
    }
}

QTextCharFormat RichTextPane::charFormat(const richtext::CharFormat& f)
{
    for (const auto& [key, value] : formatCache_)
        if (key == f)
            return value;
    const auto& doc = model_.document();
    QTextCharFormat q;
    const auto& font = doc.fonts()[std::min<size_t>(f.font, doc.fonts().size() - 1)];
    q.setFontFamilies(QStringList{QString::fromStdString(font.name)});
    q.setFontPointSize(f.size / 2.0);
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    const auto& colors = doc.colors();
    std::optional<QColor> background;
    if (f.highlight > 0 && f.highlight < colors.size() && !colors[f.highlight].automatic) {
        const auto& c = colors[f.highlight];
        background = QColor(c.red, c.green, c.blue);
        q.setBackground(*background);
    }
    // Text stays readable on a light or a dark desktop: a colour too close
    // to what is behind it is shown in one that stands out, while the
    // document keeps the colour it has.
    const QColor behind = background.value_or(edit_->palette().color(QPalette::Base));
    if (f.color < colors.size() && !colors[f.color].automatic) {
        const auto& c = colors[f.color];
        const QColor wanted(c.red, c.green, c.blue);
        if (readableOn(wanted, behind)) {
            q.setForeground(wanted);
        } else {
            q.setForeground(contrastingText(behind));
            q.setProperty(kModelColour, static_cast<uint>(wanted.rgb() & 0xFFFFFF));
        }
    } else if (background && !readableOn(edit_->palette().color(QPalette::Text), *background)) {
        q.setForeground(contrastingText(*background));
        q.setProperty(kModelColour, QVariant());  // shown only: the text's colour stays automatic
        q.setProperty(kAutomaticColour, true);
    }
    formatCache_.emplace_back(f, q);
    return q;
}

void RichTextPane::rebuildView()
{
    syncing_ = true;
    formatCache_.clear();
    const auto& doc = model_.document();
    const auto& text = doc.text();
    const auto& runs = doc.runs();
    const auto& paras = doc.paras();
    const double twipsToPixels = logicalDpiX() / 1440.0;

    // Built apart from the editor and handed over whole: one layout, not one
    // per insertion.
    auto* qdoc = new QTextDocument(edit_);
    qdoc->setUndoRedoEnabled(false);
    qdoc->setDefaultFont(edit_->font());
    QTextCursor cursor(qdoc);
    cursor.beginEditBlock();
    QString segment;
    size_t ri = 0;
    for (size_t k = 0; k < paras.size(); ++k) {
        const auto& pf = paras[k].format;
        QTextBlockFormat block;
        block.setAlignment(alignmentOf(pf.align));
        block.setLeftMargin(std::max(0.0, pf.leftIndent * twipsToPixels));
        block.setRightMargin(std::max(0.0, pf.rightIndent * twipsToPixels));
        block.setTextIndent(pf.firstIndent * twipsToPixels);
        const size_t start = doc.paraStart(k);
        const size_t end = doc.paraContentEnd(k);
        // An empty line is as tall as its paragraph mark's font.
        QTextCharFormat markFormat;
        if (!runs.empty()) {
            const size_t markAt = end < text.size() ? end : (text.empty() ? 0 : text.size() - 1);
            markFormat = charFormat(doc.formatAt(markAt));
        }
        if (k == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(markFormat);
        } else {
            cursor.insertBlock(block, markFormat);
        }
        size_t p = start;
        while (p < end) {
            while (runs[ri].end <= p)
                ++ri;
            const size_t segEnd = std::min<size_t>(runs[ri].end, end);
            segment.clear();
            segment.reserve(static_cast<qsizetype>(segEnd - p));
            for (size_t i = p; i < segEnd; ++i) {
                const char16_t c = text[i];
                if (c == u'\r') {
                    segment.append(QChar(kLineSeparator));
                    ++i;  // its LF
                } else {
                    segment.append(QChar(shownAs(c)));
                }
            }
            cursor.insertText(segment, charFormat(runs[ri].format));
            p = segEnd;
        }
    }
    cursor.endEditBlock();
    qdoc->setUndoRedoEnabled(!model_.readOnly());
    // The editor deletes only documents it made itself; the ones built here
    // are the pane's to delete, or every rebuild would leave one behind.
    QTextDocument* shown = edit_->document();
    const bool ours = shown && shown->parent() == edit_;
    edit_->setDocument(qdoc);
    if (ours)
        delete shown;
    connect(qdoc, &QTextDocument::contentsChanged, this, &RichTextPane::viewTextChanged);
    recomputeBreaks();
    ++rebuilds_;
    syncing_ = false;
}

void RichTextPane::recomputeBreaks()
{
    const auto& text = model_.text16();
    breaks_.clear();
    viewBreaks_.clear();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r') {
            viewBreaks_.push_back(static_cast<uint32_t>(i - breaks_.size()));
            breaks_.push_back(static_cast<uint32_t>(i));
            ++i;
        }
    }
}

int RichTextPane::viewPosition(int modelOffset) const
{
    const auto m = static_cast<uint32_t>(std::max(modelOffset, 0));
    const auto before = std::lower_bound(breaks_.begin(), breaks_.end(), m) - breaks_.begin();
    return static_cast<int>(m - static_cast<uint32_t>(before));
}

int RichTextPane::modelOffset(int viewPosition) const
{
    const auto v = static_cast<uint32_t>(std::max(viewPosition, 0));
    const auto before = std::lower_bound(viewBreaks_.begin(), viewBreaks_.end(), v) - viewBreaks_.begin();
    return static_cast<int>(std::min<size_t>(v + static_cast<uint32_t>(before), model_.text16().size()));
}

void RichTextPane::applySelectionToView()
{
    syncing_ = true;
    const int last = std::max(0, edit_->document()->characterCount() - 1);
    QTextCursor c(edit_->document());
    c.setPosition(std::min(viewPosition(model_.selStart()), last));
    c.setPosition(std::min(viewPosition(model_.selStart() + model_.selLength()), last), QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
    edit_->ensureCursorVisible();
    syncing_ = false;
}

// ---- view → model ----------------------------------------------------------

void RichTextPane::viewSelectionMoved()
{
    if (syncing_ || contentDirty_)
        return;
    const QTextCursor c = edit_->textCursor();
    const int a = modelOffset(std::min(c.anchor(), c.position()));
    const int b = modelOffset(std::max(c.anchor(), c.position()));
    richtext::RichTextDocument::SilentScope quiet(model_);
    model_.select(a, b - a);
}

richtext::CharFormat RichTextPane::modelFormat(const QTextCharFormat& f)
{
    richtext::CharFormat m = model_.insertionFormat();
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        m.font = model_.fontIndex(richtext::Font{families.first().toStdString(), 0, "fnil"});
    if (f.fontPointSize() > 0)
        m.size = static_cast<uint16_t>(
            std::clamp<long>(std::lround(f.fontPointSize() * 2), richtext::kMinHalfPoints, richtext::kMaxHalfPoints));
    m.bold = f.fontWeight() >= QFont::Bold;
    m.italic = f.fontItalic();
    m.underline = f.fontUnderline();
    m.color = 0;
    if (f.hasProperty(kModelColour)) {
        const auto rgb = f.property(kModelColour).toUInt();
        const QColor c = QColor::fromRgb(rgb);
        m.color = model_.colorIndex(static_cast<uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16)));
    } else if (f.boolProperty(kAutomaticColour)) {
        m.color = 0;
    } else if (f.foreground().style() != Qt::NoBrush) {
        const QColor c = f.foreground().color();
        m.color = model_.colorIndex(static_cast<uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16)));
    }
    m.highlight = 0;
    if (f.background().style() != Qt::NoBrush) {
        const QColor c = f.background().color();
        m.highlight = model_.colorIndex(static_cast<uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16)));
    }
    return m;
}

// The reader typed, deleted or pasted: the part of the text that differs
// from the model is handed back to it, in the view's formatting.
void RichTextPane::viewTextChanged()
{
    if (syncing_ || contentDirty_)
        return;
    const QString raw = edit_->document()->toRawText();
    const std::u16string_view v(reinterpret_cast<const char16_t*>(raw.utf16()), static_cast<size_t>(raw.size()));
    const std::u16string& m = model_.text16();
    size_t i = 0;
    size_t j = 0;
    while (i < m.size() && j < v.size()) {
        if (m[i] == u'\r') {
            if (!isSeparator(v[j]))
                break;
            i += 2;
            ++j;
        } else if (shownAs(m[i]) == v[j] && !isSeparator(v[j])) {
            ++i;
            ++j;
        } else {
            break;
        }
    }
    size_t ie = m.size();
    size_t je = v.size();
    while (ie > i && je > j) {
        if (m[ie - 1] == u'\n') {
            if (ie < i + 2 || !isSeparator(v[je - 1]))
                break;
            ie -= 2;
            --je;
        } else if (shownAs(m[ie - 1]) == v[je - 1] && !isSeparator(v[je - 1])) {
            --ie;
            --je;
        } else {
            break;
        }
    }
    if (ie == i && je == j)
        return;
    std::u16string inserted;
    inserted.reserve(je - j);
    for (size_t k = j; k < je; ++k) {
        if (isSeparator(v[k]))
            inserted += u"\r\n";
        else
            inserted.push_back(v[k]);
    }
    QTextCursor at(edit_->document());
    // The inserted text's format is that of its first character in the view.
    at.setPosition(static_cast<int>(je > j ? j + 1 : j));
    {
        richtext::RichTextDocument::SilentScope quiet(model_);
        const richtext::CharFormat format = modelFormat(at.charFormat());
        model_.replaceRange(i, ie - i, inserted, format);
        recomputeBreaks();
        const QTextCursor c = edit_->textCursor();
        const int a = modelOffset(std::min(c.anchor(), c.position()));
        const int b = modelOffset(std::max(c.anchor(), c.position()));
        model_.select(a, b - a);
    }
    emit edited();
}

// ---- keys and the pop-up menu ------------------------------------------------

bool RichTextPane::openPopup(const QPoint& globalPos)
{
    if (popupHandler_) {
        popupHandler_(globalPos);
        return true;
    }
    if (menu_) {
        menu_->popup(globalPos);
        return true;
    }
    return false;
}

bool RichTextPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::RightButton && openPopup(e->globalPosition().toPoint()))
            return true;
    }
    if (event->type() == QEvent::ContextMenu && (watched == edit_ || watched == edit_->viewport())) {
        auto* e = static_cast<QContextMenuEvent*>(event);
        if ((popupHandler_ || menu_) && e->reason() != QContextMenuEvent::Mouse) {
            openPopup(edit_->viewport()->mapToGlobal(edit_->cursorRect().bottomLeft()));
            return true;
        }
        if (popupHandler_ || menu_)
            return true;  // the right button already opened it
    }
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->matches(QKeySequence::SelectAll)) {
            flush();
            model_.selectAll();
            flush();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
