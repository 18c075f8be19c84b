#include "core/document/document_messages.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mv {
namespace {

TEST(DocumentMessages, ViewOnlyExtensionsAreTrimmedAndCaseBlind) {
    const std::string list = "sys; exe ;com;dll;vxd";
    EXPECT_TRUE(ExtensionIsViewOnly("/a/LIB.DLL", list));
    EXPECT_TRUE(ExtensionIsViewOnly("/a/b.exe", list));
    EXPECT_FALSE(ExtensionIsViewOnly("/a/b.exe.txt", list));
    EXPECT_FALSE(ExtensionIsViewOnly("/a.dll/b", list)); // a folder's dot is no extension
    EXPECT_FALSE(ExtensionIsViewOnly("/a/dll", list));
    EXPECT_FALSE(ExtensionIsViewOnly("/a/b.", ";;"));
}

TEST(DocumentMessages, ViewModeNotices) {
    TFileFacts writable;
    writable.Exists = writable.Regular = writable.Readable = writable.Writable = true;
    EXPECT_EQ(ViewModeNotice("/a/b.bin", false, writable), std::nullopt);
    EXPECT_EQ(ViewModeNotice("/a/b.dll", true, writable),
              "指定ファイルの拡張子は閲覧専用に設定されています.\r\n閲覧モードで開きます.");
    TFileFacts readOnly = writable;
    readOnly.Writable = false;
    EXPECT_EQ(ViewModeNotice("/a/b.bin", false, readOnly),
              "/a/b.bin には\r\n読み出し専用属性 が設定されています.\r\n閲覧モードで開きます.");
    TFileFacts both = readOnly;
    both.Regular = false;
    EXPECT_EQ(ViewModeNotice("/a/b.bin", false, both),
              "/a/b.bin には\r\n読み出し専用属性及びシステム属性 が設定されています.\r\n"
              "閲覧モードで開きます.");
}

TEST(DocumentMessages, QuestionsAndRefusals) {
    EXPECT_EQ(OverwriteQuestion("/f"), "/f は既に存在します.\r\n上書きしてよろしいですか？");
    EXPECT_EQ(SaveTargetRefusal("/f"),
              "/f には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.");
    EXPECT_EQ(ReloadQuestion("/f"),
              "/f を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？");
    EXPECT_EQ(CloseQuestion("(新規)"), "(新規) は更新されています.\r\n閉じる前に保存しますか？");
    EXPECT_EQ(CompareFileMissing("/f"),
              "/f が見付かりません.\r\n比較ファイルには新規ファイルを指定することは出来ません.");
    EXPECT_EQ(CompareFileAlreadyOpen("/f"),
              "/f は既に開かれています.\r\n指定のファイルが開かれているウィンドウとの比較を行います.");
    EXPECT_EQ(TextOutputFailure("No space left on device"),
              "テキスト形式出力中に例外が発生しました.\r\nNo space left on device");
    EXPECT_EQ(HistoryEntryMissing("/f"), "/f が見付かりません.\r\nファイル履歴から削除します.");
}

// 5000 bytes in three blocks would be 40 %; packed into two, 61 %. A size near 2 GiB in many
// blocks overflows 32 bits unless the arithmetic is 64-bit.
TEST(DocumentMessages, GarbageCollectionQuestionUses64BitPercentages) {
    EXPECT_EQ(GarbageCollectionQuestion(5000, 3, 2),
              "現在のメモリ利用効率は 40% です.\r\nガーベージコレクション実行後は 61% "
              "になります.\r\n実行しますか？");
    EXPECT_EQ(GarbageCollectionQuestion(2'000'000'000, 1'000'000, 488'282),
              "現在のメモリ利用効率は 48% です.\r\nガーベージコレクション実行後は 99% "
              "になります.\r\n実行しますか？");
}

TEST(DocumentMessages, OpenRefusalsNameEachBadInput) {
    test::TTempFolder folder;
    const std::string file = folder.Write("a.bin", {1, 2, 3});
    EXPECT_EQ(OpenRefusal(file, ReadFileFacts(file)), std::nullopt);
    EXPECT_EQ(OpenRefusal(folder / "gone", ReadFileFacts(folder / "gone")),
              folder / "gone" + " が見付かりません.");
    EXPECT_EQ(OpenRefusal(folder.Path(), ReadFileFacts(folder.Path())),
              folder.Path() + " はフォルダです.\r\nフォルダを開くことは出来ません.");
    EXPECT_EQ(OpenRefusal("/dev/null", ReadFileFacts("/dev/null")),
              "/dev/null は通常のファイルではありません.\r\nデバイスなどを開くことは出来ません.");
    TFileFacts huge = ReadFileFacts(file);
    huge.Size = std::int64_t{1} << 40;
    EXPECT_EQ(OpenRefusal(file, huge), std::nullopt) << "no size is too large";
    if (::geteuid() != 0) { // root reads everything
        ::chmod(file.c_str(), 0200);
        EXPECT_EQ(OpenRefusal(file, ReadFileFacts(file)), file + " を読み出す権限がありません.");
    }
}

// A block device opens (in view mode); one the user may not read names the group that may.
// The tests run as root, so the refusal is asked for by a child that became nobody.
TEST(FileFacts, ABlockDeviceOpensAndItsReadersGroupIsNamed) {
    test::TTempFolder folder;
    const std::string node = folder / "loop";
    const group* disk = ::getgrnam("disk");
    if (::geteuid() != 0 || disk == nullptr ||
        ::mknod(node.c_str(), S_IFBLK | 0660, ::makedev(7, 0)) != 0 ||
        ::chown(node.c_str(), 0, disk->gr_gid) != 0)
        GTEST_SKIP() << "making a block device node needs root and a disk group";
    const TFileFacts facts = ReadFileFacts(node);
    EXPECT_TRUE(facts.BlockDevice);
    EXPECT_FALSE(facts.System());
    EXPECT_EQ(OpenRefusal(node, facts), std::nullopt);
    EXPECT_NE(ViewModeNotice(node, false, facts)->find("はデバイスです"), std::string::npos);

    ::chmod(folder.Path().c_str(), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool named = ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                           OpenRefusal(node, ReadFileFacts(node)) ==
                               node + " を読み出す権限がありません.\r\nこのデバイスを読み出すには "
                                      "disk グループに属している必要があります.";
        ::_exit(named ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "nobody is told of the group";
}

} // namespace
} // namespace mv
