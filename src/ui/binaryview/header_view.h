#pragma once

#include "core/typedvalues/char_set.h"
#include "ui/binaryview/column_strip.h"

namespace mv {

// The captions above the binary view: "ADDRESS", "+0" to "+F", "SUM" and the name of the
// character set.
class THeaderView : public TColumnStrip {
public:
    explicit THeaderView(QWidget* parent = nullptr) : TColumnStrip(parent) {}

    void SetCharaSet(mv::CharaSet set);
    [[nodiscard]] QString Caption(int column) const override;

protected:
    [[nodiscard]] bool HasCell(int) const override { return true; }

private:
    mv::CharaSet charaSet_ = CharaSet::ShiftJis;
};

} // namespace mv
