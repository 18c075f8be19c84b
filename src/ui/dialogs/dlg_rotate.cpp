#include "ui/dialogs/dlg_rotate.h"

#include "core/dialogs/rotate_count.h"
#include "platform/help_context.h"
#include "ui/typedvalues/edit_ex.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>

#include <algorithm>

namespace mv {

TDlgRotate::TDlgRotate(QWidget* owner, bool bytes)
    : TRunToolWindow(owner,
                     bytes ? QStringLiteral("n バイトローテート")
                           : QStringLiteral("n ビットローテート"),
                     QStringLiteral("実行")),
      bytes_(bytes), bits_(new TEditEx(this)),
      radioRight_(new QRadioButton(QStringLiteral("右方向(&R)"), this)),
      radioLeft_(new QRadioButton(QStringLiteral("左方向(&L)"), this)) {
    if (bytes)
        SetHelpContext(*this, 154);
    else
        SetHelpContext(*this, 153);
    auto* numeric =
        new QLabel(bytes ? QStringLiteral("バイト数(&B)") : QStringLiteral("ビット数(&B)"), this);
    numeric->setObjectName(QStringLiteral("Numeric"));
    numeric->setBuddy(bits_);
    bits_->setObjectName(QStringLiteral("Bits"));
    bits_->setText(QStringLiteral("0"));
    bits_->installEventFilter(this);
    radioRight_->setChecked(true);

    auto* count = new QHBoxLayout;
    count->addWidget(numeric);
    count->addWidget(bits_, 1);
    Contents().addLayout(count);
    Contents().addWidget(radioRight_);
    Contents().addWidget(radioLeft_);
    Contents().addStretch(1);
    bits_->setFocus(Qt::OtherFocusReason);
}

std::int64_t TDlgRotate::RotateBits() const {
    return mv::RotateBits(RotateCount(bits_->text().toStdString()), bytes_);
}

bool TDlgRotate::Left() const {
    return !radioRight_->isChecked();
}

namespace {

bool AllAccepted(const QString& typed) {
    const QList<uint> characters = typed.toUcs4();
    return std::ranges::all_of(characters, [](uint c) { return RotateCountAccepts(c); });
}

} // namespace

// Typed text comes as key presses or, through an input method, as one commit.
bool TDlgRotate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bits_) {
        if (event->type() == QEvent::KeyPress &&
            !AllAccepted(static_cast<QKeyEvent*>(event)->text()))
            return true;
        if (event->type() == QEvent::InputMethod &&
            !AllAccepted(static_cast<QInputMethodEvent*>(event)->commitString()))
            return true;
    }
    return TRunToolWindow::eventFilter(watched, event);
}

} // namespace mv
