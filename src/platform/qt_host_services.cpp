#include "platform/qt_host_services.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <utility>

namespace mv {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct TDialogButton {
    TMsgDlgBtn Button;
    const char* Caption;
    QMessageBox::ButtonRole Role;
    TModalResult Result;
};

// In the order the dialog shows them. All, No to all and Yes to all answer 8, 9 and 10 as the
// toolkit the program was written with numbers them.
constexpr TDialogButton DialogButtons[] = {
    {TMsgDlgBtn::mbYes, "はい(&Y)", QMessageBox::YesRole, mrYes},
    {TMsgDlgBtn::mbNo, "いいえ(&N)", QMessageBox::NoRole, mrNo},
    {TMsgDlgBtn::mbOK, "OK", QMessageBox::AcceptRole, mrOk},
    {TMsgDlgBtn::mbCancel, "キャンセル", QMessageBox::RejectRole, mrCancel},
    {TMsgDlgBtn::mbAbort, "中止(&A)", QMessageBox::RejectRole, mrAbort},
    {TMsgDlgBtn::mbRetry, "再試行(&R)", QMessageBox::AcceptRole, mrRetry},
    {TMsgDlgBtn::mbIgnore, "無視(&I)", QMessageBox::AcceptRole, mrIgnore},
    {TMsgDlgBtn::mbAll, "すべて(&L)", QMessageBox::AcceptRole, static_cast<TModalResult>(8)},
    {TMsgDlgBtn::mbNoToAll, "すべていいえ(&O)", QMessageBox::NoRole, static_cast<TModalResult>(9)},
    {TMsgDlgBtn::mbYesToAll, "すべてはい(&E)", QMessageBox::YesRole, static_cast<TModalResult>(10)},
};

std::pair<QMessageBox::Icon, const char*> LookOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning:
        return {QMessageBox::Warning, "警告"};
    case TMsgDlgType::mtError:
        return {QMessageBox::Critical, "エラー"};
    case TMsgDlgType::mtInformation:
        return {QMessageBox::Information, "情報"};
    case TMsgDlgType::mtConfirmation:
        return {QMessageBox::Question, "確認"};
    case TMsgDlgType::mtCustom:
        break;
    }
    return {QMessageBox::NoIcon, nullptr};
}

// Cancel, else No, else OK answers Escape.
TMsgDlgBtn EscapeOf(TMsgDlgButtons buttons) {
    if (buttons.Contains(TMsgDlgBtn::mbCancel)) return TMsgDlgBtn::mbCancel;
    if (buttons.Contains(TMsgDlgBtn::mbNo)) return TMsgDlgBtn::mbNo;
    return TMsgDlgBtn::mbOK;
}

} // namespace

QWidget* TQtHostServices::DialogParent() const {
    return owner_ ? owner_->window() : nullptr;
}

TModalResult TQtHostServices::MessageDlgBeep(std::string_view text, TMsgDlgType type,
                                             TMsgDlgButtons buttons) {
    Beep();
    const auto [icon, caption] = LookOf(type);
    QMessageBox box(DialogParent());
    box.setIcon(icon);
    box.setWindowTitle(caption != nullptr ? QString::fromUtf8(caption)
                                          : QGuiApplication::applicationDisplayName());
    box.setText(FromUtf8(text));
    std::vector<std::pair<QAbstractButton*, TModalResult>> results;
    for (const TDialogButton& choice : DialogButtons) {
        if (!buttons.Contains(choice.Button)) continue;
        QPushButton* button = box.addButton(QString::fromUtf8(choice.Caption), choice.Role);
        results.emplace_back(button, choice.Result);
        if (choice.Button == buttons.Default()) box.setDefaultButton(button);
        if (choice.Button == EscapeOf(buttons)) box.setEscapeButton(button);
    }
    box.exec();
    for (const auto& [button, result] : results)
        if (box.clickedButton() == button) return result;
    return mrNone;
}

void TQtHostServices::Beep() {
    QApplication::beep();
}

void TQtHostServices::MessageBox(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok,
                    DialogParent());
    box.exec();
}

} // namespace mv
