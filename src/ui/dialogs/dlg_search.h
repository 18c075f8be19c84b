#pragma once

#include "core/config/environment.h"
#include "ui/dialogs/search_tool_window.h"

namespace mv {

class TFrmInputData;

// The search dialog of a document window: what to find on the typed data frame (no null
// page), the direction and the within-differences option. The run button checks the pattern
// before the owner's run event takes it.
class TDlgSearch : public TSearchToolWindow {
    Q_OBJECT
public:
    // The frame's binary editor takes the owner's configuration.
    TDlgSearch(QWidget* owner, const TEnvironment& environment);

    [[nodiscard]] TFrmInputData& FrmInputData() { return *frame_; }

    void TakeCaret(const TCaretFeed& feed) override;

protected:
    void RunClicked() override;

private:
    TFrmInputData* frame_;
};

} // namespace mv
