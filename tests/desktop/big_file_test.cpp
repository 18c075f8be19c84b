// Files read on demand, as a user meets them: one cut short by another program while it is
// open, and a save in place killed at each of its steps, whose journal the next open offers.
#include "desktop/support/desktop.h"

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace mv::desktop {
namespace {

namespace fs = std::filesystem;

constexpr const char* WarningDialog = "^警告$";
constexpr const char* ConfirmDialog = "^確認$";
constexpr const char* InformationDialog = "^情報$";
constexpr std::size_t BigSize = std::size_t{64} << 20;
constexpr char BigName[] = "disk.img";

// The file's bytes from `offset` on, `count` of them or up to its end.
test::TTempFolder::Bytes ReadPart(const std::string& path, std::size_t offset, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    test::TTempFolder::Bytes bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

class BigFile : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) return;
        // From 16 MiB on, files are read on demand: the test needs no gigabytes.
        std::ofstream(Desk().SettingsFile()) << "[Config]\nOpeningDlg=1\nOnDemandSize=16\n";
        big_ = Desk().Folder() / BigName;
        std::vector<std::uint8_t> bytes(BigSize);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
        original_ = bytes;
        Desk().Folder().Write(BigName, bytes);
    }

    // Presses Return in the one box with the caption; answers whether it came and went.
    bool Answer(const char* caption, const std::string& keys = "Return") {
        const std::vector<TWindow> boxes = Desk().WaitForWindows(caption, 1, 30s);
        if (boxes.size() != 1 || !Desk().Activate(boxes[0])) return false;
        Desk().Keys({keys});
        return Eventually([&] { return Desk().Windows(caption).empty(); });
    }

    std::string big_;
    test::TTempFolder::Bytes original_;
};

TEST_F(BigFile, AFileCutShortWhileOpenShowsWhatIsGoneAndIsNotSaved) {
    Desk().StartEditor({big_});
    const TWindow window = Desk().FocusedWindow(CaptionOf(BigName), 30s);
    ASSERT_FALSE(window.empty());
    Desk().Type("41"); // an edit the cut must not lose
    fs::resize_file(big_, 4096); // another program cuts the file
    Desk().Keys({"ctrl+End"}); // the bytes past the cut are to be shown
    ASSERT_TRUE(Desk().WaitForWindows(WarningDialog, 1, 10s).size() == 1)
        << "the change is said";
    Desk().Screenshot("told");
    ASSERT_TRUE(Answer(WarningDialog));
    ASSERT_TRUE(Desk().ComesToFront(window));
    Desk().Screenshot("unreadable");
    Desk().Keys({"ctrl+s"});
    ASSERT_TRUE(Desk().WaitForWindows("^エラー$", 1, 10s).size() == 1) << "the save is refused";
    ASSERT_TRUE(Answer("^エラー$"));
    EXPECT_EQ(fs::file_size(big_), 4096u) << "nothing was written";
    EXPECT_TRUE(Desk().Windows(CaptionOf(BigName)).size() == 1) << "the window and its edit stay";
}

// When the editor is killed, in the order a save in place passes them: the journal is being
// written, it is whole and the file is being written, the save has ended.
enum class TMoment { JournalWriting, JournalWhole, Ended };

TEST_F(BigFile, ASaveInPlaceKilledAtEachStepLeavesOldOrNewBytesAndOffersTheOldBack) {
    const std::string journal = Desk().Folder() / (std::string(".") + BigName + ".mvjournal");
    // Magic, device, inode, size and range count; one range's offset and length; the sum.
    const std::uintmax_t wholeJournal = 40 + 16 + BigSize + 8;
    const auto journalSize = [&] {
        std::error_code gone;
        const std::uintmax_t size = fs::file_size(journal, gone);
        return gone ? std::uintmax_t{0} : size;
    };
    for (const TMoment moment : {TMoment::JournalWriting, TMoment::JournalWhole, TMoment::Ended}) {
        SCOPED_TRACE(static_cast<int>(moment));
        TChildProcess& editor = Desk().StartEditor({big_});
        ASSERT_FALSE(Desk().FocusedWindow(CaptionOf(BigName), 30s).empty());
        Desk().Keys({"alt+e", "b", "n"}); // every bit of the file inverted: every page changes
        Desk().Keys({"ctrl+s"});
        ASSERT_TRUE(Answer(InformationDialog)) << "no backup is made, and the user is told";
        const bool reached = Eventually(
            [&] {
                const std::uintmax_t size = journalSize();
                switch (moment) {
                case TMoment::JournalWriting:
                    return size > 0 && size < wholeJournal;
                case TMoment::JournalWhole:
                    return size == wholeJournal;
                case TMoment::Ended:
                    break;
                }
                return size == 0 && ReadPart(big_, 0, 16) !=
                                        test::TTempFolder::Bytes(original_.begin(), original_.begin() + 16);
            },
            60s);
        editor.Kill(9);
        ASSERT_TRUE(editor.Wait(10s).has_value());
        if (!reached) std::cout << "the save went past that moment unseen\n";

        const test::TTempFolder::Bytes left = ReadPart(big_, 0, BigSize);
        test::TTempFolder::Bytes inverted = original_;
        for (std::uint8_t& b : inverted) b = static_cast<std::uint8_t>(~b);
        EXPECT_TRUE(left == original_ || left == inverted) << "a file of neither old nor new";

        // The next open offers the old bytes back (or says a cut journal is of no use), and
        // the file is then the old one again.
        const std::uintmax_t leftJournal = journalSize();
        TChildProcess& next = Desk().StartEditor({big_});
        if (leftJournal > 0) {
            ASSERT_TRUE(Answer(leftJournal == wholeJournal ? ConfirmDialog : WarningDialog));
        }
        ASSERT_FALSE(Desk().FocusedWindow(CaptionOf(BigName), 30s).empty());
        EXPECT_EQ(journalSize(), 0u);
        if (leftJournal > 0) {
            EXPECT_TRUE(ReadPart(big_, 0, BigSize) == original_);
        }
        next.Kill(9);
        ASSERT_TRUE(next.Wait(10s).has_value());
        Desk().Folder().Write(BigName, original_);
    }
}

} // namespace
} // namespace mv::desktop
