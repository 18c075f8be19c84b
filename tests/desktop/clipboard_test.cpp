// The clipboard shared with other programs: bytes leave in the program's own format and the
// information panel's rows as text, text from another program arrives as Shift JIS, and owners
// that vanish, stall, lie about their count or offer 100 MiB get a clear answer, never a hang
// or a silent wrong paste.
#include "desktop/support/desktop.h"


namespace mv::desktop {
namespace {

using Bytes = test::TTempFolder::Bytes;

constexpr const char* OwnFormat = "application/x-mvpr-clipboard-format";
constexpr const char* ErrorDialog = "^エラー$";

Bytes WithCount(const Bytes& bytes) {
    const auto count = static_cast<std::uint32_t>(bytes.size());
    Bytes payload{static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                  static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    return payload;
}

Bytes BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

class Clipboard : public DesktopTest {
protected:
    // Opens the file in a window of the editor, the first start or a handed-over one, and
    // gives that window the keyboard focus.
    TWindow Open(const std::string& fileName, const Bytes& bytes) {
        path_ = Desk().Folder().Write(fileName, bytes);
        Desk().StartEditor({path_});
        return Desk().FocusedWindow(CaptionOf(fileName));
    }

    std::string ClipboardAs(const std::string& target) {
        return Desk().Tool({"xclip", "-o", "-selection", "clipboard", "-t", target}).Output;
    }

    // Waits until the clipboard gives `expected` as `target`; otherwise says what it gave.
    ::testing::AssertionResult ClipboardBecomes(const std::string& target, const Bytes& expected) {
        std::string last;
        if (Eventually([&] { return BytesOf(last = ClipboardAs(target)) == expected; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the clipboard gave " << last.size()
                                             << " bytes as " << target << ": " << last.substr(0, 40);
    }

    // Puts text on the clipboard as another program does, one that serves it until the
    // clipboard is taken from it.
    void OfferText(const std::string& utf8) {
        const std::string input = Desk().Folder().Write("offered.txt", BytesOf(utf8));
        Desk().Launch({"xclip", "-quiet", "-i", "-selection", "clipboard"}, input);
        ASSERT_TRUE(ClipboardBecomes("UTF8_STRING", BytesOf(utf8))) << "xclip did not take it";
    }

    // Hands the clipboard to the misbehaving owner helper in `mode`.
    void OfferFromOwner(const std::string& mode) {
        Desk().Launch({HelperProgram("clipboard_owner"), mode});
        ASSERT_TRUE(Eventually([&] {
            return ClipboardAs("TARGETS").find(OwnFormat) != std::string::npos;
        })) << "the " << mode << " owner did not take the clipboard";
    }

    std::string path_; // the file Open opened last
};

TEST_F(Clipboard, CopiedBytesReachOtherProgramsAsTheOwnFormatAndPanelRowsAsText) {
    Bytes bytes(256);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(255 - i);
    const TWindow window = Open("source.bin", bytes);
    ASSERT_FALSE(window.empty());

    Desk().Keys({"ctrl+a", "ctrl+c"});
    EXPECT_TRUE(ClipboardBecomes(OwnFormat, WithCount(bytes)));
    EXPECT_EQ(ClipboardAs("TARGETS").find("UTF8_STRING"), std::string::npos)
        << "the own format only, so that text readers do not take binary for text";

    // The caret on the end-of-file cell at 100h; its row's copy button, the information
    // panel's first, is left of the panel's middle at a fixed height above the window's bottom.
    Desk().Keys({"ctrl+End"});
    const TGeometry geometry = Desk().Geometry(window);
    Desk().ClickAt(geometry.X + geometry.Width / 2 - 20, geometry.Y + geometry.Height - 117);
    EXPECT_TRUE(ClipboardBecomes("UTF8_STRING", BytesOf("00000100h (256)")));
}

TEST_F(Clipboard, TheOwnFormatCarriesEveryByteBetweenTwoWindows) {
    const Bytes bytes = {0x00, 0xFF, 0x41, 0x00, 0x82, 0xA0, 0x0D, 0x0A};
    Open("from.bin", bytes);
    Desk().Keys({"ctrl+a", "ctrl+c"});
    ASSERT_TRUE(ClipboardBecomes(OwnFormat, WithCount(bytes)));

    Open("to.bin", {});
    Desk().Keys({"ctrl+v", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, bytes))
        << "the zero bytes show that the own format, not text, was taken";
}

TEST_F(Clipboard, TextOfAnotherProgramPastesAsShiftJis) {
    Open("text.bin", {});
    // Each paste is saved before the clipboard changes again, so that it takes its own text.
    OfferText("ABC");
    Desk().Keys({"ctrl+v", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, BytesOf("ABC")));
    OfferText("日本語");
    Desk().Keys({"ctrl+v", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, (Bytes{'A', 'B', 'C', 0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA})));
}

// Each owner gets an error box within the time Qt waits for an owner, and the one paste that
// works afterwards shows that the window still answers and the refused ones left nothing.
TEST_F(Clipboard, OwnersThatVanishStallOrLieAreRefusedWithoutAHang) {
    const TWindow window = Open("kept.bin", {1, 2, 3});
    ASSERT_FALSE(window.empty());
    for (const char* mode : {"vanish", "stall", "lying-count", "too-short"}) {
        SCOPED_TRACE(mode);
        OfferFromOwner(mode);
        const auto asked = std::chrono::steady_clock::now();
        Desk().Keys({"ctrl+v"});
        const std::vector<TWindow> dialogs = Desk().WaitForWindows(ErrorDialog, 1, 10s);
        ASSERT_EQ(dialogs.size(), 1u) << "no error box";
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 10s);
        Desk().Activate(dialogs[0]);
        Desk().Keys({"Return"});
        ASSERT_TRUE(Eventually([&] { return Desk().Windows(ErrorDialog).empty(); }));
        ASSERT_TRUE(Desk().Activate(window));
    }
    OfferText("Z");
    Desk().Keys({"ctrl+v", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, (Bytes{'Z', 2, 3})));
}

// The menus ask whether there is anything to paste at every caret move; an owner that never
// answers may cost one wait when it takes the clipboard, never one per key.
TEST_F(Clipboard, AnOwnerThatNeverAnswersDoesNotSlowTheKeys) {
    Open("keys.bin", Bytes(16, 0));
    Desk().Launch({HelperProgram("clipboard_owner"), "mute"});
    ASSERT_TRUE(Eventually([&] {
        return Desk().ProgramOutput().find("mute owner holds the clipboard") != std::string::npos;
    }));
    const auto pressed = std::chrono::steady_clock::now();
    Desk().Keys({"Right", "Right", "Right", "Right", "Right", "Right", "f", "f", "ctrl+s"});
    Bytes expected(16, 0);
    expected[6] = 0xFF;
    EXPECT_TRUE(FileBecomes(path_, expected, 20s));
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, 12s) << "a wait for the owner per key";
}

// 100 MiB is an ordinary paste for a binary editor: it arrives whole, in bounded time.
TEST_F(Clipboard, AHundredMebibyteOfferPastesWhole) {
    constexpr std::size_t Size = 100u << 20;
    Bytes offered(Size);
    for (std::size_t i = 0; i < Size; ++i) offered[i] = static_cast<std::uint8_t>(i % 251);
    Open("big.bin", {});
    OfferFromOwner("huge");
    Desk().Keys({"ctrl+v", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, offered, 30s)) << "the bytes as offered, in order";
}

} // namespace
} // namespace mv::desktop
