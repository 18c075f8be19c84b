#pragma once

#include "core/typedvalues/char_codes.h"

#include <QtWidgets/QListWidget>

namespace mv {

// A list of the 128 or 256 single-byte codes, each drawn with its glyph on a silver square,
// its value in hexadecimal and decimal and, for 7-bit codes, its name. The row of an item is
// its code.
class TSelChar : public QListWidget {
    Q_OBJECT
public:
    explicit TSelChar(QWidget* parent = nullptr);

    [[nodiscard]] TAsciiSet AsciiCharaSet() const { return set_; }
    // ASCII lists 128 codes, the other sets 256; a selected code that stays keeps its place.
    void SetAsciiCharaSet(TAsciiSet set);
    // The selected code, or -1 without a selection.
    [[nodiscard]] int SelectedCode() const;

private:
    TAsciiSet set_ = TAsciiSet::asASCII;
};

} // namespace mv
