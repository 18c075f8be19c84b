#pragma once

#include "ui/dialogs/run_tool_window.h"

namespace mv {

class TFrmInputChar;

// "キャラクタ型定型入力": one character code, picked from a list, to put in at the caret. A
// double click on a code or Enter in the list runs as the run button does.
class TDlgCharInput : public TRunToolWindow {
    Q_OBJECT
public:
    explicit TDlgCharInput(QWidget* owner);

    [[nodiscard]] TFrmInputChar& FrmInputChar() { return *frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Without a chosen code the focus goes back to the list instead.
    void RunClicked() override;

private:
    TFrmInputChar* frame_;
};

} // namespace mv
