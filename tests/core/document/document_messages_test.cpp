#include "core/document/document_messages.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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
    huge.Size = std::int64_t{1} << 31;
    EXPECT_EQ(OpenRefusal(file, huge),
              file + " は 2 GiB 以上あります.\r\n2 GiB 以上のファイルを開くことは出来ません.");
    huge.Size -= 1;
    EXPECT_EQ(OpenRefusal(file, huge), std::nullopt);
    if (::geteuid() != 0) { // root reads everything
        ::chmod(file.c_str(), 0200);
        EXPECT_EQ(OpenRefusal(file, ReadFileFacts(file)), file + " を読み出す権限がありません.");
    }
}

} // namespace
} // namespace mv
