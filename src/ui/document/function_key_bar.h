#pragma once

#include "core/document/function_keys.h"
#include "core/typedvalues/key_assignment.h"

#include <QtWidgets/QWidget>

#include <vector>

class QToolButton;

namespace mv {

// The bar of function-key buttons at the bottom of a document window: 10 or 12 flat
// buttons captioned with the commands bound to F1 onwards in the current modifier state.
class TFunctionKeyBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 18;

    explicit TFunctionKeyBar(QWidget* parent = nullptr);

    void SetButtonCount(int count); // 10 or 12
    [[nodiscard]] int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    void SetCaptions(const TFunctionCaptions& captions);
    // Shows the captions of that modifier state; unless forced only when it differs from the
    // state shown.
    void ShowShiftState(ModifierState shiftState, bool force = false);
    [[nodiscard]] ModifierState ShownShiftState() const { return shownState_; }
    [[nodiscard]] QToolButton* Button(int index) const;

signals:
    // A button was clicked: its key index and the modifier keys held down at that moment.
    void keyClicked(int keyIndex, int shiftState);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void ShowCaptions();

    std::vector<QToolButton*> buttons_;
    TFunctionCaptions captions_{};
    ModifierState shownState_ = 0;
};

} // namespace mv
