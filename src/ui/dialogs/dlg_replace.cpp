#include "ui/dialogs/dlg_replace.h"

#include "platform/help_context.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace mv {

namespace {

using TRelabel = std::pair<const char*, const char*>;

// Gives the frame's labels new captions, found by their present ones.
void Relabel(QWidget& frame, std::initializer_list<TRelabel> captions) {
    for (QLabel* label : frame.findChildren<QLabel*>())
        for (const auto& [from, to] : captions)
            if (label->text() == QString::fromUtf8(from)) label->setText(QString::fromUtf8(to));
}

// The header over a frame.
QLabel* Heading(const char* caption) {
    auto* heading = new QLabel(QString::fromUtf8(caption));
    heading->setFrameShape(QFrame::Panel);
    heading->setFrameShadow(QFrame::Raised);
    heading->setMargin(2);
    return heading;
}

} // namespace

TDlgReplace::TDlgReplace(QWidget* owner, const TEnvironment& environment)
    : TSearchToolWindow(owner, QStringLiteral("置換"), QStringLiteral("置換開始")),
      search_(new TFrmInputData), replacement_(new TFrmInputData),
      replaceCheck_(new QCheckBox(QStringLiteral("置き換え動作の確認(&Q)"))) {
    SetHelpContext(*this, 19);
    // Nothing cannot be searched for; it can replace.
    PrepareFrame(*search_, environment, false);
    PrepareFrame(*replacement_, environment, true);

    replacement_->FrmInputInt().CaptureButton().setText(QStringLiteral("カーソル位置取込(&I)"));
    Relabel(replacement_->FrmInputInt(), {{"型(&V)", "整数型(&W)"},
                                          {"2 進数(&B)", "2 進数(&X)"},
                                          {"10 進数(&D)", "10 進数(&Y)"},
                                          {"16 進数(&H)", "16 進数(&Z)"},
                                          {"設定(&O)", "設定(&U)"}});
    Relabel(replacement_->FrmInputStr(),
            {{"文字コード(&S)", "文字コード(&E)"}, {"改行コード(&L)", "改行コード(&F)"}});
    Relabel(replacement_->FrmInputChar(), {{"コード(&S)", "コード(&E)"}});

    FramesLayout().addWidget(Heading("検索情報"));
    FramesLayout().addWidget(search_, 1);
    FramesLayout().addWidget(Heading("置換情報"));
    FramesLayout().addWidget(replacement_, 1);
    replaceCheck_->setChecked(true);
    OptionsLayout().insertWidget(1, replaceCheck_);
    search_->FocusPage();
}

void TDlgReplace::TakeCaret(const TCaretFeed& feed) {
    search_->FrmInputInt().SetCapturedValue(feed.Value);
    replacement_->FrmInputInt().SetCapturedValue(feed.Value);
}

void TDlgReplace::RunClicked() {
    const TRunCheck check =
        CheckReplaceRun(PatternInputOf(*search_), PatternInputOf(*replacement_), Host());
    if (Proceed(check, *search_, replacement_)) TSearchToolWindow::RunClicked();
}

} // namespace mv
