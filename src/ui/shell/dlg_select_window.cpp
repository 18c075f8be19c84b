#include "ui/shell/dlg_select_window.h"

#include "core/shell/window_list_text.h"
#include "platform/work_area.h"
#include "ui/dialogs/button_row.h"

#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace mv {

TDlgSelectWindow::TDlgSelectWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      List_(new QListWidget(this)), btnRun(new QPushButton(QStringLiteral("決定"), this)),
      btnCancel(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setWindowTitle(QStringLiteral("編集ファイルの選択"));
    List_->setMinimumSize(360, 200);
    List_->setSelectionMode(QAbstractItemView::SingleSelection);
    btnRun->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(List_);
    layout->addLayout(ButtonRow({btnRun, btnCancel}));

    connect(btnRun, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(List_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TDlgSelectWindow::SetWindows(const std::vector<std::string>& fileNames) {
    List_->clear();
    int number = 0;
    for (const std::string& name : fileNames)
        List_->addItem(QString::fromStdString(WindowListLine(++number, WindowDisplayName(name))));
    if (List_->count() > 0) List_->setCurrentRow(0);
}

int TDlgSelectWindow::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = List_->selectedItems();
    return selected.isEmpty() ? -1 : List_->row(selected.front());
}

int SelectWindowDialog(const QString& caption, QWidget* owner,
                       const std::vector<std::string>& fileNames) {
    QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    TDlgSelectWindow dialog(ownerWindow);
    dialog.setWindowTitle(caption);
    dialog.SetWindows(fileNames);
    dialog.adjustSize();
    dialog.move(DialogPlaceOnScreen(dialog.size(), ownerWindow));
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.SelectedIndex();
}

} // namespace mv
