#include "core/shell/window_list_text.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(WindowListText, EachListSpellsNumberAndNameItsOwnWay) {
    EXPECT_EQ(NumberedMenuItemText(3, "/tmp/a.bin"), "&3: /tmp/a.bin");
    EXPECT_EQ(NumberedMenuItemText(12, "/tmp/a.bin"), "&12: /tmp/a.bin");
    EXPECT_EQ(SelectFileItemText(1, "/tmp/日本語.bin"), "&1 : /tmp/日本語.bin");
    EXPECT_EQ(WindowListLine(10, WindowDisplayName("")), "10: (新規)");
    // In menus a '&' of the name is no shortcut mark; the dialog's list shows it as it is.
    EXPECT_EQ(NumberedMenuItemText(2, "/tmp/R&D.bin"), "&2: /tmp/R&&D.bin");
    EXPECT_EQ(SelectFileItemText(2, "R&D"), "&2 : R&&D");
    EXPECT_EQ(WindowListLine(2, "R&D"), "2: R&D");
}

TEST(WindowListText, MenusListNineWindowsThenGiveWayToTheWindowList) {
    struct Case {
        int Windows;
        int Numbered;
        bool More;
        int SelectFile;
    };
    for (const Case c : {Case{0, 0, false, 0}, Case{1, 1, false, 1}, Case{9, 9, false, 9},
                         Case{10, 9, true, 9}, Case{11, 9, true, 9}, Case{-1, 0, false, 0}}) {
        const TWindowMenuLayout layout = WindowMenuLayout(c.Windows);
        EXPECT_EQ(layout.NumberedItems, c.Numbered) << c.Windows;
        EXPECT_EQ(layout.MoreItem, c.More) << c.Windows;
        EXPECT_EQ(SelectFilePopupItemCount(c.Windows), c.SelectFile) << c.Windows;
    }
}

} // namespace
} // namespace mv
