#include "ui/typedvalues/edit_int.h"

#include "platform/system_color.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <optional>

namespace mv {

namespace {

// The text's right edge lies this far inside the client width, its top this far down.
constexpr int RightMargin = 6;
constexpr int TopMargin = 2;
constexpr int LeftMargin = 4;
constexpr QSize CreationSize(120, 20);

std::optional<TIntEditKey> EditKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
        return TIntEditKey::Left;
    case Qt::Key_Right:
        return TIntEditKey::Right;
    case Qt::Key_Home:
        return TIntEditKey::Home;
    case Qt::Key_End:
        return TIntEditKey::End;
    case Qt::Key_Delete:
        return TIntEditKey::Delete;
    case Qt::Key_Backspace:
        return TIntEditKey::Backspace;
    case Qt::Key_A:
        if ((event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & Qt::AltModifier))
            return TIntEditKey::SelectAll;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// A printable character typed without Ctrl or Alt.
std::optional<QChar> TypedChar(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isPrint()) return std::nullopt;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return std::nullopt;
    return text[0];
}

// The text the field shows at its widest in a radix: what digit entry keeps, and in binary
// every bit of the pattern.
QString WidestText(TCardinalNumber radix, TIntPattern pattern) {
    const bool wide = pattern == TIntPattern::Bits64;
    switch (radix) {
    case TCardinalNumber::cnBinary: {
        const QString group = QStringLiteral("0000,0000-");
        return group.repeated(wide ? 8 : 4).chopped(1) + QLatin1Char('b');
    }
    case TCardinalNumber::cnDecimal:
        return QString(wide ? 19 : 17, QLatin1Char('9')) + QLatin1Char('d');
    case TCardinalNumber::cnHexadecimal:
        break;
    }
    return QString(wide ? 16 : 14, QLatin1Char('F')) + QLatin1Char('h');
}

} // namespace

TEditInt::TEditInt(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    resize(CreationSize);
}

void TEditInt::SetValue(TValueType value) {
    model_.SetValue(value);
    update();
}

void TEditInt::SetCardinalNumber(TCardinalNumber radix) {
    model_.SetCardinalNumber(radix);
    updateGeometry();
    update();
}

void TEditInt::SetVariableType(TVariableType type) {
    model_.SetVariableType(type);
    update();
}

void TEditInt::SetPattern(TIntPattern pattern) {
    model_.SetPattern(pattern);
    updateGeometry();
    update();
}

void TEditInt::SetOverflowColor(TColor color) {
    overflowColor_ = color;
    update();
}

QRect TEditInt::CaretRect() const {
    if (!hasFocus()) return {};
    const std::vector<int> edges = CharEdges(QString::fromStdString(model_.Text()));
    const int x = edges[model_.CaretCharIndex()];
    return {x, contentsRect().top() + TopMargin, 1, fontMetrics().height()};
}

QRect TEditInt::CharRect(std::size_t index) const {
    const std::vector<int> edges = CharEdges(QString::fromStdString(model_.Text()));
    return {edges[index], contentsRect().top() + TopMargin, edges[index + 1] - edges[index],
            fontMetrics().height()};
}

int TEditInt::WidthFor(TCardinalNumber radix) const {
    const int text = TextWidth(WidestText(radix, Pattern()));
    return std::max(CreationSize.width(), text + LeftMargin + RightMargin + 2 * frameWidth());
}

QSize TEditInt::sizeHint() const {
    const int height = fontMetrics().height() + 2 * TopMargin + 2 * frameWidth();
    return {WidthFor(CardinalNumber()), std::max(CreationSize.height(), height)};
}

bool TEditInt::event(QEvent* event) {
    // Keys the field uses are not shortcuts of the window around it while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (EditKeyOf(key) || TypedChar(key)) {
            event->accept();
            return true;
        }
    }
    return QFrame::event(event);
}

void TEditInt::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QPalette& colors = palette();
    const QColor background = ToQColor(isEnabled() ? clWindow : clBtnFace, colors);
    painter.fillRect(contentsRect(), background);

    const QString text = QString::fromStdString(model_.Text());
    painter.setClipRect(contentsRect());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const QRect cell = CharRect(index);
        QColor ink = colors.color(QPalette::Active, QPalette::Text);
        switch (model_.StyleOf(index)) {
        case TIntCharStyle::Selected:
            painter.fillRect(cell, ToQColor(clHighlight, colors));
            ink = ToQColor(clHighlightText, colors);
            break;
        case TIntCharStyle::Overflow:
            ink = ToQColor(overflowColor_, colors);
            break;
        case TIntCharStyle::Normal:
            break;
        }
        painter.setPen(ink);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text.sliced(i, 1));
    }
    if (hasFocus()) painter.fillRect(CaretRect(), colors.color(QPalette::Active, QPalette::Text));
}

void TEditInt::keyPressEvent(QKeyEvent* event) {
    if (const auto key = EditKeyOf(*event)) {
        model_.Press(*key, (event->modifiers() & Qt::ShiftModifier) != 0);
    } else if (const auto typed = TypedChar(*event)) {
        const bool entry =
            typed->unicode() < 0x80 && model_.Type(static_cast<char>(typed->unicode()));
        if (!entry) {
            event->ignore();
            emit otherKeyPress(event);
            return;
        }
    } else {
        event->ignore();
        emit otherKey(event);
        return;
    }
    event->accept();
    update();
    emit changed(Value());
}

void TEditInt::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    model_.PressAt(PlaceAt(event->position().toPoint().x()),
                   (event->modifiers() & Qt::ShiftModifier) != 0);
    update();
}

void TEditInt::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    model_.DragTo(PlaceAt(event->position().toPoint().x()));
    update();
}

void TEditInt::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
    emit entered();
}

void TEditInt::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

int TEditInt::TextWidth(const QString& text) const {
    int width = 0;
    for (const QChar c : text)
        width += fontMetrics().horizontalAdvance(c);
    return width;
}

std::vector<int> TEditInt::CharEdges(const QString& text) const {
    std::vector<int> edges;
    edges.reserve(static_cast<std::size_t>(text.size()) + 1);
    int x = contentsRect().left() + contentsRect().width() - RightMargin - TextWidth(text);
    for (const QChar c : text) {
        edges.push_back(x);
        x += fontMetrics().horizontalAdvance(c);
    }
    edges.push_back(x);
    return edges;
}

TPlace TEditInt::PlaceAt(int x) const {
    const std::vector<int> edges = CharEdges(QString::fromStdString(model_.Text()));
    if (x >= edges.back()) return 0;
    for (std::size_t index = edges.size() - 1; index-- > 0;)
        if (x >= edges[index]) return model_.PlaceAtChar(index);
    return model_.LeftmostPlace();
}

} // namespace mv
