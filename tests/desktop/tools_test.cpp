// The tool windows as a user meets them: each opens by its key with the keyboard, so that what
// is typed next goes into the tool and never into the file; a tool's message hands the keyboard
// back to the tool; the replace question asked near the screen's corner stands inside it.
#include "desktop/support/desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <numeric>
#include <optional>
#include <unistd.h>

namespace mv::desktop {
namespace {

using TBytes = test::TTempFolder::Bytes;

constexpr std::size_t FileSize = 4096;
constexpr const char* ReplaceQuestion = "置換しますか？";

// What a user does next: presses keys, types text, or waits until the tool of that caption, or
// the document (no caption), has the keyboard.
struct TAct {
    enum class TKind { Keys, Text, Tool, Document } Kind;
    std::vector<std::string> What;
};
TAct Press(std::vector<std::string> keys) {
    return {TAct::TKind::Keys, std::move(keys)};
}
TAct Type(std::string text) {
    return {TAct::TKind::Text, {std::move(text)}};
}
TAct InTool(std::string caption) {
    return {TAct::TKind::Tool, {std::move(caption)}};
}
TAct InDocument() {
    return {TAct::TKind::Document, {}};
}

// A window's frame on the screen, as the window manager draws it around the client area.
struct TFrame {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class Tools : public DesktopTest {
protected:
    // Opens a file of bytes that name their own offset and gives its window the keyboard.
    bool Open() {
        original_.resize(FileSize);
        std::iota(original_.begin(), original_.end(), std::uint8_t{0});
        path_ = Desk().Folder().Write("tools.bin", original_);
        Desk().StartEditor({path_});
        document_ = Desk().FocusedWindow(CaptionOf("tools.bin"));
        return !document_.empty();
    }

    // Does what the user does; answers whether every window came that was waited for.
    ::testing::AssertionResult Do(const std::vector<TAct>& acts) {
        for (const TAct& act : acts) {
            switch (act.Kind) {
            case TAct::TKind::Keys:
                Desk().Keys(act.What);
                break;
            case TAct::TKind::Text:
                Desk().Type(act.What.front());
                break;
            case TAct::TKind::Tool:
                if (!Eventually([&] { return Desk().ActiveCaption() == act.What.front(); }, 5s))
                    return ::testing::AssertionFailure()
                           << act.What.front() << " did not get the keyboard; "
                           << Desk().ActiveCaption().value_or("no window") << " has it";
                break;
            case TAct::TKind::Document:
                if (!Desk().ComesToFront(document_, 5s))
                    return ::testing::AssertionFailure()
                           << "the document did not get the keyboard back; "
                           << Desk().ActiveCaption().value_or("no window") << " has it";
                break;
            }
        }
        return ::testing::AssertionSuccess();
    }

    // Where the window manager shows the window's frame; without a window, the screen.
    TFrame FrameOf(const std::optional<TWindow>& window) {
        const std::string info =
            Desk()
                .Tool(window ? std::vector<std::string>{"xwininfo", "-id", *window}
                             : std::vector<std::string>{"xwininfo", "-root"})
                .Output;
        const auto number = [&info](const std::string& name) {
            const auto at = info.find(name + ":");
            return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + name.size() + 1);
        };
        int left = 0, right = 0, top = 0, bottom = 0;
        if (window) {
            const std::string extents =
                Desk().Tool({"xprop", "-id", *window, "_NET_FRAME_EXTENTS"}).Output;
            const auto equals = extents.find('=');
            if (equals != std::string::npos)
                std::sscanf(extents.c_str() + equals + 1, "%d, %d, %d, %d", &left, &right, &top,
                            &bottom);
        }
        const int x = number("Absolute upper-left X");
        const int y = number("Absolute upper-left Y");
        return {x - left, y - top, x + number("Width") + right, y + number("Height") + bottom};
    }

    std::string path_;
    TBytes original_;
    TWindow document_;
};

// One tool used as a user does, from the file's start: what is done, and the bytes the file
// then holds from an address on. Typed after a tool has closed, a byte lands at the caret
// that the tool left, which tells where the tool moved it.
struct TToolUse {
    const char* Tool;
    std::vector<TAct> Acts;
    std::size_t At;
    TBytes Bytes;
};

// The default key assignment: the input and rotation tools are reached through the menus that
// Shift+F1 and Shift+F2 open at the caret. Integers are Word, typed in decimal, little-endian.
TEST_F(Tools, EachToolOpensByItsKeyAndTakesWhatIsTypedIntoIt) {
    ASSERT_TRUE(Open());
    const std::vector<TToolUse> uses = {
        // First, while the first two bytes are still 00 01.
        {"n ビットローテート",
         {Press({"shift+Right", "shift+Right", "shift+F2", "b"}), InTool("n ビットローテート"),
          Press({"BackSpace"}), Type("8"), Press({"Return", "Escape"}), InDocument()},
         0,
         {0x01, 0x00}},
        {"整数型定型入力",
         {Press({"shift+F1", "i"}), InTool("整数型定型入力"), Type("4660"),
          Press({"Return", "Escape"}), InDocument()},
         0,
         {0x34, 0x12}},
        {"文字列型定型入力",
         {Press({"shift+F1", "s"}), InTool("文字列型定型入力"), Type("dead"),
          Press({"Tab", "Return", "Escape"}), InDocument()},
         0,
         {'d', 'e', 'a', 'd'}},
        {"キャラクタ型定型入力",
         {Press({"shift+F1", "c"}), InTool("キャラクタ型定型入力"),
          Press({"End", "Return", "Escape"}), InDocument()},
         0,
         {0x7F}},
        {"検索",
         {Press({"ctrl+f"}), InTool("検索"), Type("2312"), Press({"Return", "Escape"}),
          InDocument(), Type("ff")},
         8,
         {0xFF}},
        // A run check's warning, and its retry: the keys after it still go to the dialog.
        {"検索 retried",
         {Press({"ctrl+f"}), InTool("検索"), Press({"ctrl+Tab", "ctrl+Tab", "Return"}),
          InTool("警告"), Press({"Return"}), InTool("検索"),
          Press({"Down", "Down", "Down", "Down", "Down", "Down", "Return", "Escape"}), InDocument(),
          Type("ee")},
         6,
         {0xEE}},
        // A jump before the file's start, called off at the warning: the tool keeps the keys.
        {"相対ジャンプツール called off",
         {Press({"ctrl+shift+F6"}), InTool("相対ジャンプツール"), Type("1a"),
          Press({"minus", "Return"}), InTool("警告"), Press({"alt+a"}),
          InTool("相対ジャンプツール"), Press({"Escape"}), InDocument(), Type("bb")},
         0,
         {0xBB}},
        // A jump hands the keyboard to the document.
        {"アドレスジャンプ",
         {Press({"F5"}), InTool("アドレスジャンプ"), Type("32"), Press({"Return"}), InDocument(),
          Type("cc")},
         32,
         {0xCC}},
        {"相対ジャンプツール",
         {Press({"ctrl+shift+F6"}), InTool("相対ジャンプツール"), Type("1a"), Press({"Return"}),
          InDocument(), Type("dd")},
         0x1A,
         {0xDD}},
    };
    TBytes expected = original_;
    for (const TToolUse& use : uses) {
        SCOPED_TRACE(use.Tool);
        Desk().Keys({"ctrl+Home"});
        ASSERT_TRUE(Do(use.Acts));
        Desk().Keys({"ctrl+s"});
        std::ranges::copy(use.Bytes, expected.begin() + static_cast<std::ptrdiff_t>(use.At));
        ASSERT_TRUE(FileBecomes(path_, expected));
    }
}

// The byte at an offset of a file, read where it lies; nothing when the file has no byte there.
std::optional<std::uint8_t> ByteAt(const std::string& path, off_t offset) {
    std::uint8_t byte = 0;
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool read = fd >= 0 && ::pread(fd, &byte, 1, offset) == 1;
    if (fd >= 0) ::close(fd);
    return read ? std::optional(byte) : std::nullopt;
}

// A sparse file of 6 GiB, read on demand: the address jump, opened by its key, takes an address
// that 32 bits cannot hold. A byte typed after the jump and saved lands at that offset of the
// file, and only there: the save of a same-size change writes only what changed.
TEST_F(Tools, TheAddressJumpReachesPastFourGiB) {
    constexpr off_t Size = off_t{6} << 30;
    constexpr off_t Target = 0x1'2345'6789;
    path_ = Desk().Folder() / "disk.img";
    std::filesystem::resize_file(Desk().Folder().Write("disk.img", {}), Size);
    Desk().StartEditor({path_});
    document_ = Desk().FocusedWindow(CaptionOf("disk.img"), 30s);
    ASSERT_FALSE(document_.empty());
    // The jump opens in the remembered radix, decimal; Down goes on to hexadecimal. The save
    // says once that it makes no backup of a file read on demand.
    ASSERT_TRUE(Do({Press({"F5"}), InTool("アドレスジャンプ"), Press({"Down"}), Type("123456789"),
                    Press({"Return"}), InDocument(), Type("ab"), Press({"ctrl+s"}), InTool("情報"),
                    Press({"Return"}), InDocument()}));
    EXPECT_TRUE(Eventually([&] { return ByteAt(path_, Target) == 0xAB; }))
        << "the byte is not at the address jumped to";
    for (const off_t offset : {Target - 1, Target + 1, Target & 0xFFFF'FFFF})
        EXPECT_EQ(ByteAt(path_, offset), 0) << offset;
    EXPECT_EQ(std::filesystem::file_size(path_), static_cast<std::uintmax_t>(Size));
}

::testing::AssertionResult Inside(const TFrame& frame, const TFrame& screen) {
    if (frame.Left >= screen.Left && frame.Top >= screen.Top && frame.Right <= screen.Right &&
        frame.Bottom <= screen.Bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the frame (" << frame.Left << ", " << frame.Top << ")-(" << frame.Right << ", "
           << frame.Bottom << ") leaves the screen";
}

// Near the screen's bottom-right corner, the replace dialog and the question, which stands a
// little below the caret, are moved in as far as their whole frames need.
TEST_F(Tools, TheReplaceDialogAndQuestionNearTheScreensCornerStandInsideTheScreen) {
    ASSERT_TRUE(Open());
    const TFrame screen = FrameOf(std::nullopt);
    Desk().Tool({"xdotool", "windowmove", document_, std::to_string(screen.Right - 280),
                 std::to_string(screen.Bottom - 124)});
    ASSERT_TRUE(Do({Press({"ctrl+r"}), InTool("置換")}));
    EXPECT_TRUE(Inside(FrameOf(Desk().ActiveWindow()), screen)) << "the replace dialog";
    ASSERT_TRUE(Do({Type("1798"), Press({"Return"}), InTool(ReplaceQuestion)}));
    const TFrame question = FrameOf(Desk().ActiveWindow());
    Desk().Screenshot("question");
    EXPECT_TRUE(Inside(question, screen)) << "the question";
    EXPECT_GT(question.Bottom, screen.Bottom - 100) << "the question stands far from the caret";

    // Yes to the first match (06 07 becomes the replacement's 0), cancel at the next.
    ASSERT_TRUE(Do({Press({"Return"}), InTool(ReplaceQuestion), Press({"Escape"}), InTool("置換"),
                    Press({"Escape"}), InDocument(), Press({"ctrl+s"})}));
    TBytes expected = original_;
    expected[6] = expected[7] = 0x00;
    EXPECT_TRUE(FileBecomes(path_, expected));
}

} // namespace
} // namespace mv::desktop
