// Keys as the X server delivers them: hex digits and the keypad's extra digits, characters in
// every character set (kana and kanji from a layout that holds them), the save, undo and redo
// keys, a held fast-scroll key and the function-key bar under Shift.
#include "desktop/support/desktop.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace mv::desktop {
namespace {

using TBytes = test::TTempFolder::Bytes;
using TFrames = std::set<std::size_t>;

constexpr std::size_t FileSize = 4096;
const std::vector<std::string> FastMove = {"shift", "Down"}; // DOWNHIGH of the MS-DOS keys

// Bytes that name their own offset, so that a byte written at the wrong place shows.
TBytes Counting(std::size_t size) {
    TBytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}

TBytes Patched(TBytes bytes, std::size_t at, const TBytes& patch) {
    std::ranges::copy(patch, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

class Keys : public DesktopTest {
protected:
    // Opens a file of counting bytes and gives its window the keyboard; answers the window,
    // or nothing when it did not come.
    TWindow Open(std::size_t size = FileSize) {
        path_ = Desk().Folder().Write("keys.bin", Counting(size));
        editor_ = &Desk().StartEditor({path_});
        return Desk().FocusedWindow(CaptionOf("keys.bin"));
    }

    // Opens a file longer than any hold can scroll through, with the user's configuration
    // taking the key template of the MS-DOS version, whose Shift+Down is the fast DOWNHIGH.
    TWindow OpenForFastMoves() {
        std::ofstream(Desk().SettingsFile()) << "[Config]\nKeyAssignType=1\n";
        return Open(1 << 20);
    }

    // Asks the window to close as a window manager's close button does.
    void RequestClose(const TWindow& window) {
        EXPECT_EQ(Desk().Tool({HelperProgram("close_request"), window}).Status, 0);
    }

    // The distinct pictures the window shows over `duration`. A still view shows at most two:
    // the caret's blink on and off, whose period the duration spans.
    TFrames FramesOver(const TWindow& window, std::chrono::milliseconds duration = 1200ms) {
        TFrames frames;
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end) frames.insert(Frame(window));
        return frames;
    }

    std::size_t Frame(const TWindow& window) {
        return std::hash<std::string>{}(Desk().Pixels(window));
    }

    std::string path_;
    TChildProcess* editor_ = nullptr;
};

TEST_F(Keys, HexDigitsFromBothKeyBlocksAreWrittenByTheSaveKey) {
    ASSERT_FALSE(Open().empty());
    const TBytes original = Counting(FileSize);

    // Overwriting, then Insert switches to inserting; the keypad's / * - + Enter . are A to F.
    Desk().Keys({"a", "b", "1", "2", "Insert", "f", "0"});
    Desk().Keys({"KP_Divide", "KP_Multiply", "KP_Subtract", "KP_Add", "KP_Enter", "KP_Decimal"});
    Desk().Keys({"F12"});

    TBytes expected = Patched(original, 0, {0xAB, 0x12});
    expected.insert(expected.begin() + 2, {0xF0, 0xAB, 0xCD, 0xEF});
    EXPECT_TRUE(FileBecomes(path_, expected));
    EXPECT_TRUE(FileBecomes(Desk().Folder() / "keys.bak", original)); // the old file's backup
}

TEST_F(Keys, CharactersAreStoredInTheCharacterSetTheKeySwitchesTo) {
    ASSERT_FALSE(Open().empty());

    // The layout holds the kana as a Japanese user's does, so that their typing does not
    // depend on the program keeping up with xdotool.
    EXPECT_EQ(Desk().Tool({HelperProgram("keymap"), "あい"}).Status, 0);
    // Tab moves the caret to the character column; Ctrl+Shift+F2 steps Shift JIS, JIS, EUC,
    // UTF-8, UTF-16LE, UTF-16BE, ASCII and back, each set getting the same kana.
    Desk().Keys({"Tab"});
    const char* const perSet[] = {"Aあ", "あ", "あ", "あ", "あ", "あ", "z", "い"};
    for (const char* typed : perSet) {
        if (typed != perSet[0]) Desk().Keys({"ctrl+shift+F2"});
        Desk().Type(typed);
    }
    // SAVE from user menu 1: the S typed right after Escape belongs to the menu, even when it
    // arrives before the menu opens, and never lands in the character column.
    Desk().Keys({"Escape", "s"});

    EXPECT_TRUE(FileBecomes(path_, Patched(Counting(FileSize), 0,
                                           {
                                               'A', 0x82, 0xA0,            // Shift JIS
                                               0x1B, '$', 'B', 0x24, 0x22, // JIS: kanji in, the pair
                                               0xA4, 0xA2,                 // EUC
                                               0xE3, 0x81, 0x82,           // UTF-8
                                               0x42, 0x30,                 // UTF-16LE
                                               0x30, 0x42,                 // UTF-16BE
                                               'z',                        // ASCII
                                               0x82, 0xA2,                 // Shift JIS again
                                           })));
}

// The view menu's keys choose UTF-8, where kanji and a letter that Shift JIS lacks are stored
// as typed.
TEST_F(Keys, TypedCharactersReachTheFileInUtf8ChosenFromTheMenu) {
    ASSERT_FALSE(Open().empty());
    EXPECT_EQ(Desk().Tool({HelperProgram("keymap"), "日本語é"}).Status, 0);
    // 表示, 文字コード, UTF-8; then Tab to the character column.
    Desk().Keys({"alt+v", "a", "u", "Tab"});
    Desk().Type("日本語é");
    Desk().Keys({"ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, Patched(Counting(FileSize), 0,
                                           {0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC, 0xE8, 0xAA, 0x9E,
                                            0xC3, 0xA9})));
}

TEST_F(Keys, UndoAndRedoKeysStepThroughTypedCharacters) {
    ASSERT_FALSE(Open().empty());

    // A byte, then two characters, both undone and one redone.
    Desk().Keys({"a", "b", "Tab"});
    Desk().Type("XY");
    Desk().Keys({"ctrl+z", "ctrl+z", "ctrl+y", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, Patched(Counting(FileSize), 0, {0xAB, 'X'})));

    // Undone back to the saved bytes and redone, the document has a change to save again.
    Desk().Type("Q");
    Desk().Keys({"ctrl+z", "ctrl+y", "ctrl+s"});
    EXPECT_TRUE(FileBecomes(path_, Patched(Counting(FileSize), 0, {0xAB, 'X', 'Q'})));
}

// A window asked to close during the move goes on moving, and closes once the move has ended.
TEST_F(Keys, AHeldFastScrollKeyScrollsUntilReleasedThroughACloseRequest) {
    const TWindow window = OpenForFastMoves();
    ASSERT_FALSE(window.empty());

    Desk().KeyDown(FastMove);
    // Well into the hold, every picture is one not seen before.
    TFrames seen = FramesOver(window, 1000ms);
    bool moving = true;
    for (int i = 0; i < 4; ++i) moving = seen.insert(Frame(window)).second && moving;
    RequestClose(window);
    const bool stillMoving = FramesOver(window, 500ms).size() > 2;
    Desk().KeyUp({FastMove.rbegin(), FastMove.rend()});
    EXPECT_TRUE(moving) << "the view stopped moving while the key was held";
    EXPECT_TRUE(stillMoving) << "the move did not run through the close request";

    // Key repeats queued during the hold would keep the move, and the close, waiting.
    EXPECT_TRUE(Eventually([&] { return Desk().Windows("keys.bin").empty(); }))
        << "the window did not close once the move had ended";
    EXPECT_EQ(editor_->Wait(10s), 0) << "the program ends with its last window";
}

TEST_F(Keys, TheFunctionKeyBarShowsTheShiftCaptionsWhileShiftIsHeld) {
    const TWindow window = Open();
    ASSERT_FALSE(window.empty());
    const TFrames plain = FramesOver(window);

    Desk().KeyDown({"shift"});
    const bool shifted = Eventually([&] {
        const TFrames frames = FramesOver(window);
        return std::ranges::none_of(frames, [&](std::size_t f) { return plain.contains(f); });
    });
    Desk().Screenshot("shift");
    Desk().KeyUp({"shift"});
    EXPECT_TRUE(shifted) << "the window looks the same with Shift held";
    EXPECT_TRUE(Eventually([&] { return std::ranges::includes(plain, FramesOver(window)); }))
        << "the plain captions did not come back";
}

} // namespace
} // namespace mv::desktop
