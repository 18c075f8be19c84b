#pragma once

#include "core/dialogs/lump_setting.h"

#include <QtWidgets/QDialog>

#include <optional>

class QButtonGroup;
class QPushButton;

namespace mv {

// The lump setting: one row of radio buttons per operation mode of a document window,
// "決定" and "キャンセル". It shows and hands back choices; the window applies them.
class TDlgSetting : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSetting(QWidget* owner);

    // Sets every group; with `inputModeEnabled` off both input-mode buttons are disabled.
    void SetChoices(const TLumpChoices& choices, bool inputModeEnabled);
    [[nodiscard]] TLumpChoices Choices() const;
    [[nodiscard]] QButtonGroup* Group(std::size_t index) const { return groups_[index]; }

    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    std::array<QButtonGroup*, LumpGroupCount> groups_{};
};

// Shows the lump setting with its frame's top-left corner at `place` (screen pixels), moved as
// far as it must to stay inside the work area, pre-set from `modes`; answers the modes chosen,
// or nothing when the user cancels.
[[nodiscard]] std::optional<TLumpModes> LumpSettingDialog(QWidget* owner, QPoint place,
                                                          const TLumpModes& modes);

} // namespace mv
