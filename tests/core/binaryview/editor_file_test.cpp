#include "editor_fixture.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace mv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Hex;
using test::TTempFolder;
using Names = std::vector<std::string>;

const Bytes kOld = Hex("6f 6c 64");
const Bytes kSaved = Hex("4e 65 77");

// An editor holding "new" bytes with one undoable edit and the modified mark.
struct TEditedDocument : test::TEditorFixture {
    TEditedDocument() : TEditorFixture(Hex("6e 65 77")) {
        TEditRequest request;
        request.Kind = TEditKind::Overwrite;
        request.Data = &kSaved[0];
        request.Length = 1;
        core.History().Apply(request, false);
        core.CloseUndoStep();
    }
    // The one dialog shown: its text, its type and one of its buttons.
    void ExpectDialog(const std::string& text, TMsgDlgType type, TMsgDlgBtn button) const {
        ASSERT_EQ(DialogTexts(), Names{text});
        EXPECT_EQ(host.Dialogs[0].Type, type);
        EXPECT_TRUE(host.Dialogs[0].Buttons.Contains(button));
    }
};

TEST(EditorFile, LoadReplacesDataHistoryAndCaretAndAFailedLoadStillClearsThem) {
    TTempFolder folder;
    folder.Write("data.bin", Hex("01 02 03 04 05"));
    TEditedDocument f;
    f.core.SetCaret({3, 1});
    EXPECT_TRUE(f.core.LoadFile(folder / "data.bin"));
    EXPECT_EQ(f.Data(), Hex("01 02 03 04 05"));
    EXPECT_FALSE(f.core.Module().IsModified());
    EXPECT_FALSE(f.core.History().CanUndo());
    EXPECT_EQ(f.core.Caret(), (TCaretState{0, 0}));

    TEditedDocument failed;
    failed.core.SetCaret({3, 0});
    failed.host.Answer(mrAbort);
    EXPECT_FALSE(failed.core.LoadFile(folder / "missing.bin"));
    failed.ExpectDialog(folder / "missing.bin" + " の読み込みに失敗しました.", TMsgDlgType::mtError,
                        TMsgDlgBtn::mbAbort);
    EXPECT_FALSE(failed.core.History().CanUndo() || failed.core.History().CanRedo());
    EXPECT_EQ(failed.core.CaretAddress(), 0) << "the caret stays inside the emptied store";
}

// A reload reads into a store of its own: the data, the edits, their history and the caret
// survive a file that cannot be read any more; a reload that works replaces them all.
TEST(EditorFile, AReloadThatFailsKeepsEverythingAndOneThatWorksReplacesIt) {
    TTempFolder folder;
    TEditedDocument f;
    f.core.SetCaret({2, 1});
    f.host.Answer(mrAbort);
    EXPECT_FALSE(f.core.ReloadFile(folder.Path()));
    f.ExpectDialog(folder.Path() + " の読み込みに失敗しました.", TMsgDlgType::mtError,
                   TMsgDlgBtn::mbAbort);
    EXPECT_EQ(f.Data(), Hex("4e 65 77"));
    EXPECT_TRUE(f.core.Module().IsModified());
    EXPECT_TRUE(f.core.History().CanUndo());
    EXPECT_EQ(f.core.Caret(), (TCaretState{2, 1}));

    EXPECT_TRUE(f.core.ReloadFile(folder.Write("data.bin", Hex("01 02 03 04 05"))));
    EXPECT_EQ(f.Data(), Hex("01 02 03 04 05"));
    EXPECT_FALSE(f.core.Module().IsModified());
    EXPECT_FALSE(f.core.History().CanUndo());
    EXPECT_EQ(f.core.Caret(), (TCaretState{0, 0}));
    f.core.Module().InsertBytes(kOld.data(), 5, 3); // the store it took goes on growing
    EXPECT_EQ(f.Data(), Hex("01 02 03 04 05 6f 6c 64"));
}

// The backup replaces an older one, even a dangling link, or a link to the file itself through
// which writing would destroy the file being backed up.
TEST(EditorFile, SaveKeepsThePreviousFileAsItsBackup) {
    enum TOld { File, LinkToItself, DanglingLink };
    struct Case {
        const char* file;
        const char* backup;
        TOld old;
    };
    const Case cases[] = {{"archive.tar.gz", "archive.tar.bak", File},
                          {"README", "README.bak", DanglingLink},
                          {"v1.d/README", "v1.d/README.bak", File},
                          {".profile", ".profile.bak", File},
                          {"name.", "name.bak", File},
                          {"data.bin", "data.bak", LinkToItself}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TTempFolder folder;
        fs::create_directories(fs::path(folder / c.file).parent_path());
        folder.Write(c.file, kOld);
        if (c.old == File)
            folder.Write(c.backup, Hex("01 02 03 04"));
        else
            fs::create_symlink(c.old == LinkToItself ? folder / c.file : folder / "gone",
                               folder / c.backup);
        TEditedDocument f;
        EXPECT_TRUE(f.core.SaveFile(folder / c.file));
        EXPECT_EQ(TTempFolder::Read(folder / c.file), kSaved);
        EXPECT_FALSE(fs::is_symlink(folder / c.backup));
        EXPECT_EQ(TTempFolder::Read(folder / c.backup), kOld);
        EXPECT_FALSE(f.core.Module().IsModified());
    }
}

// A file with a second name is written in place, so that the name sees the new bytes; its
// backup is then a copy rather than one more name of the changed data.
TEST(EditorFile, BackupOfAHardLinkedFileIsACopy) {
    TTempFolder folder;
    folder.Write("data.bin", kOld);
    fs::create_hard_link(folder / "data.bin", folder / "other.bin");
    TEditedDocument f;
    EXPECT_TRUE(f.core.SaveFile(folder / "data.bin"));
    EXPECT_EQ(TTempFolder::Read(folder / "other.bin"), kSaved);
    EXPECT_EQ(TTempFolder::Read(folder / "data.bak"), kOld);
}

TEST(EditorFile, SaveWithoutBackupForNewFilesBakFilesOrWhenSwitchedOff) {
    struct Case {
        const char* file;
        bool exists;
        bool makeBackFile;
        bool warned;
    };
    const Case cases[] = {
        {"data.bin", false, true, false},
        {"data.bAk", true, true, true},
        {"DATA.BAK", false, true, false},
        {"data.bin", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << c.exists << c.makeBackFile);
        TTempFolder folder;
        if (c.exists) folder.Write(c.file, kOld);
        TEditedDocument f;
        f.core.MakeBackFile = c.makeBackFile;
        if (c.warned) f.host.Answer(mrOk);
        EXPECT_TRUE(f.core.SaveFile(folder / c.file));
        EXPECT_EQ(TTempFolder::Read(folder / c.file), kSaved);
        EXPECT_EQ(folder.Names(), Names{c.file});
        if (c.warned)
            f.ExpectDialog("拡張子が BAK のファイルのバックアップは作成できません.",
                           TMsgDlgType::mtWarning, TMsgDlgBtn::mbOK);
    }
}

// The two settings act independently, so each is seen both ways in two saves.
TEST(EditorFile, SavedStateFollowsTheUndoAndLockSettings) {
    for (const auto& [flushWithSaved, locked] : {std::pair{true, false}, std::pair{false, true}}) {
        SCOPED_TRACE(testing::Message() << flushWithSaved << locked);
        TTempFolder folder;
        TEditedDocument f;
        f.core.History().UndoFlushWithSaved = flushWithSaved;
        f.core.Module().Locked = locked;
        const int changes = f.changes;
        EXPECT_TRUE(f.core.SaveFile(folder / "copy.bin"));
        EXPECT_EQ(f.core.History().CanUndo(), !flushWithSaved);
        EXPECT_EQ(f.core.Module().IsModified(), locked);
        EXPECT_EQ(f.changes > changes, flushWithSaved) << "a locked save changes nothing shown";
    }
}

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

// Writes beyond the limit fail with EFBIG while the limit is set; links need no writing.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST(EditorFile, FailedSaveLeavesTheFileAndTheDocumentAsTheyWereAndTheNextSaveReplacesIt) {
    TTempFolder folder;
    TEditedDocument f;
    f.host.Answer(mrAbort);
    EXPECT_FALSE(f.core.SaveFile(folder / "missing/data.bin"));
    f.ExpectDialog(folder / "missing/data.bin" + " の書き込みに失敗しました.", TMsgDlgType::mtError,
                   TMsgDlgBtn::mbAbort);
    EXPECT_TRUE(f.core.Module().IsModified());
    EXPECT_TRUE(f.core.History().CanUndo());

    // Failing after the backup was made.
    folder.Write("data.bin", kOld);
    TEditedDocument large;
    const Bytes bytes(10000, 0x42);
    large.core.Module().InsertBytes(bytes.data(), 0, static_cast<ByteCount>(bytes.size()));
    large.host.Answer(mrAbort);
    {
        TFileSizeLimit limit(4096);
        EXPECT_FALSE(large.core.SaveFile(folder / "data.bin"));
    }
    EXPECT_EQ(large.host.Dialogs.size(), 1u) << "the failure is reported";
    EXPECT_EQ(TTempFolder::Read(folder / "data.bin"), kOld);
    EXPECT_EQ(TTempFolder::Read(folder / "data.bak"), kOld);
    EXPECT_EQ(folder.Names(), (Names{"data.bak", "data.bin"}));
    EXPECT_TRUE(large.core.Module().IsModified());

    // The backup left linked to the file is no other name of it: the next save still
    // replaces the file whole rather than writing over it, which a crash would leave half done.
    const ino_t failedOn = InodeOf(folder / "data.bin");
    EXPECT_TRUE(large.core.SaveFile(folder / "data.bin"));
    EXPECT_NE(InodeOf(folder / "data.bin"), failedOn);
    EXPECT_EQ(TTempFolder::Read(folder / "data.bin"), large.Data());
    EXPECT_EQ(TTempFolder::Read(folder / "data.bak"), kOld);
}

// A backup that cannot be made, or an old one that cannot be deleted, is asked about; only
// Abort goes on with the save.
TEST(EditorFile, BackupFailuresAskAndOnlyAbortGoesOn) {
    const std::string longName = std::string(252, 'x') + ".b"; // its backup name is too long
    struct Case {
        std::string file;
        bool oldBackupIsAFolder;
    };
    for (const Case& c : {Case{longName, false}, Case{"data.bin", true}}) {
        for (const auto& [answer, saved] :
             {std::pair{mrIgnore, false}, std::pair{mrAbort, true}, std::pair{mrNone, false}}) {
            SCOPED_TRACE(testing::Message() << c.oldBackupIsAFolder << " " << answer);
            TTempFolder folder;
            folder.Write(c.file, kOld);
            if (c.oldBackupIsAFolder) {
                fs::create_directory(folder / "data.bak");
                folder.Write("data.bak/inside", kOld);
            }
            TEditedDocument f;
            f.host.Answer(answer);
            EXPECT_EQ(f.core.SaveFile(folder / c.file), saved);
            f.ExpectDialog(c.oldBackupIsAFolder
                               ? "以前のバックアップファイルの削除に失敗しました. " +
                                     std::to_string(EISDIR)
                               : folder / c.file + " のバックアップファイルの作成に失敗しました. " +
                                     std::to_string(ENAMETOOLONG),
                           TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbIgnore);
            EXPECT_EQ(TTempFolder::Read(folder / c.file), saved ? kSaved : kOld);
            EXPECT_EQ(f.core.Module().IsModified(), !saved);
            if (c.oldBackupIsAFolder)
                EXPECT_EQ(TTempFolder::Read(folder / "data.bak/inside"), kOld);
            else
                EXPECT_EQ(folder.Names(), Names{c.file});
        }
    }
}

TEST(EditorFile, BackupIsCopiedWhereNoLinkCanBeMade) {
    // A link to a file on another filesystem: its backup beside the link cannot share its data.
    TTempFolder folder;
    std::string elsewhere = "/dev/shm/mv_test_XXXXXX";
    const int fd = ::mkstemp(elsewhere.data());
    struct stat here {
    }, there{};
    const bool apart = fd >= 0 && ::stat(folder.Path().c_str(), &here) == 0 &&
                       ::fstat(fd, &there) == 0 && here.st_dev != there.st_dev;
    if (fd >= 0) ::close(fd);
    if (!apart) {
        ::unlink(elsewhere.c_str());
        GTEST_SKIP() << "no second filesystem at /dev/shm";
    }
    std::ofstream(elsewhere, std::ios::binary) << "old";
    fs::create_symlink(elsewhere, folder / "data.bin");
    TEditedDocument f;
    EXPECT_TRUE(f.core.SaveFile(folder / "data.bin"));
    EXPECT_TRUE(fs::is_symlink(folder / "data.bin"));
    EXPECT_EQ(TTempFolder::Read(elsewhere), kSaved);
    EXPECT_FALSE(fs::is_symlink(folder / "data.bak"));
    EXPECT_EQ(TTempFolder::Read(folder / "data.bak"), kOld);
    ::unlink(elsewhere.c_str());
}

} // namespace
} // namespace mv
