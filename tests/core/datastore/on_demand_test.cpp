// Files read on demand: sparse files past 4 GiB cost no disk, so the addresses that 32 bits
// cannot hold are tried for real.
#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "support/scripted_host.h"
#include "support/store_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {
namespace {

using test::ByteVector;
using test::TTempFolder;
namespace fs = std::filesystem;

constexpr std::int64_t GiB = std::int64_t{1} << 30;

// A sparse file of `size` bytes with `bytes` written at each of the given addresses.
std::string SparseFile(const TTempFolder& folder, const std::string& name, std::int64_t size,
                       std::initializer_list<std::pair<std::int64_t, ByteVector>> marks) {
    const std::string path = folder / name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, size), 0);
    for (const auto& [at, bytes] : marks)
        EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), at), std::ssize(bytes));
    ::close(fd);
    return path;
}

ByteVector Read(const TMemoryModule& module, Address at, ByteCount count) {
    ByteVector bytes(static_cast<std::size_t>(count));
    EXPECT_TRUE(module.ReadBytes(bytes.data(), at, count)) << "at " << at;
    return bytes;
}

Address Search(const TMemoryModule& module, const ByteVector& pattern, Address from,
               std::uint8_t direction) {
    return module.SearchPattern({.Pattern = pattern.data(),
                                 .Length = std::ssize(pattern),
                                 .Position = from,
                                 .Direction = direction});
}

TEST(OnDemand, ASparseFilePastFourGiBIsEditedWithoutBeingRead) {
    TTempFolder folder;
    const ByteVector edge{'E', 'D', 'G', 'E'};
    const ByteVector mark{'M', 'A', 'R', 'K'};
    const std::string path =
        SparseFile(folder, "disk.img", 6 * GiB, {{4 * GiB - 2, edge}, {5 * GiB + 3, mark}});
    TMemoryModule module;
    ASSERT_EQ(module.LoadFromFile(path, GiB), 0);
    EXPECT_EQ(module.Size(), 6 * GiB);
    EXPECT_EQ(module.BlockCount(), 0) << "nothing is read at the load";
    EXPECT_EQ(Read(module, 4 * GiB - 2, 4), edge);

    EXPECT_EQ(Search(module, edge, 4 * GiB - 100, 0), 4 * GiB - 2);
    EXPECT_EQ(Search(module, mark, 6 * GiB - 1, 1), 5 * GiB + 3);

    // An insertion in the middle and a deletion across 4 GiB split file blocks only.
    const ByteVector one{0x5A};
    module.InsertBytes(one.data(), 3 * GiB, 1);
    module.DeleteBytes(4 * GiB - 1, 2); // 'E' and 'D' of the edge, shifted by one
    EXPECT_EQ(module.Size(), 6 * GiB - 1);
    EXPECT_EQ(Read(module, 3 * GiB, 1), one);
    EXPECT_EQ(Read(module, 4 * GiB - 1, 2), (ByteVector{'G', 'E'}));
    EXPECT_EQ(Search(module, mark, 0x1'0000'0000, 0), 5 * GiB + 2);
    EXPECT_EQ(module.BlockCount(), 1);

    // Bit work reads the pages it changes and nothing more.
    module.NotBits(5 * GiB + 2, 4);
    EXPECT_EQ(Read(module, 5 * GiB + 2, 1), ByteVector{static_cast<Byte>(~'M')});
    EXPECT_LE(module.BlockCount(), 4);

    TMemoryModule original;
    ASSERT_EQ(original.LoadFromFile(path, GiB), 0);
    ByteCount run = 0;
    EXPECT_EQ(module.FindDifference({.Target = &original, .Position = 3 * GiB - 5}, run), 3 * GiB);
}

TEST(OnDemand, ASaveOverTheFileWritesWhatChangedAndRefusesToOverwriteMovedBytes) {
    TTempFolder folder;
    const ByteVector content = test::Sequence(3 << 20);
    const std::string path = folder.Write("data.bin", content);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    TMemoryModule module;
    ASSERT_EQ(module.LoadFromFile(path, 0), 0);
    const ByteVector change{1, 2, 3};
    module.OverwriteBytes(change.data(), 1 << 20, 3);
    ASSERT_EQ(module.SaveToFile(path, TSaveMethod::InPlace), 0);
    ByteVector expected = content;
    std::ranges::copy(change, expected.begin() + (1 << 20));
    EXPECT_EQ(TTempFolder::Read(path), expected);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);

    // After an insertion the file's later bytes stand elsewhere: written in place they would
    // be overwritten before they were read.
    module.InsertBytes(change.data(), 10, 3);
    EXPECT_EQ(module.SaveToFile(path, TSaveMethod::InPlace), EBUSY);
    EXPECT_EQ(TTempFolder::Read(path), expected);
    // A copy elsewhere takes the unchanged ranges from the file.
    ASSERT_EQ(module.SaveToFile(folder / "copy.bin"), 0);
    expected.insert(expected.begin() + 10, change.begin(), change.end());
    EXPECT_EQ(TTempFolder::Read(folder / "copy.bin"), expected);
}

TEST(OnDemand, AFileChangedUnderneathIsNeverReadAgainAndItsBytesNeverMadeUp) {
    TTempFolder folder;
    const ByteVector content = test::Sequence(3 << 20);
    const std::string path = folder.Write("data.bin", content);
    TMemoryModule module;
    module.FileBlockBytes = 1 << 16;
    ASSERT_EQ(module.LoadFromFile(path, 0), 0);
    EXPECT_EQ(Read(module, 0, 4), (ByteVector{0, 1, 2, 3}));

    fs::resize_file(path, 1 << 20); // another program cuts the file short
    ByteVector tail(16, 0xEE);
    EXPECT_FALSE(module.ReadBytes(tail.data(), 2 << 20, 16));
    EXPECT_EQ(tail, ByteVector(16, 0)) << "unreadable bytes read as zeros, never stale ones";
    EXPECT_EQ(module.SourceFault(), ESTALE);
    EXPECT_FALSE(module.ReadBytes(tail.data(), 0, 4)) << "not even the part still there";
    EXPECT_EQ(module.SaveToFile(folder / "copy.bin"), ESTALE);
    EXPECT_FALSE(fs::exists(folder / "copy.bin"));

    // A deletion would have to keep the deleted bytes for its undo: it is refused, named.
    test::TScriptedHost host;
    TEditHistory history(module, host);
    host.Answer(mrOk);
    TEditRequest request;
    request.Kind = TEditKind::Delete;
    request.Address = 100;
    request.Count = 10;
    history.Apply(request, false);
    ASSERT_EQ(host.Dialogs.size(), 1u);
    EXPECT_NE(host.Dialogs[0].Text.find("他のプログラムによって変更されました"), std::string::npos);
    EXPECT_EQ(module.Size(), 3 << 20);
    EXPECT_FALSE(history.CanUndo());
}

TEST(OnDemand, ATouchedFileIsSeenAsChanged) {
    TTempFolder folder;
    const std::string path = folder.Write("data.bin", test::Sequence(1 << 16));
    TMemoryModule module;
    ASSERT_EQ(module.LoadFromFile(path, 0), 0);
    EXPECT_EQ(module.CheckSource(), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(module.CheckSource(), ESTALE);
}

TEST(OnDemand, LongWorkStopsWhenAskedAndASaveStoppedLeavesTheOldFile) {
    TTempFolder folder;
    const ByteVector mark{'M', 'A', 'R', 'K'};
    const std::string path = SparseFile(folder, "big.img", GiB, {{GiB - 8, mark}});
    TMemoryModule module;
    ASSERT_EQ(module.LoadFromFile(path, 0), 0);
    int asked = 0;
    module.KeepGoing = [&asked](std::int64_t done, std::int64_t total) {
        EXPECT_LE(done, total);
        return ++asked < 3;
    };
    EXPECT_EQ(Search(module, mark, 0, 0), -1);
    EXPECT_TRUE(module.Stopped());
    EXPECT_EQ(asked, 3);

    asked = -1000; // a search that may go on finds the mark, and is no longer stopped
    EXPECT_EQ(Search(module, mark, 0, 0), GiB - 8);
    EXPECT_FALSE(module.Stopped());

    asked = 0;
    const ByteVector one{1};
    module.InsertBytes(one.data(), 0, 1);
    EXPECT_EQ(module.SaveToFile(path), ECANCELED);
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(GiB)) << "the old file stays";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"big.img"}) << "and nothing beside it";
}

// A loop device over a file stands for a disk: read on demand, of a fixed size, and saved by
// writing what changed into the device itself.
TEST(OnDemand, ALoopDeviceOpensAsADiskOfFixedSize) {
    TTempFolder folder;
    const std::string backing = folder.Write("backing.img", test::Sequence(1 << 20));
    std::string device;
    if (::geteuid() == 0) {
        if (FILE* pipe = ::popen(("losetup --find --show " + backing + " 2>/dev/null").c_str(), "r")) {
            char line[256] = {};
            if (std::fgets(line, sizeof line, pipe) != nullptr) device = line;
            ::pclose(pipe);
        }
    }
    while (!device.empty() && device.back() == '\n') device.pop_back();
    if (device.empty()) GTEST_SKIP() << "no loop device can be made here (needs root and loop support)";

    TMemoryModule module;
    ASSERT_EQ(module.LoadFromFile(device), 0) << "a device is read on demand at any size";
    EXPECT_TRUE(module.FixedSize());
    EXPECT_EQ(module.Size(), 1 << 20);
    const ByteVector change{0xEE, 0xEF};
    module.OverwriteBytes(change.data(), 4096, 2);
    EXPECT_TRUE(module.ChangesStayInPlace());
    EXPECT_EQ(module.SaveChangedRanges(folder / "journal"), 0);
    ::system(("losetup -d " + device).c_str());
    ByteVector expected = test::Sequence(1 << 20);
    std::ranges::copy(change, expected.begin() + 4096);
    EXPECT_EQ(TTempFolder::Read(backing), expected);
}

} // namespace
} // namespace mv
