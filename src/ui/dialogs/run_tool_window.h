#pragma once

#include "ui/dialogs/tool_window.h"

#include <functional>

class QBoxLayout;
class QPushButton;

namespace mv {

// A tool window with its controls on the left and, on the right, the run button (the default
// button, which Enter presses) above the close button "閉じる(&C)" (Escape).
class TRunToolWindow : public TToolWindow {
    Q_OBJECT
public:
    [[nodiscard]] QPushButton& BtnRun() { return *btnRun_; }
    [[nodiscard]] QPushButton& BtnCancel() { return *btnCancel_; }

    // The owner's run event.
    std::function<void()> OnRun;

protected:
    TRunToolWindow(QWidget* owner, const QString& caption, const QString& runCaption);

    // Where the dialog's controls go.
    [[nodiscard]] QBoxLayout& Contents() { return *contents_; }
    // The run button: by default the owner's run event, when there is one.
    virtual void RunClicked();

private:
    QBoxLayout* contents_;
    QPushButton* btnRun_;
    QPushButton* btnCancel_;
};

} // namespace mv
