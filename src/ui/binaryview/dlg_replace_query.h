#pragma once

#include "core/binaryview/editor_host.h"

#include <QtWidgets/QDialog>

class QPushButton;

namespace mv {

// The question the replace run asks at each match: "置換しますか？" with yes, no, cancel and
// "replace all" buttons, whose results are 6, 7, 2 and 8.
class TDlgReplaceQuery : public QDialog {
public:
    enum TResult { Yes = 6, No = 7, Cancel = 2, All = 8 };

    explicit TDlgReplaceQuery(QWidget* parent = nullptr);

    // Shows the question modally with its frame's top-left corner at the screen point, moved
    // left or up as far as it must for the whole frame to stay inside the work area, and
    // answers the button chosen; closing the window cancels.
    TReplaceAnswer Ask(QPoint screenPoint);

    [[nodiscard]] static TReplaceAnswer AnswerOf(int result);

    void reject() override;

private:
    QPushButton* AddButton(const char* caption, TResult result);
};

} // namespace mv
