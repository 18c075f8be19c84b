#pragma once

#include "core/config/environment.h"
#include "core/typedvalues/int_edit_model.h"

#include <QtWidgets/QFrame>

#include <vector>

namespace mv {

// The system colours the field is drawn in beyond those of the editor.
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clGrayText = 0x80000011;

// A one-line integer field in binary, decimal or hexadecimal, edited digit by digit like a
// calculator; what does not fit the chosen width is drawn in the overflow colour. The model
// decides the value, the caret and the selection; the widget paints and maps input.
class TEditInt : public QFrame {
    Q_OBJECT
public:
    explicit TEditInt(QWidget* parent = nullptr);

    [[nodiscard]] TValueType Value() const { return model_.Value(); }
    // Repaints without firing changed().
    void SetValue(TValueType value);
    [[nodiscard]] TCardinalNumber CardinalNumber() const { return model_.CardinalNumber(); }
    void SetCardinalNumber(TCardinalNumber radix);
    [[nodiscard]] TVariableType VariableType() const { return model_.VariableType(); }
    void SetVariableType(TVariableType type);
    [[nodiscard]] TIntPattern Pattern() const { return model_.Pattern(); }
    // A 64-bit pattern widens the field.
    void SetPattern(TIntPattern pattern);
    [[nodiscard]] TColor OverflowColor() const { return overflowColor_; }
    void SetOverflowColor(TColor color);

    [[nodiscard]] const TIntEditModel& Model() const { return model_; }
    // The rectangle of the caret line while the field has the focus, else empty.
    [[nodiscard]] QRect CaretRect() const;
    // The cell of a character of the model's text.
    [[nodiscard]] QRect CharRect(std::size_t index) const;

    // The width that shows the widest text of a radix in the field's pattern.
    [[nodiscard]] int WidthFor(TCardinalNumber radix) const;
    [[nodiscard]] QSize sizeHint() const override;

signals:
    // After every editing and caret key, with the current value.
    void changed(mv::TValueType value);
    // The field has taken the focus.
    void entered();
    // Keys and characters the field does not use. A handler that uses one accepts the
    // event; one left ignored goes on to the parent (Enter to the dialog's default button).
    void otherKey(QKeyEvent* event);
    void otherKeyPress(QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The width of the text drawn character by character, as the field draws it.
    [[nodiscard]] int TextWidth(const QString& text) const;
    // The left edge of each character of the text and, last, the text's right edge.
    [[nodiscard]] std::vector<int> CharEdges(const QString& text) const;
    [[nodiscard]] TPlace PlaceAt(int x) const;

    TIntEditModel model_;
    TColor overflowColor_ = clGrayText;
};

} // namespace mv
