#pragma once

#include "ui/binaryview/view_layout.h"

#include <QtWidgets/QWidget>

namespace mv {

// A strip above or below the binary view whose cells line up with the view's 19 columns:
// raised cells with a centred caption, the caret's byte column in highlight colours.
class TColumnStrip : public QWidget {
public:
    explicit TColumnStrip(QWidget* parent = nullptr);

    void SetColumnWidths(const TViewLayout::TColumnWidths& widths);
    // The caret's byte column, 0-15.
    void SetCaretColumn(int byteColumn);
    [[nodiscard]] int CaretColumn() const { return caretColumn_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Whether column 0-18 is drawn as a cell, and its caption.
    [[nodiscard]] virtual bool HasCell(int column) const = 0;
    [[nodiscard]] virtual QString Caption(int column) const = 0;

private:
    TViewLayout::TColumnWidths widths_{};
    int caretColumn_ = 0;
};

} // namespace mv
