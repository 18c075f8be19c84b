// The data probe as a user meets it: opened by its key with the keyboard in its first row,
// a value typed into a row further down and entered, the file saved by its key.
#include "desktop/support/desktop.h"

#include <numeric>

namespace mv::desktop {
namespace {

using TBytes = test::TTempFolder::Bytes;

constexpr const char* Caption = "データインスペクタ";

class Probe : public DesktopTest {};

TEST_F(Probe, AValueTypedIntoARowIsWrittenAtTheCaretAndSaved) {
    TBytes bytes(64);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    const std::string path = Desk().Folder().Write("inspect.bin", bytes);
    Desk().StartEditor({path});
    const TWindow document = Desk().FocusedWindow(CaptionOf("inspect.bin"));
    ASSERT_FALSE(document.empty());

    Desk().Keys({"Right", "Right", "Right", "Right", "ctrl+shift+F7"});
    ASSERT_TRUE(Eventually([&] { return Desk().ActiveCaption() == Caption; }, 5s))
        << Desk().ActiveCaption().value_or("no window") << " has the keyboard";
    // From the signed byte four rows down to the signed 32-bit integer, whose text Tab selects.
    Desk().Keys({"Tab", "Tab", "Tab", "Tab"});
    Desk().Keys({"minus", "2", "Return"});
    Desk().Screenshot("entered");
    Desk().Keys({"Escape"});
    ASSERT_TRUE(Desk().ComesToFront(document, 5s));
    Desk().Keys({"ctrl+s"});
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0xFF;
    bytes[4] = 0xFE;
    EXPECT_TRUE(FileBecomes(path, bytes));
}

} // namespace
} // namespace mv::desktop
