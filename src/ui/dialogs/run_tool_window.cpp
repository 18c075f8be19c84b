#include "ui/dialogs/run_tool_window.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace mv {

TRunToolWindow::TRunToolWindow(QWidget* owner, const QString& caption, const QString& runCaption)
    : TToolWindow(owner), contents_(new QVBoxLayout), btnRun_(new QPushButton(runCaption)),
      btnCancel_(new QPushButton(QStringLiteral("閉じる(&C)"))) {
    setWindowTitle(caption);
    btnRun_->setObjectName(QStringLiteral("btnRun"));
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnRun_->setDefault(true);
    btnCancel_->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnRun_);
    buttons->addWidget(btnCancel_);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(contents_, 1);
    layout->addLayout(buttons);

    connect(btnRun_, &QPushButton::clicked, this, [this] { RunClicked(); });
    connect(btnCancel_, &QPushButton::clicked, this, &QWidget::close);
}

void TRunToolWindow::RunClicked() {
    if (OnRun) OnRun();
}

} // namespace mv
