#pragma once

#include "ui/dialogs/run_tool_window.h"

class QLabel;
class QRadioButton;

namespace mv {

class TEditEx;

// "n ビットローテート" and "n バイトローテート": turns the selection by a typed number of bits or
// bytes, to the right or to the left.
class TDlgRotate : public TRunToolWindow {
    Q_OBJECT
public:
    TDlgRotate(QWidget* owner, bool bytes);

    [[nodiscard]] bool Bytes() const { return bytes_; }
    [[nodiscard]] TEditEx& BitsField() { return *bits_; }
    [[nodiscard]] QRadioButton& RadioRight() { return *radioRight_; }
    [[nodiscard]] QRadioButton& RadioLeft() { return *radioLeft_; }
    // The bits to turn: the typed count (0 when it is no number), times 8 for bytes.
    [[nodiscard]] std::int64_t RotateBits() const;
    [[nodiscard]] bool Left() const;

protected:
    // The count field drops every typed character but digits and control characters.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool bytes_;
    TEditEx* bits_;
    QRadioButton* radioRight_;
    QRadioButton* radioLeft_;
};

} // namespace mv
