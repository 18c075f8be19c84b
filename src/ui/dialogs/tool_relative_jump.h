#pragma once

#include "ui/dialogs/run_tool_window.h"

#include <cstdint>
#include <functional>

class QComboBox;
class QToolButton;

namespace mv {

class TEditInt;

// "相対ジャンプツール": moves the caret forwards or backwards by a fixed distance at each press
// of its jump button, for stepping through records of one size. The distance is 32-bit below
// 4 GiB of data and 64-bit from there.
class TToolRelativeJump : public TRunToolWindow {
    Q_OBJECT
public:
    explicit TToolRelativeJump(QWidget* owner);

    [[nodiscard]] TEditInt& Address() { return *address_; }
    [[nodiscard]] QToolButton& SBBin() { return *sbBin_; }
    [[nodiscard]] QToolButton& SBDec() { return *sbDec_; }
    [[nodiscard]] QToolButton& SBHex() { return *sbHex_; }
    [[nodiscard]] QComboBox& Direction() { return *direction_; }

    // The owner's jump: the distance, negative upwards. A distance of 0 only beeps.
    std::function<void(std::int64_t distance)> OnJump;

    // The distance's pattern follows the data size.
    void TakeStatus(const TStatusFeed& feed) override;

protected:
    void RunClicked() override;

private:
    void ChooseRadix(TCardinalNumber radix);
    // As wide as the widest radix, binary, so that no radix button cuts the text short.
    void FitAddress();
    // Up and Down in the field step through the radixes; "+" and "-" choose the direction.
    void OtherKey(QKeyEvent* event);
    void OtherKeyPress(QKeyEvent* event);

    TEditInt* address_;
    QToolButton* sbBin_;
    QToolButton* sbDec_;
    QToolButton* sbHex_;
    QComboBox* direction_;
};

} // namespace mv
