#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
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

class MemoryModuleFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mv-file-test-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const ByteVector& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return PathOf(name);
    }

    static ByteVector Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Everything in the folder: a failed save must leave no temporary file behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(MemoryModuleFile, LoadFillsBlocksInTableOrder) {
    struct Case {
        std::size_t size;
        std::vector<std::int32_t> used;
    };
    for (const Case& c : {Case{0, {}}, Case{8192, {4096, 4096}}, Case{8193, {4096, 4096, 1}}}) {
        const ByteVector data = Sequence(c.size);
        TMemoryModule module;
        std::vector<std::string> progress;
        module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
        ASSERT_EQ(module.LoadFromFile(Write("in.bin", data)), 0);
        EXPECT_EQ(ChainUsed(module), c.used);
        for (std::size_t i = 0; i < c.used.size(); ++i) {
            EXPECT_EQ(module.Blocks()[i].Next, i + 1 < c.used.size() ? std::int32_t(i + 1) : -1);
        }
        EXPECT_EQ(module.BlockCount(), static_cast<std::int32_t>(c.used.size()));
        EXPECT_EQ(Contents(module), data);
        EXPECT_FALSE(module.IsModified());
        EXPECT_EQ(progress, (std::vector<std::string>{"読み込み実行中...", ""}));
    }
}

TEST_F(MemoryModuleFile, SaveWritesTheChainInOrderAndKeepsModified) {
    TMemoryModule module;
    ByteVector model = Sequence(3 * 4096 + 5);
    Append(module, model);
    const ByteVector inserted = Sequence(6000, 9);
    module.InsertBytes(inserted.data(), 2000, 6000);
    model.insert(model.begin() + 2000, inserted.begin(), inserted.end());
    std::vector<std::string> progress;
    module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
    ASSERT_EQ(module.SaveToFile(PathOf("out.bin")), 0);
    EXPECT_EQ(Read(PathOf("out.bin")), model);
    EXPECT_TRUE(module.IsModified());
    EXPECT_EQ(progress, (std::vector<std::string>{"書き込み中...", ""}));

    TMemoryModule empty;
    ASSERT_EQ(empty.SaveToFile(Write("out.bin", model)), 0);
    EXPECT_TRUE(Read(PathOf("out.bin")).empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"out.bin"}));
}

TEST_F(MemoryModuleFile, LoadRefusesWhatCannotBeADocument) {
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = PathOf("huge");
    { std::ofstream(huge).flush(); }
    fs::resize_file(huge, std::uintmax_t{1} << 31); // sparse: no disk space is used

    struct Case {
        std::string path;
        int error;
    };
    for (const Case& c : {Case{fifo, EINVAL}, Case{dir_.string(), EISDIR}, Case{huge, EFBIG},
                          Case{PathOf("missing"), ENOENT}}) {
        TMemoryModule module;
        Append(module, {1, 2, 3});
        std::vector<std::string> progress;
        module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
        EXPECT_EQ(module.LoadFromFile(c.path), c.error) << c.path;
        EXPECT_EQ(module.Size(), 0) << "nothing of a refused file is kept";
        EXPECT_EQ(module.BlockCount(), 0);
        EXPECT_EQ(progress.back(), "");
    }
}

TEST_F(MemoryModuleFile, SaveKeepsPermissionsAndReplacesALinksTarget) {
    const std::string original = Write("doc.bin", {1, 2, 3});
    ASSERT_EQ(::chmod(original.c_str(), 0640), 0);
    fs::create_symlink(original, PathOf("link.bin"));
    TMemoryModule module;
    Append(module, {7, 8});
    ASSERT_EQ(module.SaveToFile(PathOf("link.bin")), 0);
    EXPECT_TRUE(fs::is_symlink(PathOf("link.bin")));
    EXPECT_EQ(Read(original), (ByteVector{7, 8}));
    EXPECT_EQ(fs::status(original).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A save that runs out of room part-way: the file-size limit makes the write fail after
// some bytes were written, as a full disk would.
TEST_F(MemoryModuleFile, FailedSaveLeavesTheOriginalByteIdentical) {
    const ByteVector originalBytes = Sequence(1000, 3);
    const std::string original = Write("doc.bin", originalBytes);
    TMemoryModule module;
    Append(module, Sequence(64 * 4096));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 10000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int error = module.SaveToFile(original);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(Read(original), originalBytes);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"doc.bin"}));
}

TEST_F(MemoryModuleFile, SaveIntoReadOnlyFolderFailsWithoutTouchingTheFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    const ByteVector originalBytes{1, 2, 3};
    const std::string original = Write("doc.bin", originalBytes);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    TMemoryModule module;
    Append(module, {9});
    EXPECT_EQ(module.SaveToFile(original), EACCES);
    EXPECT_EQ(Read(original), originalBytes);
}

} // namespace
} // namespace mv
