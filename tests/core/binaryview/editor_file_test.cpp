#include "editor_fixture.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

namespace mv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Hex;
using test::TEditorFixture;
using test::TTempFolder;

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The names in the folder, sorted.
std::vector<std::string> Names(const TTempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

// An editor holding "new" bytes with one undoable edit and the modified mark.
struct TEditedDocument : TEditorFixture {
    TEditedDocument() : TEditorFixture(Hex("6e 65 77")) {
        TEditRequest request;
        request.Kind = TEditKind::Overwrite;
        request.Data = &kNew;
        request.Length = 1;
        core.History().Apply(request, false);
        core.CloseUndoStep();
    }
    static constexpr Byte kNew = 0x4e;
};

const Bytes kOld = Hex("6f 6c 64");
const Bytes kSaved = Hex("4e 65 77");

TEST(EditorFile, LoadReplacesDataHistoryAndCaret) {
    TTempFolder folder;
    WriteFile(folder / "data.bin", Hex("01 02 03 04 05"));
    TEditedDocument f;
    f.core.SetCaret({3, 1});

    EXPECT_TRUE(f.core.LoadFile(folder / "data.bin"));
    EXPECT_EQ(f.Data(), Hex("01 02 03 04 05"));
    EXPECT_FALSE(f.core.Module().IsModified());
    EXPECT_FALSE(f.core.History().CanUndo());
    EXPECT_EQ(f.core.Caret(), (TCaretState{0, 0}));
    EXPECT_EQ(f.core.TopLine(), 0);
    EXPECT_TRUE(f.host.Dialogs.empty());
}

TEST(EditorFile, FailedLoadStillClearsTheHistory) {
    TTempFolder folder;
    TEditedDocument f;
    f.core.SetCaret({3, 0});
    f.host.Answer(mrAbort);

    EXPECT_FALSE(f.core.LoadFile(folder / "missing.bin"));
    ASSERT_EQ(f.host.Dialogs.size(), 1u);
    EXPECT_EQ(f.host.Dialogs[0].Text, folder / "missing.bin" + " の読み込みに失敗しました.");
    EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbAbort));
    EXPECT_FALSE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbOK));
    EXPECT_FALSE(f.core.History().CanUndo());
    EXPECT_FALSE(f.core.History().CanRedo());
    EXPECT_EQ(f.core.CaretAddress(), 0) << "the caret stays inside the emptied store";
}

TEST(EditorFile, SaveKeepsThePreviousFileAsItsBackup) {
    struct Case {
        const char* name;
        const char* file;
        const char* backup;
    };
    const Case cases[] = {
        {"extension replaced", "data.bin", "data.bak"},
        {"last extension only", "archive.tar.gz", "archive.tar.bak"},
        {"no extension", "README", "README.bak"},
        {"dot in a folder name", "v1.d/README", "v1.d/README.bak"},
        {"hidden file", ".profile", ".profile.bak"},
        {"empty extension", "name.", "name.bak"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        fs::create_directories(fs::path(folder / c.file).parent_path());
        WriteFile(folder / c.file, kOld);
        TEditedDocument f;

        EXPECT_TRUE(f.core.SaveFile(folder / c.file));
        EXPECT_EQ(ReadFile(folder / c.file), kSaved);
        EXPECT_EQ(ReadFile(folder / c.backup), kOld);
        EXPECT_TRUE(f.host.Dialogs.empty());
        EXPECT_FALSE(f.core.Module().IsModified());
        EXPECT_FALSE(f.core.History().CanUndo());
    }
}

TEST(EditorFile, SaveReplacesTheOldBackupWhateverItIs) {
    struct Case {
        const char* name;
        void (*makeOldBackup)(const TTempFolder&);
    };
    const Case cases[] = {
        {"older data", [](const TTempFolder& d) { WriteFile(d / "data.bak", Hex("01 02 03 04")); }},
        // Writing through the old name would destroy the file that is being backed up.
        {"link to the file itself",
         [](const TTempFolder& d) { fs::create_symlink(d / "data.bin", d / "data.bak"); }},
        {"dangling link",
         [](const TTempFolder& d) { fs::create_symlink(d / "gone", d / "data.bak"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        WriteFile(folder / "data.bin", kOld);
        c.makeOldBackup(folder);
        TEditedDocument f;

        EXPECT_TRUE(f.core.SaveFile(folder / "data.bin"));
        EXPECT_EQ(ReadFile(folder / "data.bin"), kSaved);
        EXPECT_FALSE(fs::is_symlink(folder / "data.bak"));
        EXPECT_EQ(ReadFile(folder / "data.bak"), kOld);
        EXPECT_EQ(Names(folder), (std::vector<std::string>{"data.bak", "data.bin"}));
    }
}

TEST(EditorFile, SaveWithoutBackupForNewFilesBakFilesOrWhenSwitchedOff) {
    struct Case {
        const char* name;
        const char* file;
        bool exists;
        bool makeBackFile;
        bool warned;
    };
    const Case cases[] = {
        {"new name", "data.bin", false, true, false},
        {"upper-case BAK", "DATA.BAK", true, true, true},
        {"mixed-case bak", "data.bAk", true, true, true},
        {"new BAK file", "DATA.BAK", false, true, false},
        {"backups off", "data.bin", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        if (c.exists) WriteFile(folder / c.file, kOld);
        TEditedDocument f;
        f.core.MakeBackFile = c.makeBackFile;
        if (c.warned) f.host.Answer(mrOk);

        EXPECT_TRUE(f.core.SaveFile(folder / c.file));
        EXPECT_EQ(ReadFile(folder / c.file), kSaved);
        EXPECT_EQ(Names(folder), std::vector<std::string>{c.file});
        if (c.warned) {
            ASSERT_EQ(f.host.Dialogs.size(), 1u);
            EXPECT_EQ(f.host.Dialogs[0].Text,
                      "拡張子が BAK のファイルのバックアップは作成できません.");
            EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtWarning);
            EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbOK));
        } else {
            EXPECT_TRUE(f.host.Dialogs.empty());
        }
    }
}

TEST(EditorFile, SavedStateFollowsTheUndoAndLockSettings) {
    struct Case {
        bool flushWithSaved;
        bool locked;
    };
    for (const Case c :
         {Case{true, false}, Case{false, false}, Case{true, true}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << c.flushWithSaved << c.locked);
        TTempFolder folder;
        TEditedDocument f;
        f.core.History().UndoFlushWithSaved = c.flushWithSaved;
        f.core.Module().Locked = c.locked;
        const int changes = f.changes;

        EXPECT_TRUE(f.core.SaveFile(folder / "copy.bin"));
        EXPECT_EQ(f.core.History().CanUndo(), !c.flushWithSaved);
        EXPECT_EQ(f.core.Module().IsModified(), c.locked);
        EXPECT_EQ(f.changes > changes, !c.locked || c.flushWithSaved);
    }
}

TEST(EditorFile, FailedSaveChangesNothing) {
    TTempFolder folder;
    TEditedDocument f;
    const std::string target = folder / "missing/data.bin";
    f.host.Answer(mrAbort);

    EXPECT_FALSE(f.core.SaveFile(target));
    ASSERT_EQ(f.host.Dialogs.size(), 1u);
    EXPECT_EQ(f.host.Dialogs[0].Text, target + " の書き込みに失敗しました.");
    EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbAbort));
    EXPECT_TRUE(f.core.Module().IsModified());
    EXPECT_TRUE(f.core.History().CanUndo());
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

TEST(EditorFile, SaveFailingAfterTheBackupLeavesTheFileAsItWas) {
    TTempFolder folder;
    WriteFile(folder / "data.bin", kOld);
    TEditedDocument f;
    const Bytes large(10000, 0x42);
    f.core.Module().InsertBytes(large.data(), 0, static_cast<ByteCount>(large.size()));
    f.host.Answer(mrAbort);
    {
        TFileSizeLimit limit(4096);
        EXPECT_FALSE(f.core.SaveFile(folder / "data.bin"));
    }
    EXPECT_EQ(f.DialogTexts(),
              std::vector<std::string>{folder / "data.bin" + " の書き込みに失敗しました."});
    EXPECT_EQ(ReadFile(folder / "data.bin"), kOld);
    EXPECT_EQ(ReadFile(folder / "data.bak"), kOld);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"data.bak", "data.bin"}));
    EXPECT_TRUE(f.core.Module().IsModified());
}

TEST(EditorFile, FailedBackupAsksAndOnlyAbortGoesOn) {
    // A backup name one character longer than any file name can be.
    const std::string stem(252, 'x');
    const std::string file = stem + ".b";
    struct Case {
        TModalResult answer;
        bool saved;
    };
    for (const Case c : {Case{mrIgnore, false}, Case{mrAbort, true}, Case{mrNone, false}}) {
        SCOPED_TRACE(c.answer);
        TTempFolder folder;
        WriteFile(folder / file, kOld);
        TEditedDocument f;
        f.host.Answer(c.answer);

        EXPECT_EQ(f.core.SaveFile(folder / file), c.saved);
        ASSERT_EQ(f.host.Dialogs.size(), 1u);
        EXPECT_EQ(f.host.Dialogs[0].Text, folder / file +
                                              " のバックアップファイルの作成に失敗しました. " +
                                              std::to_string(ENAMETOOLONG));
        EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtConfirmation);
        EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbAbort));
        EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbIgnore));
        EXPECT_EQ(ReadFile(folder / file), c.saved ? kSaved : kOld);
        EXPECT_EQ(Names(folder), std::vector<std::string>{file});
        EXPECT_EQ(f.core.Module().IsModified(), !c.saved);
        EXPECT_EQ(f.core.History().CanUndo(), !c.saved);
    }
}

TEST(EditorFile, UndeletableOldBackupAsksAndOnlyAbortGoesOn) {
    struct Case {
        TModalResult answer;
        bool saved;
    };
    for (const Case c : {Case{mrIgnore, false}, Case{mrAbort, true}, Case{mrNone, false}}) {
        SCOPED_TRACE(c.answer);
        TTempFolder folder;
        WriteFile(folder / "data.bin", kOld);
        fs::create_directory(folder / "data.bak");
        WriteFile(folder / "data.bak/inside", kOld);
        TEditedDocument f;
        f.host.Answer(c.answer);

        EXPECT_EQ(f.core.SaveFile(folder / "data.bin"), c.saved);
        ASSERT_EQ(f.host.Dialogs.size(), 1u);
        EXPECT_EQ(f.host.Dialogs[0].Text,
                  "以前のバックアップファイルの削除に失敗しました. " + std::to_string(EISDIR));
        EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtConfirmation);
        EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbAbort));
        EXPECT_TRUE(f.host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbIgnore));
        EXPECT_EQ(ReadFile(folder / "data.bin"), c.saved ? kSaved : kOld);
        EXPECT_TRUE(fs::is_directory(folder / "data.bak"));
        EXPECT_EQ(ReadFile(folder / "data.bak/inside"), kOld);
    }
}

TEST(EditorFile, BackupIsCopiedWhereNoLinkCanBeMade) {
    // A link to a file on another filesystem: its backup beside the link cannot share its data.
    TTempFolder folder;
    std::string elsewhere = "/dev/shm/mv_test_XXXXXX";
    const int fd = ::mkstemp(elsewhere.data());
    struct stat here {
    }, there{};
    if (fd < 0 || ::stat(folder.Path().c_str(), &here) != 0 || ::fstat(fd, &there) != 0 ||
        here.st_dev == there.st_dev) {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(elsewhere.c_str());
        }
        GTEST_SKIP() << "no second filesystem at /dev/shm";
    }
    ::close(fd);
    WriteFile(elsewhere, kOld);
    fs::create_symlink(elsewhere, folder / "data.bin");
    TEditedDocument f;

    EXPECT_TRUE(f.core.SaveFile(folder / "data.bin"));
    EXPECT_TRUE(f.host.Dialogs.empty());
    EXPECT_TRUE(fs::is_symlink(folder / "data.bin"));
    EXPECT_EQ(ReadFile(elsewhere), kSaved);
    EXPECT_FALSE(fs::is_symlink(folder / "data.bak"));
    EXPECT_EQ(ReadFile(folder / "data.bak"), kOld);
    ::unlink(elsewhere.c_str());
}

} // namespace
} // namespace mv
