#pragma once

#include "core/binaryview/search_engine.h"
#include "core/config/environment.h"
#include "core/dialogs/search_run_check.h"
#include "platform/qt_host_services.h"
#include "ui/dialogs/run_tool_window.h"

class QCheckBox;
class QRadioButton;
class QVBoxLayout;

namespace mv {

class TFrmInputData;

// What the search and the replace dialog share: typed data frames above the direction and the
// within-differences option, which only a comparing window offers, and the checks between the
// run button and the owner's run event.
class TSearchToolWindow : public TRunToolWindow {
    Q_OBJECT
public:
    [[nodiscard]] QRadioButton& DirPrev() { return *dirPrev_; }
    [[nodiscard]] QRadioButton& DirNext() { return *dirNext_; }
    [[nodiscard]] QCheckBox& CompareCheck() { return *compareCheck_; }

    [[nodiscard]] TSearchDirection Direction() const;
    // Within differences only while the window compares and the option is on.
    [[nodiscard]] bool OnlyDifferences() const;

    void TakeStatus(const TStatusFeed& feed) override;

protected:
    TSearchToolWindow(QWidget* owner, const QString& caption, const QString& runCaption);

    // Sets a frame up with the owner's configuration, wide enough for its raw-bytes editor,
    // with or without the null page that only a replacement offers.
    static void PrepareFrame(TFrmInputData& frame, const TEnvironment& environment, bool nullPage);
    // The frames go above the options.
    [[nodiscard]] QVBoxLayout& FramesLayout() { return *frames_; }
    // The options column, for options before the within-differences one.
    [[nodiscard]] QVBoxLayout& OptionsLayout() { return *options_; }
    [[nodiscard]] THostServices& Host() { return host_; }

    // Acts on a check's outcome: closes the dialog or takes the keyboard back from the
    // message, with the focus on the side that is empty; answers whether the run goes on.
    bool Proceed(TRunCheck check, TFrmInputData& search, TFrmInputData* replacement);

private:
    TQtHostServices host_;
    QVBoxLayout* frames_;
    QVBoxLayout* options_;
    QRadioButton* dirPrev_;
    QRadioButton* dirNext_;
    QCheckBox* compareCheck_;
    bool comparing_ = false;
};

// The typed data frame as the run checks see it.
[[nodiscard]] TPatternInput PatternInputOf(const TFrmInputData& frame);
// A frame whose integer page is shown.
[[nodiscard]] bool ShowsInteger(const TFrmInputData& frame);

} // namespace mv
