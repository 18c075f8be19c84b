#pragma once

#include "core/typedvalues/char_codes.h"

#include <QtWidgets/QWidget>

class QComboBox;

namespace mv {

class TSelChar;

// The character frame: one code picked from the list of a chosen single-byte set.
class TFrmInputChar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmInputChar(QWidget* parent = nullptr);

    [[nodiscard]] TAsciiSet AsciiCharaSet() const;
    void SetAsciiCharaSet(TAsciiSet set);
    // The selected code, or -1 without a selection.
    [[nodiscard]] int SelectedCode() const;

    [[nodiscard]] TSelChar& SelChar() { return *selChar_; }

private:
    QComboBox* charaSet_;
    TSelChar* selChar_;
};

} // namespace mv
