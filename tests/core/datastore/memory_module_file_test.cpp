#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {
namespace {

namespace fs = std::filesystem;
using test::Append;
using test::ByteVector;
using test::ChainUsed;
using test::Contents;
using test::Sequence;
using test::TTempFolder;
using Progress = std::vector<std::string>;

void Record(TMemoryModule& module, Progress& progress) {
    module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
}

// A fragmented chain is saved in chain order and loaded back into full blocks in table order.
TEST(MemoryModuleFile, SaveAndLoadRoundTrip) {
    TTempFolder folder;
    TMemoryModule module;
    ByteVector model = Sequence(2 * 4096 + 5);
    Append(module, model);
    const ByteVector inserted = Sequence(6000, 9);
    module.InsertBytes(inserted.data(), 2000, 6000);
    model.insert(model.begin() + 2000, inserted.begin(), inserted.end());
    Progress progress;
    Record(module, progress);
    ASSERT_EQ(module.SaveToFile(folder / "out.bin"), 0);
    EXPECT_TRUE(module.IsModified());
    EXPECT_EQ(progress, (Progress{"書き込み中...", ""}));

    TMemoryModule loaded;
    Record(loaded, progress);
    ASSERT_EQ(loaded.LoadFromFile(folder / "out.bin"), 0);
    EXPECT_EQ(Contents(loaded), model);
    EXPECT_EQ(ChainUsed(loaded), (std::vector<std::int32_t>{4096, 4096, 4096, 1909}));
    for (std::int32_t b = 0; b < 4; ++b)
        EXPECT_EQ(loaded.Blocks()[b].Next, b < 3 ? b + 1 : -1);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(progress, (Progress{"書き込み中...", "", "読み込み実行中...", ""}));

    TMemoryModule empty;
    ASSERT_EQ(empty.SaveToFile(folder / "out.bin"), 0);
    EXPECT_TRUE(TTempFolder::Read(folder / "out.bin").empty());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.bin"});
}

TEST(MemoryModuleFile, LoadRefusesWhatCannotBeADocument) {
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    { std::ofstream(folder / "huge").flush(); }
    fs::resize_file(folder / "huge", std::uintmax_t{1} << 31); // sparse: no disk space is used

    const std::pair<std::string, int> cases[] = {{folder / "fifo", EINVAL},
                                                 {folder.Path(), EISDIR},
                                                 {folder / "huge", EFBIG},
                                                 {folder / "missing", ENOENT}};
    for (const auto& [path, error] : cases) {
        TMemoryModule module;
        Append(module, {1, 2, 3});
        Progress progress;
        Record(module, progress);
        EXPECT_EQ(module.LoadFromFile(path), error) << path;
        EXPECT_EQ(module.Size(), 0) << "nothing of a refused file is kept";
        EXPECT_EQ(module.BlockCount(), 0);
        EXPECT_EQ(progress.back(), "");
    }
}

TEST(MemoryModuleFile, SaveKeepsPermissionsAndReplacesALinksTarget) {
    TTempFolder folder;
    const std::string original = folder.Write("doc.bin", {1, 2, 3});
    ASSERT_EQ(::chmod(original.c_str(), 0640), 0);
    fs::create_symlink(original, folder / "link.bin");
    TMemoryModule module;
    Append(module, {7, 8});
    ASSERT_EQ(module.SaveToFile(folder / "link.bin"), 0);
    EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
    EXPECT_EQ(TTempFolder::Read(original), (ByteVector{7, 8}));
    EXPECT_EQ(fs::status(original).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(MemoryModuleFile, SaveIntoReadOnlyFolderFailsWithoutTouchingTheFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    TTempFolder folder;
    const std::string original = folder.Write("doc.bin", {1, 2, 3});
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    TMemoryModule module;
    Append(module, {9});
    EXPECT_EQ(module.SaveToFile(original), EACCES);
    EXPECT_EQ(TTempFolder::Read(original), (ByteVector{1, 2, 3}));
    fs::permissions(folder.Path(), fs::perms::owner_all);
}

} // namespace
} // namespace mv
