// The lump setting as its document window uses it: pre-set from the modes, placed where it is
// asked to stand, the changed choices handed back on "決定" and nothing on "キャンセル".
#include "ui/dialogs/dlg_setting.h"

#include "support/modal_answer.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QRadioButton>

#include <gtest/gtest.h>

namespace mv {
namespace {

QAbstractButton* Choice(QWidget* dialog, std::size_t group, int choice) {
    return static_cast<TDlgSetting*>(dialog)->Group(group)->button(choice);
}

TEST(DlgSetting, PreSetsEveryGroupAndHandsBackTheChangedChoices) {
    TLumpModes modes;
    modes.InputMode = TInputMode::Insert;
    modes.CharaSet = CharaSet::Jis;
    modes.StatusBar = false;
    TLumpChoices shown{};
    QPoint at;
    test::AnswerModals({QStringLiteral("決定")}, [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "設定");
        shown = static_cast<TDlgSetting*>(dialog)->Choices();
        at = dialog->pos();
        Choice(dialog, 3, 0)->click();  // ASCII
        Choice(dialog, 12, 1)->click(); // まとめる
        Choice(dialog, 7, 0)->click();  // the status bar shown
    });
    const std::optional<TLumpModes> chosen = LumpSettingDialog(nullptr, QPoint(123, 87), modes);
    EXPECT_EQ(shown, ChoicesOf(modes));
    EXPECT_EQ(at, QPoint(123, 87));
    ASSERT_TRUE(chosen.has_value());
    TLumpModes expected = modes;
    expected.CharaSet = CharaSet::Ascii;
    expected.UndoPacked = true;
    expected.StatusBar = true;
    EXPECT_EQ(*chosen, expected);
}

TEST(DlgSetting, TheViewOnlyModeDisablesTheInputChoicesAndKeepsTheMode) {
    TLumpModes modes;
    modes.InputMode = TInputMode::ViewOnly;
    test::AnswerModals({QStringLiteral("決定")}, [&](QWidget* dialog) {
        for (const int choice : {0, 1}) {
            EXPECT_FALSE(Choice(dialog, 0, choice)->isEnabled());
            EXPECT_FALSE(Choice(dialog, 0, choice)->isChecked());
        }
    });
    const std::optional<TLumpModes> chosen = LumpSettingDialog(nullptr, {}, modes);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, modes);
}

TEST(DlgSetting, CancelHandsBackNothing) {
    test::AnswerModals({QStringLiteral("キャンセル")}, [](QWidget* dialog) { Choice(dialog, 1, 1)->click(); });
    EXPECT_FALSE(LumpSettingDialog(nullptr, {}, TLumpModes{}).has_value());
}

} // namespace
} // namespace mv
