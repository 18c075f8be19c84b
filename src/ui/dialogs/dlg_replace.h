#pragma once

#include "core/config/environment.h"
#include "ui/dialogs/search_tool_window.h"

class QCheckBox;

namespace mv {

class TFrmInputData;

// The replace dialog of a document window: what to find (no null page) and what to put in its
// place (all five pages), the direction, whether to ask at each match and the
// within-differences option. The replacement's controls carry accelerators of their own so
// that the two frames never share one. The run button checks both sides before the owner's
// run event takes them.
class TDlgReplace : public TSearchToolWindow {
    Q_OBJECT
public:
    // The frames' binary editors take the owner's configuration.
    TDlgReplace(QWidget* owner, const TEnvironment& environment);

    [[nodiscard]] TFrmInputData& FrmSearchData() { return *search_; }
    [[nodiscard]] TFrmInputData& FrmReplaceData() { return *replacement_; }
    [[nodiscard]] QCheckBox& ReplaceCheck() { return *replaceCheck_; }

    void TakeCaret(const TCaretFeed& feed) override;

protected:
    void RunClicked() override;

private:
    TFrmInputData* search_;
    TFrmInputData* replacement_;
    QCheckBox* replaceCheck_;
};

} // namespace mv
