#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// A fragmented chain is saved in chain order and loaded back into full blocks.
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
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(progress, (Progress{"書き込み中...", "", "読み込み実行中...", ""}));

    TMemoryModule empty;
    ASSERT_EQ(empty.SaveToFile(folder / "out.bin"), 0);
    EXPECT_TRUE(TTempFolder::Read(folder / "out.bin").empty());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.bin"});
}

// What killed saves of a file left beside it goes at its next save, but nothing a running save
// may still be writing: a locked or recently written scratch file, or another file's.
TEST(MemoryModuleFile, ASaveRemovesTheScratchFilesOfKilledSavesOnly) {
    TTempFolder folder;
    const std::string doc = folder.Write("doc.bin", {1});
    const auto scratch = [&](const std::string& name, bool old) {
        const std::string path = folder.Write(name, ByteVector(100, 7));
        const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - (old ? 3600 : 0), 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        return path;
    };
    scratch(".doc.bin.mvsave-999999-0", true);
    scratch(".doc.bin.mvsave-999999-1", false);
    scratch(".other.bin.mvsave-999999-0", true);
    const int held = ::open(scratch(".doc.bin.mvsave-999998-0", true).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    TMemoryModule module;
    Append(module, ByteVector{2});
    ASSERT_EQ(module.SaveToFile(doc), 0);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{".doc.bin.mvsave-999998-0",
                                                        ".doc.bin.mvsave-999999-1",
                                                        ".other.bin.mvsave-999999-0", "doc.bin"}));
    ::close(held);
}

TEST(MemoryModuleFile, LoadRefusesWhatCannotBeADocument) {
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);

    const std::pair<std::string, int> cases[] = {{folder / "fifo", EINVAL},
                                                 {folder.Path(), EISDIR},
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

TEST(MemoryModuleFile, SaveReplacesALinksTargetAndWritesIntoAPipe) {
    TTempFolder folder;
    const std::string original = folder.Write("doc.bin", {1, 2, 3});
    fs::create_symlink(original, folder / "link.bin");
    TMemoryModule module;
    Append(module, {7, 8});
    ASSERT_EQ(module.SaveToFile(folder / "link.bin"), 0);
    EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
    EXPECT_EQ(TTempFolder::Read(original), (ByteVector{7, 8}));

    // A pipe stays a pipe: the bytes go to its reader.
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(module.SaveToFile(fifo), ENXIO) << "no reader: refused, not waited for";
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(module.SaveToFile(fifo), 0);
    Byte got[3] = {};
    EXPECT_EQ(::read(reader, got, 3), 2);
    EXPECT_EQ(ByteVector(got, got + 2), (ByteVector{7, 8}));
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// Saves run as the unprivileged user `nobody` in a child process, so that the folder and
// ownership rules bind as they do for a user; the files are prepared as the superuser.
class SaveAsUser : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "preparing files of other users and becoming nobody needs root";
        const passwd* user = ::getpwnam("nobody");
        if (user == nullptr) GTEST_SKIP() << "there is no user nobody";
        nobody_ = user->pw_uid;
        nogroup_ = user->pw_gid;
        ASSERT_EQ(::chmod(scratch_.Path().c_str(), 0755), 0);
    }

    std::string Folder(const std::string& name, uid_t owner, mode_t mode) const {
        const std::string path = scratch_ / name;
        EXPECT_EQ(::mkdir(path.c_str(), 0700), 0);
        Own(path, owner, owner == 0 ? 0 : nogroup_, mode);
        return path;
    }

    static std::string File(const std::string& path, const ByteVector& bytes, uid_t owner,
                            gid_t group, mode_t mode) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
        Own(path, owner, group, mode);
        return path;
    }

    // Saves `bytes` to `path` as nobody, by `method` if given, writing at most `sizeLimit`
    // bytes of any file; answers what the save answered.
    int SaveAsNobody(const std::string& path, const ByteVector& bytes,
                     rlim_t sizeLimit = RLIM_INFINITY,
                     std::optional<TSaveMethod> method = std::nullopt) const {
        TMemoryModule module;
        Append(module, bytes);
        const pid_t child = ::fork();
        if (child == 0) {
            const rlimit limit{sizeLimit, sizeLimit};
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 || ::setgroups(0, nullptr) != 0 ||
                ::setgid(nogroup_) != 0 || ::setuid(nobody_) != 0)
                ::_exit(kNotDropped);
            ::_exit(method ? module.SaveToFile(path, *method) : module.SaveToFile(path));
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), kNotDropped) << "the child could not become nobody";
        return WEXITSTATUS(status);
    }

    static struct stat StatOf(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st;
    }

    static void Own(const std::string& path, uid_t owner, gid_t group, mode_t mode) {
        EXPECT_EQ(::chown(path.c_str(), owner, group), 0) << path;
        EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;
    }

    static constexpr int kNotDropped = 255;
    TTempFolder scratch_;
    uid_t nobody_ = 0;
    gid_t nogroup_ = 0;
};

// Where a new file cannot take the old one's place, the old file takes the bytes: the same
// file under every name, with its owner and group, and no scratch file is left behind.
TEST_F(SaveAsUser, WritesInPlaceWhereARenameWouldFailOrChangeTheFile) {
    constexpr uid_t root = 0;
    const struct {
        const char* why;
        uid_t folderOwner;
        mode_t folderMode;
        uid_t owner;
        gid_t group;
        bool linked;
    } cases[] = {
        {"read-only folder (EACCES)", root, 0555, nobody_, nogroup_, false},
        {"another user's file in a sticky folder (EPERM)", root, 01777, root, root, false},
        {"owner not restorable", nobody_, 0755, root, root, false},
        {"group not restorable", nobody_, 0755, nobody_, root, false},
        {"hard link", nobody_, 0755, nobody_, nogroup_, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string folder =
            Folder("case" + std::to_string(n++), c.folderOwner, c.folderMode);
        const std::string doc = File(folder + "/doc", Sequence(100), c.owner, c.group, 0666);
        if (c.linked) {
            ASSERT_EQ(::link(doc.c_str(), (folder + "/other").c_str()), 0);
        }
        const ino_t inode = StatOf(doc).st_ino;
        EXPECT_EQ(SaveAsNobody(doc, {9, 8, 7}), 0);
        EXPECT_EQ(TTempFolder::Read(doc), (ByteVector{9, 8, 7})) << "cut to the new length";
        const struct stat st = StatOf(doc);
        EXPECT_EQ(st.st_ino, inode);
        EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(c.owner, c.group));
        if (c.linked) {
            EXPECT_EQ(TTempFolder::Read(folder + "/other"), (ByteVector{9, 8, 7}));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), c.linked ? 2 : 1);
    }
}

// A reader that opened the file before the save keeps the old bytes: the new ones arrive in
// a new file under the old name.
TEST_F(SaveAsUser, OwnFileIsReplacedInOneRename) {
    const std::string folder = Folder("own", nobody_, 0755);
    const std::string doc = File(folder + "/doc", {1, 2, 3}, nobody_, nogroup_, 0640);
    const ino_t inode = StatOf(doc).st_ino;
    std::ifstream reader(doc, std::ios::binary);
    EXPECT_EQ(SaveAsNobody(doc, {4, 5}), 0);
    EXPECT_EQ(ByteVector(std::istreambuf_iterator<char>(reader), {}), (ByteVector{1, 2, 3}));
    EXPECT_EQ(TTempFolder::Read(doc), (ByteVector{4, 5}));
    const struct stat st = StatOf(doc);
    EXPECT_NE(st.st_ino, inode);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(nobody_, nogroup_));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

// A failed save answers its error. An in-place write that fails part way has not cut the
// file short; a replacement that could not keep the owner leaves the file as it was.
TEST_F(SaveAsUser, FailedSavesAnswerTheirErrorAndCutNothing) {
    const std::string folder = Folder("readonly", 0, 0555);
    const ByteVector old = Sequence(100), fresh = Sequence(100, 50);
    const std::string doc = File(folder + "/doc", old, nobody_, nogroup_, 0644);
    const std::string locked = File(folder + "/locked", old, nobody_, nogroup_, 0444);
    EXPECT_EQ(SaveAsNobody(locked, fresh), EACCES);
    EXPECT_EQ(TTempFolder::Read(locked), old);
    EXPECT_EQ(SaveAsNobody(doc, fresh, 40), EFBIG);
    ByteVector expected(fresh.begin(), fresh.begin() + 40);
    expected.insert(expected.end(), old.begin() + 40, old.end());
    EXPECT_EQ(TTempFolder::Read(doc), expected);

    const std::string own = Folder("own", nobody_, 0755);
    const std::string roots = File(own + "/doc", old, 0, 0, 0666);
    EXPECT_EQ(SaveAsNobody(roots, fresh, RLIM_INFINITY, TSaveMethod::Replace), EPERM);
    EXPECT_EQ(TTempFolder::Read(roots), old);
    EXPECT_EQ(StatOf(roots).st_uid, 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(own), {}), 1);
}

} // namespace
} // namespace mv
