#pragma once

#include "ui/dialogs/run_tool_window.h"

namespace mv {

class TFrmInputStr;

// "文字列型定型入力": a text, stored with a chosen line end in a chosen character set, to put in
// at the caret.
class TDlgStrInput : public TRunToolWindow {
    Q_OBJECT
public:
    explicit TDlgStrInput(QWidget* owner);

    [[nodiscard]] TFrmInputStr& FrmInputStr() { return *frame_; }

private:
    TFrmInputStr* frame_;
};

} // namespace mv
