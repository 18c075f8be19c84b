#include "ui/binaryview/binary_view.h"

#include "core/typedvalues/command_ids.h"
#include "core/typedvalues/sjis_utf8.h"
#include "platform/fixed_font.h"
#include "platform/virtual_key_map.h"
#include "ui/binaryview/context_menu.h"
#include "ui/binaryview/dlg_replace_query.h"
#include "ui/binaryview/footer_view.h"
#include "ui/binaryview/header_view.h"
#include "ui/binaryview/line_text.h"
#include "ui/binaryview/user_menu.h"
#include "ui/binaryview/view_painter.h"

#include <QtGui/QCursor>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QStyleHints>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

#include <algorithm>
#include <limits>
#include <utility>

namespace mv {

namespace {

constexpr int AltState = 4;
constexpr int CtrlState = 2;

// The auto-scroll interval of a drag: (31 - the keyboard repeat speed) × 10 ms, the speed
// being the desktop's repeat rate (2.5 to 30 a second) on the scale 0 to 31. The timer never
// runs faster than every 10 ms.
int AutoScrollInterval() {
    const double rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    const int speed = std::clamp(static_cast<int>((rate - 2.5) * 31.0 / 27.5 + 0.5), 0, 31);
    return std::max((31 - speed) * 10, 10);
}

// The address of a row and column of the view, which near the largest file size may lie
// past what an Address holds; the core clamps it to the data.
Address AddressAt(std::int32_t topLine, std::int32_t row, std::int32_t column) {
    const std::int64_t address = (std::int64_t{topLine} + row) * TEditorCore::Columns + column;
    return static_cast<Address>(
        std::min<std::int64_t>(address, std::numeric_limits<Address>::max()));
}

// 0-15 for the characters 0-9, A-F and a-f; -1 for any other.
int HexDigitOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

std::string ToStdString(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

TBinaryView::TBinaryView(QWidget* parent)
    : QAbstractScrollArea(parent), TQtEditorHost(this), core_(*this) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);

    contextMenu_ = new TContextMenu(this);
    contextMenu_->SetShortcuts(core_.KeyAssignment());
    connect(contextMenu_, &TContextMenu::commandChosen, this,
            [this](CommandId id) { core_.ExecuteCommand(id); });
    userMenu_ = new TUserMenu(this);

    autoScroll_.callOnTimeout(this, &TBinaryView::AutoScrollTick);
    blink_.callOnTimeout(this, [this] {
        caretShown_ = !caretShown_;
        viewport()->update(CaretRect());
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TBinaryView::ScrollBarAction);

    core_.OnChange = [this] { DataChanged(); };
    core_.OnCaretMove = [this] { CaretMoved(); };
    core_.OnCommand = [this](CommandId id) { emit command(id); };
    core_.OnPostMenu = [this](CommandId id) {
        menuPosted_ = true;
        QMetaObject::invokeMethod(
            this, [this, id] { ShowPostedMenu(id); }, Qt::QueuedConnection);
    };
    SetViewFont(FixedFont(14));
}

TBinaryView::~TBinaryView() {
    // The core's events call back into this widget; none may fire while it goes.
    core_.OnChange = nullptr;
    core_.OnCaretMove = nullptr;
    core_.OnCommand = nullptr;
    core_.OnPostMenu = nullptr;
}

// ---- settings

void TBinaryView::SetViewFont(const QFont& font) {
    font_ = font;
    glyphs_ = std::make_unique<TGlyphBatch>(font_);
    characterFonts_ = std::make_unique<TCharacterFonts>(font_);
    Relayout();
}

void TBinaryView::SetViewItems(std::uint8_t items) {
    viewItems_ = items;
    Relayout();
}

void TBinaryView::ApplyEnvironment(const TEnvironment& environment) {
    core_.ApplyEnvironment(environment);
    contextMenu_->SetShortcuts(core_.KeyAssignment());
    Relayout();
    DataChanged();
}

void TBinaryView::SetCompareArrow(bool on) {
    core_.CompareArrow = on;
    if (core_.Comparison().Comparing()) viewport()->update();
}

void TBinaryView::SetCompareColor(bool on) {
    core_.CompareColor = on;
    if (core_.Comparison().Comparing()) viewport()->update();
}

void TBinaryView::SetCaretMarker(bool on) {
    core_.CaretMarker = on;
    viewport()->update();
}

void TBinaryView::SetStrips(THeaderView* header, TFooterView* footer) {
    header_ = header;
    footer_ = footer;
    Relayout();
    DataChanged();
}

void TBinaryView::Relayout() {
    const QFontMetrics metrics(font_);
    const QSize charSize(metrics.horizontalAdvance(QLatin1Char('W')), metrics.height());
    layout_ = TViewLayout(charSize, viewItems_, viewport()->size(),
                          verticalScrollBar()->sizeHint().width(),
                          AddressDigits(core_.Module().Size()));
    const auto bufferSize =
        static_cast<std::size_t>(layout_.VisibleLines()) * TEditorCore::Columns + 1;
    mine_.assign(bufferSize, 0);
    theirs_.assign(bufferSize, 0);
    if (header_ != nullptr) header_->SetColumnWidths(layout_.ColumnWidths());
    if (footer_ != nullptr) footer_->SetColumnWidths(layout_.ColumnWidths());
    core_.SetCharacterColumnShown(layout_.Shows(viCharacters));
    core_.SetVisibleLines(layout_.VisibleLines());
    SetScrollRange();
    viewport()->update();
}

// A scroll bar counts in int, so the lines of a file past 32 GiB are counted in steps of as
// many lines as keep the range within it.
void TBinaryView::SetScrollRange() {
    constexpr std::int64_t kMostSteps = std::int64_t{1} << 30;
    const std::int64_t lines = core_.Module().Size() / TEditorCore::Columns;
    scrollLinesPerStep_ = lines / kMostSteps + 1;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, static_cast<int>(std::max<std::int64_t>(lines, 1) / scrollLinesPerStep_));
    bar->setPageStep(static_cast<int>(
        std::max<std::int64_t>(layout_.VisibleLines() / scrollLinesPerStep_, 1)));
    bar->setValue(static_cast<int>(core_.TopLine() / scrollLinesPerStep_));
}

// ---- core events

void TBinaryView::DataChanged() {
    if (AddressDigits(core_.Module().Size()) != layout_.AddressDigits())
        Relayout();
    else
        SetScrollRange();
    if (header_ != nullptr) header_->SetCharaSet(core_.CharaSet());
    viewport()->update();
    emit changed();
}

void TBinaryView::CaretMoved() {
    verticalScrollBar()->setValue(static_cast<int>(core_.TopLine() / scrollLinesPerStep_));
    RestartBlink();
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImEnabled);
    emit caretMoved();
}

// A moved caret shows at once and blinks from there.
void TBinaryView::RestartBlink() {
    if (!hasFocus()) return;
    caretShown_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0) blink_.start(flash / 2);
}

QRect TBinaryView::CaretRect() const {
    return layout_.CaretRect(core_.InputArea(), core_.CaretRow(), core_.CaretColumn(),
                             core_.Caret().SubPosition, core_.InputMode());
}

// ---- painting

void TBinaryView::paintEvent(QPaintEvent* event) {
    const TMemoryModule* target = core_.Comparison().Target();
    const Address first = core_.TopLine() * TEditorCore::Columns;
    const auto count = static_cast<ByteCount>(mine_.size());
    // Each repaint first looks whether the file read on demand is still as it was.
    const bool sourceWasIntact = core_.Module().SourceFault() == 0;
    core_.Module().CheckSource();
    unreadable_.clear();
    if (!core_.Module().ReadBytes(mine_.data(), first, count) && core_.Module().SourceFault() != 0) {
        unreadable_.resize(mine_.size());
        core_.Module().MarkFileBytes(first, unreadable_);
    }
    if (sourceWasIntact && core_.Module().SourceFault() != 0)
        QTimer::singleShot(0, this, [this] { core_.ReportSourceFault(); });
    if (target != nullptr) target->ReadBytes(theirs_.data(), first, count);

    QPainter painter(viewport());
    {
        TViewPainter view(painter, layout_, palette(), font_, *glyphs_, *characterFonts_);
        view.PaintFrame(viewport()->size(),
                        core_.Colors()[static_cast<std::size_t>(TColorIndex::NormalBG)]);
        const QRect dirty = event->rect();
        view.PaintLines(core_, mine_, theirs_, unreadable_, dirty.top() / layout_.LineHeight(),
                        dirty.bottom() / layout_.LineHeight());
        // A hit is shown bold by the repaint that places the caret on it, and by no other.
        core_.ForgetHighlight();
        if (core_.CaretMarker) view.PaintCaretMarker(core_);
        if (hasFocus() && caretShown_) view.PaintCaret(CaretRect());
    }
    if (!preedit_.isEmpty()) {
        const QRect caret = CaretRect();
        const QRect box(caret.left(), caret.top() - 2,
                        QFontMetrics(font_).horizontalAdvance(preedit_), layout_.LineHeight());
        painter.fillRect(box, palette().base());
        QFont underlined = font_;
        underlined.setUnderline(true);
        painter.setFont(underlined);
        painter.setPen(palette().text().color());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, preedit_);
    }

    if (header_ != nullptr) header_->SetCaretColumn(core_.CaretColumn());
    if (footer_ != nullptr) {
        footer_->SetCaretColumn(core_.CaretColumn());
        footer_->SetSums(
            ColumnSums({mine_.data(), mine_.size() - 1}, first, core_.Module().Size()));
    }
}

void TBinaryView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

// The view paints from the core's top line; the scroll bar only reports actions.
void TBinaryView::scrollContentsBy(int, int) {}

// ---- keys and characters

bool TBinaryView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Every key without Alt belongs to the key table, before any window shortcut.
        const auto* key = static_cast<QKeyEvent*>(event);
        const TKeyPress press = KeyPressOf(key->key(), key->modifiers());
        if ((press.State & AltState) == 0 &&
            KeyIndexOfVirtualKey(press.VirtualKey, press.Extended) >= 0) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Tab and Shift+Tab run their commands instead of moving the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TBinaryView::keyPressEvent(QKeyEvent* event) {
    emit keyOrFocus();
    // Keys that arrived together with a menu key were typed into its menu, which opens later.
    if (menuPosted_) {
        typedAhead_.emplace_back(event->clone());
        event->accept();
        return;
    }
    // A repeated move already follows the held key; its auto-repeats would nest one loop in
    // the next.
    if (event->isAutoRepeat() && handlingEvents_ > 0) {
        event->accept();
        return;
    }
    const TKeyPress press = KeyPressOf(event->key(), event->modifiers());
    if ((press.State & AltState) != 0) {
        event->ignore();
        return;
    }
    if (core_.KeyDown(press) || ((press.State & CtrlState) == 0 && TypeText(event->text()))) {
        event->accept();
        return;
    }
    event->ignore();
}

void TBinaryView::keyReleaseEvent(QKeyEvent* event) {
    emit keyOrFocus();
    if (!event->isAutoRepeat()) core_.KeyUp();
    event->accept();
}

bool TBinaryView::TypeText(const QString& text) {
    if (text.isEmpty() || core_.InputMode() == TInputMode::ViewOnly) return false;
    if (core_.InputArea() == TInputArea::Hex) {
        bool typed = false;
        for (const QChar c : text) {
            const int digit = HexDigitOf(c);
            if (digit < 0) continue;
            core_.TypeHexDigit(digit);
            typed = true;
        }
        return typed;
    }
    // Characters go to the core in pieces of at most MaxTypedBytes of the text the set is
    // typed in (UTF-8 under the Unicode sets, else Shift JIS), each cut between two
    // characters, so that a long input-method result is taken whole.
    const bool unicode = IsUnicodeSet(core_.CharaSet());
    std::string piece;
    bool typed = false;
    const auto flush = [&] {
        if (piece.empty()) return;
        if (unicode)
            core_.TypeUtf8Characters(piece);
        else
            core_.TypeCharacters(piece);
        piece.clear();
        typed = true;
    };
    for (const char32_t codePoint : text.toStdU32String()) {
        if (codePoint < 0x20) continue;
        const std::string utf8 =
            ToStdString(QString::fromStdU32String(std::u32string(1, codePoint)).toUtf8());
        const std::string bytes = unicode ? utf8 : Utf8ToShiftJis(utf8);
        if (piece.size() + bytes.size() > TEditorCore::MaxTypedBytes) flush();
        piece += bytes;
    }
    flush();
    return typed;
}

void TBinaryView::inputMethodEvent(QInputMethodEvent* event) {
    preedit_ = event->preeditString();
    if (!event->commitString().isEmpty()) TypeText(event->commitString());
    viewport()->update();
    event->accept();
}

QVariant TBinaryView::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return core_.InputArea() == TInputArea::Character;
    case Qt::ImCursorRectangle:
        return CaretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font_;
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- mouse

void TBinaryView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const std::optional<TViewHit> hit = layout_.HitTest(point);
    if (!hit) return;
    TInputArea area = core_.InputArea();
    Address address = AddressAt(core_.TopLine(), hit->Row, 0);
    if (hit->Area != TViewHit::Address) {
        area = hit->Area == TViewHit::Hex ? TInputArea::Hex : TInputArea::Character;
        address = AddressAt(core_.TopLine(), hit->Row, hit->Column);
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->button()) {
    case Qt::LeftButton:
        core_.MouseDown(TMouseButton::Left, address, area, shift);
        dragging_ = true;
        autoScroll_.start(AutoScrollInterval());
        break;
    case Qt::RightButton:
        core_.MouseDown(TMouseButton::Right, address, area, shift);
        ShowContextMenu(event->globalPosition().toPoint());
        break;
    case Qt::MiddleButton:
        core_.MouseDown(TMouseButton::Middle, address, area, shift);
        break;
    default:
        break;
    }
}

void TBinaryView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TBinaryView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const std::optional<TViewHit> hit = layout_.HitTest(point);
    viewport()->setCursor(hit && hit->Area != TViewHit::Address ? Qt::IBeamCursor
                                                                : Qt::ArrowCursor);
    if (dragging_ && (event->buttons() & Qt::LeftButton) && viewport()->rect().contains(point))
        DragStep(point);
}

void TBinaryView::mouseReleaseEvent(QMouseEvent*) {
    autoScroll_.stop();
    dragging_ = false;
    core_.MouseUp();
}

void TBinaryView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void TBinaryView::DragStep(QPoint point) {
    const TDragCell cell = layout_.DragCell(point, core_.InputArea());
    core_.DragTo(cell.Row, cell.Column);
}

// Outside the view a held button scrolls one line a tick, towards the mouse.
void TBinaryView::AutoScrollTick() {
    if (!dragging_) return;
    const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(point)) DragStep(point);
}

void TBinaryView::wheelEvent(QWheelEvent* event) {
    wheelDelta_ += event->angleDelta().y();
    const int notches = wheelDelta_ / QWheelEvent::DefaultDeltasPerStep;
    wheelDelta_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) core_.ScrollLines(-notches * QApplication::wheelScrollLines());
    event->accept();
}

// ---- scroll bar

void TBinaryView::ScrollBarAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        core_.ScrollLines(1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        core_.ScrollLines(-1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        core_.ExecuteCommand(cmd::PAGEDOWN);
        break;
    case QAbstractSlider::SliderPageStepSub:
        core_.ExecuteCommand(cmd::PAGEUP);
        break;
    case QAbstractSlider::SliderToMinimum:
        core_.ExecuteCommand(cmd::FILETOP);
        break;
    case QAbstractSlider::SliderToMaximum:
        core_.ExecuteCommand(cmd::FILEEND);
        break;
    case QAbstractSlider::SliderMove:
        core_.ScrollTo(std::int64_t{bar->sliderPosition()} * scrollLinesPerStep_);
        break;
    default:
        break;
    }
    bar->setSliderPosition(static_cast<int>(core_.TopLine() / scrollLinesPerStep_));
}

// ---- focus

void TBinaryView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
    emit caretMoved();
    emit keyOrFocus();
}

void TBinaryView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    emit keyOrFocus();
    emit caretMoved();
    blink_.stop();
    caretShown_ = false;
    viewport()->update();
}

// ---- menus and questions

void TBinaryView::ShowContextMenu(QPoint screenPoint) {
    contextMenu_->EnableFor(core_);
    contextMenu_->exec(screenPoint);
}

void TBinaryView::ShowPostedMenu(CommandId command) {
    menuPosted_ = false;
    if (!typedAhead_.empty())
        QMetaObject::invokeMethod(this, &TBinaryView::PassTypedAhead, Qt::QueuedConnection);
    const QPoint caret = viewport()->mapToGlobal(CaretRect().topLeft());
    if (command == cmd::POPUPMENU) {
        ShowContextMenu(caret);
        return;
    }
    const int menu = command - cmd::USERMENU1;
    const CommandId chosen = userMenu_->Exec(UserMenuItems(core_.KeyAssignment(), menu), caret);
    core_.ExecuteCommand(chosen);
}

// Runs inside the menu's own loop: the keys typed ahead go to the menu while it is open, the
// rest back to this view, after the command the menu chose.
void TBinaryView::PassTypedAhead() {
    for (std::unique_ptr<QKeyEvent>& key : std::exchange(typedAhead_, {})) {
        if (QWidget* menu = QApplication::activePopupWidget())
            QCoreApplication::sendEvent(menu, key.get());
        else
            QCoreApplication::postEvent(this, key.release());
    }
}

TReplaceAnswer TBinaryView::AskReplace() {
    const QPoint below(0, layout_.CharHeight() * 3 / 2);
    TDlgReplaceQuery question(this);
    return question.Ask(viewport()->mapToGlobal(CaretRect().topLeft()) + below);
}

// A moved caret has queued a repaint, which the wait handles; a hidden view queues none, and
// the zero timer keeps the wait from lasting until the next input.
void TBinaryView::HandleOneEvent() {
    QTimer::singleShot(0, this, [] {});
    ++handlingEvents_;
    TQtEditorHost::HandleOneEvent();
    --handlingEvents_;
}

} // namespace mv
