#include "ui/dialogs/dlg_char_input.h"

#include "platform/help_context.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/sel_char.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPushButton>

namespace mv {

TDlgCharInput::TDlgCharInput(QWidget* owner)
    : TRunToolWindow(owner, QStringLiteral("キャラクタ型定型入力"), QStringLiteral("入力")),
      frame_(new TFrmInputChar(this)) {
    SetHelpContext(*this, 17);
    Contents().addWidget(frame_);
    frame_->SetAsciiCharaSet(TAsciiSet::asASCII);
    TSelChar& list = frame_->SelChar();
    list.installEventFilter(this);
    connect(&list, &QListWidget::itemDoubleClicked, this, [this] {
        if (frame_->SelectedCode() >= 0) BtnRun().click();
    });
    list.setFocus(Qt::OtherFocusReason);
}

// The list would take Enter for itself; here it presses the run button.
bool TDlgCharInput::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && frame_->SelectedCode() >= 0) {
            BtnRun().click();
            return true;
        }
    }
    return TRunToolWindow::eventFilter(watched, event);
}

void TDlgCharInput::RunClicked() {
    if (frame_->SelectedCode() < 0) {
        frame_->SelChar().setFocus(Qt::OtherFocusReason);
        return;
    }
    TRunToolWindow::RunClicked();
}

} // namespace mv
