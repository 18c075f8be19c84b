#include "ui/dialogs/dlg_setting.h"

#include "platform/help_context.h"
#include "platform/window_frame.h"
#include "platform/work_area.h"
#include "ui/dialogs/button_row.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

// The character sets go on in a second line rather than widen the dialog for one group.
constexpr int ChoicesPerLine = 4;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TDlgSetting::TDlgSetting(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      btnOK(new QPushButton(QStringLiteral("決定"), this)),
      btnCancel(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setObjectName(QStringLiteral("TDlgSetting"));
    setWindowTitle(QStringLiteral("設定"));
    SetHelpContext(*this, 157);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    int line = 0;
    for (std::size_t row = 0; row < LumpGroupCount; ++row) {
        const TLumpGroup& group = LumpGroups()[row];
        grid->addWidget(new QLabel(Text(group.Label), this), line, 0);
        groups_[row] = new QButtonGroup(this);
        for (int choice = 0; choice < group.ChoiceCount(); ++choice) {
            const std::string_view caption = group.Choices[static_cast<std::size_t>(choice)];
            auto* button = new QRadioButton(Text(caption), this);
            groups_[row]->addButton(button, choice);
            grid->addWidget(button, line + choice / ChoicesPerLine, 1 + choice % ChoicesPerLine);
        }
        line += (group.ChoiceCount() + ChoicesPerLine - 1) / ChoicesPerLine;
    }
    grid->setColumnStretch(1 + ChoicesPerLine, 1);

    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(ButtonRow({btnOK, btnCancel}));
}

void TDlgSetting::SetChoices(const TLumpChoices& choices, bool inputModeEnabled) {
    for (std::size_t row = 0; row < LumpGroupCount; ++row)
        if (QAbstractButton* button = groups_[row]->button(choices[row])) button->setChecked(true);
    for (QAbstractButton* button : groups_[0]->buttons()) button->setEnabled(inputModeEnabled);
}

TLumpChoices TDlgSetting::Choices() const {
    TLumpChoices choices{};
    for (std::size_t row = 0; row < LumpGroupCount; ++row) choices[row] = groups_[row]->checkedId();
    return choices;
}

std::optional<TLumpModes> LumpSettingDialog(QWidget* owner, QPoint place, const TLumpModes& modes) {
    TDlgSetting dialog(owner);
    dialog.SetChoices(ChoicesOf(modes), modes.InputMode != TInputMode::ViewOnly);
    dialog.adjustSize();
    const TWindowFrame frame(dialog);
    frame.MoveTo(KeptInside(QRect(place, frame.Size()), WorkAreaOf(owner)));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ModesOf(dialog.Choices(), modes);
}

} // namespace mv
