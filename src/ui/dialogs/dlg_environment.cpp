#include "ui/dialogs/dlg_environment.h"

#include "platform/help_context.h"
#include "platform/work_area.h"
#include "ui/dialogs/button_row.h"
#include "ui/dialogs/environment_color_page.h"
#include "ui/dialogs/environment_key_page.h"
#include "ui/dialogs/environment_value_pages.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace mv {

TDlgEnvironment::TDlgEnvironment(const TEnvironment& environment)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      options_(environment), pages_(new QTabWidget(this)),
      btnOK(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("キャンセル"), this)),
      btnApply(new QPushButton(QStringLiteral("適用(&A)"), this)) {
    setWindowTitle(QStringLiteral("環境オプション - ") + QApplication::applicationName());
    pages_->setObjectName(QStringLiteral("Pages"));
    SetHelpContext(AddPage(BuildGeneralPage(options_), QStringLiteral("一般")), 192);
    SetHelpContext(AddPage(BuildEditPage(options_), QStringLiteral("編集")), 193);
    SetHelpContext(AddPage(BuildViewPage(options_), QStringLiteral("表示")), 194);
    SetHelpContext(AddPage(BuildWindowPage(options_), QStringLiteral("ウィンドウ")), 195);
    SetHelpContext(AddPage(new TEnvironmentColorPage(options_.Colors()), QStringLiteral("配色")), 196);
    SetHelpContext(AddPage(new TEnvironmentKeyPage(options_.Keys()), QStringLiteral("キー")), 197);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply->setObjectName(QStringLiteral("btnApply"));
    btnApply->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(pages_);
    layout->addLayout(ButtonRow({btnOK, btnCancel, btnApply}));

    options_.OnApplyEnabledChange = [this] { btnApply->setEnabled(options_.ApplyEnabled()); };
    connect(btnApply, &QPushButton::clicked, this, &TDlgEnvironment::ApplyClicked);
    connect(btnOK, &QPushButton::clicked, this, &TDlgEnvironment::OkClicked);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // The dialog's own topic is that of the page shown, for F1 on its buttons as well.
    connect(pages_, &QTabWidget::currentChanged, this,
            [this] { SetHelpContext(*this, HelpContextOf(pages_->currentWidget())); });
    SetHelpContext(*this, HelpContextOf(pages_->currentWidget()));

    adjustSize();
    move(DialogPlaceOnScreen(size(), nullptr));
}

QWidget& TDlgEnvironment::AddPage(QWidget* page, const QString& caption) {
    pages_->addTab(page, caption);
    return *page;
}

void TDlgEnvironment::ApplyClicked() {
    const TEnvironment settings = options_.Apply();
    if (ApplyCallback) ApplyCallback(settings);
}

void TDlgEnvironment::OkClicked() {
    if (const std::optional<TEnvironment> settings = options_.Ok(); settings && ApplyCallback)
        ApplyCallback(*settings);
    accept();
}

} // namespace mv
