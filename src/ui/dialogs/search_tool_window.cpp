#include "ui/dialogs/search_tool_window.h"

#include "ui/binaryview/b_editor.h"
#include "ui/typedvalues/frm_input_data.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace mv {

TSearchToolWindow::TSearchToolWindow(QWidget* owner, const QString& caption,
                                     const QString& runCaption)
    : TRunToolWindow(owner, caption, runCaption), host_(this), frames_(new QVBoxLayout),
      options_(new QVBoxLayout), dirPrev_(new QRadioButton(QStringLiteral("上方向(&P)"))),
      dirNext_(new QRadioButton(QStringLiteral("下方向(&N)"))),
      compareCheck_(new QCheckBox(QStringLiteral("相違領域のみを検索(&R)"))) {
    dirNext_->setChecked(true);
    compareCheck_->setEnabled(false);

    auto* direction = new QGroupBox(QStringLiteral(" 検索方向 "));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(dirPrev_);
    directionLayout->addWidget(dirNext_);
    options_->addStretch(1);
    options_->addWidget(compareCheck_);
    auto* row = new QHBoxLayout;
    row->addWidget(direction);
    row->addSpacing(8);
    row->addLayout(options_);
    row->addStretch(1);
    Contents().addLayout(frames_, 1);
    Contents().addLayout(row);
}

void TSearchToolWindow::PrepareFrame(TFrmInputData& frame, const TEnvironment& environment,
                                     bool nullPage) {
    frame.Initialize(environment);
    frame.Pages().setTabVisible(static_cast<int>(TInputDataPage::Null), nullPage);
    // The dialog grows to show every column of the raw bytes.
    TBEditor& editor = *frame.BinaryEditor();
    editor.setMinimumWidth(editor.PreferredWidth());
}

TSearchDirection TSearchToolWindow::Direction() const {
    return dirPrev_->isChecked() ? TSearchDirection::Backward : TSearchDirection::Forward;
}

bool TSearchToolWindow::OnlyDifferences() const {
    return comparing_ && compareCheck_->isChecked();
}

void TSearchToolWindow::TakeStatus(const TStatusFeed& feed) {
    comparing_ = feed.Comparing;
    compareCheck_->setEnabled(feed.Comparing);
}

bool TSearchToolWindow::Proceed(TRunCheck check, TFrmInputData& search,
                                TFrmInputData* replacement) {
    switch (check) {
    case TRunCheck::Run:
        return true;
    case TRunCheck::CloseDialog:
        close();
        break;
    case TRunCheck::FocusSearch:
        search.FocusPage();
        TakeKeyboard();
        break;
    case TRunCheck::FocusReplace:
        if (replacement != nullptr) replacement->FocusPage();
        TakeKeyboard();
        break;
    }
    return false;
}

TPatternInput PatternInputOf(const TFrmInputData& frame) {
    return {frame.Page(), frame.GetData().Bytes.empty()};
}

bool ShowsInteger(const TFrmInputData& frame) {
    return frame.Page() == TInputDataPage::Integer;
}

} // namespace mv
