#include "core/filer/filer_session.h"

#include "core/filer/filer_bounds.h"

#include "filer_fakes.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

using test::Bytes;

std::string Load(TFilerSession& session, const std::string& utf8) {
    return session.LoadText(Utf8ToShiftJis(utf8), "/f/a.MVF", test::TenPixelMetrics());
}

// A filer with an error leaves the loaded one whole: pages, caption and models.
TEST(FilerSession, LoadingAFilerWithAnErrorKeepsTheOldOne) {
    TFilerSession session;
    EXPECT_EQ(session.Caption(), "(no title) - ファイラーツール");
    EXPECT_EQ(session.SelectedPage(), -1);
    ASSERT_EQ(Load(session, "TITLE(Old) PAGE(p1) EDITINTEGER(i, 0, 1, 0, 0)\nPAGE(p2)"), "");
    const TFieldModel* field = session.Pages()[0].Fields[0].get();

    EXPECT_EQ(Load(session, "TITLE(New)\n\nEDITBIT(b, 0, 8)"),
              "/f/a.MVF に記述エラーがあります.\r\n\r\n[行番号]\t3\r\n[エラー内容]\t"
              "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. \"8\"\r\n\r\n"
              "ファイラーの読み込みに失敗しました.");
    EXPECT_EQ(session.Caption(), "Old - ファイラーツール");
    ASSERT_EQ(session.Pages().size(), 2u);
    EXPECT_EQ(session.Pages()[0].Fields[0].get(), field);

    // A filer without TITLE keeps the caption; one without PAGE has one untitled page.
    ASSERT_EQ(Load(session, "LABEL(x) EDITSTRING(s, 0, 2, 0)"), "");
    EXPECT_EQ(session.Caption(), "Old - ファイラーツール");
    ASSERT_EQ(session.Pages().size(), 1u);
    EXPECT_EQ(session.Pages()[0].Name, "(no title)");
    EXPECT_EQ(session.Pages()[0].Fields[0], nullptr) << "a label has no model";
    EXPECT_NE(session.Pages()[0].Fields[1], nullptr);
}

TEST(FilerSession, AFileThatCannotBeReadIsNamedWithItsError) {
    test::TTempFolder folder;
    TFilerSession session;
    EXPECT_EQ(session.Load(folder / "none.MVF", test::TenPixelMetrics()),
              folder / "none.MVF" +
                  " を読み込めません.\r\n\r\nNo such file or directory\r\n\r\n"
                  "ファイラーの読み込みに失敗しました.");
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

// What the error box says after the file's name about an error in its text.
std::string SyntaxError(int line, const std::string& message) {
    return " に記述エラーがあります.\r\n\r\n[行番号]\t" + std::to_string(line) +
           "\r\n[エラー内容]\t" + message + "\r\n\r\nファイラーの読み込みに失敗しました.";
}

// A filer past a bound is refused at the command that passes it, at once and without the memory
// that building it would take; the filer loaded before stays.
TEST(FilerSession, AFilerPastABoundIsRefusedAtOnce) {
    const std::string includes = Repeated("INCLUDECOMMON(b)\n", 1000);
    const std::string widgets = "画面の部品が多すぎます. ページ, 見出し, 入力欄などの部品は"
                                "合わせて 20000 個までにして下さい.";
    TFilerMetrics tall = test::TenPixelMetrics();
    tall.LabelHeight = 1'000'000; // rows 1,000,004 pixels apart from 8 on
    const struct {
        std::string Text;
        TFilerMetrics Metrics;
        std::string Reason; // after the file's name
    } cases[] = {
        // A thousand fields included a thousand times: the sixth passes the widgets.
        {"COMMON(b) " + Repeated("EDITINTEGER(x, 0, 4, 0, 0) ", 1000) + "COMMAND\n" + includes,
         test::TenPixelMetrics(), SyntaxError(7, widgets)},
        {Repeated("LABEL(x)\n", 30000), test::TenPixelMetrics(), SyntaxError(20001, widgets)},
        // Commands that build nothing: the 101st inclusion passes the commands.
        {"COMMON(b) " + Repeated("BIGENDIAN ", 1000) + "COMMAND\n" + includes,
         test::TenPixelMetrics(),
         SyntaxError(102, "編集部のコマンドが多すぎます. 共通ブロックの取り込みを含めて "
                          "100000 個までにして下さい.")},
        {Repeated("LABEL(x)\n", 100), tall,
         SyntaxError(17, "ページが長すぎます. 1 ページの高さは 16777215 ピクセルまでです. "
                         "PAGE でページを分けて下さい.")},
        {"{" + std::string(MaxFilerBytes, ' ') + "}", test::TenPixelMetrics(),
         " を読み込めません.\r\n\r\nファイラーが大きすぎます. ファイラーは 1048576 バイトまでに"
         "して下さい.\r\n\r\nファイラーの読み込みに失敗しました."},
    };
    test::TTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reason);
        TFilerSession session;
        ASSERT_EQ(Load(session, "PAGE(kept) LABEL(x)"), "");
        const std::string file = folder.Write("big.MVF", {c.Text.begin(), c.Text.end()});
        std::string error;
        const test::TSpent spent = test::Spend([&] { error = session.Load(file, c.Metrics); });
        EXPECT_EQ(error, file + c.Reason);
        EXPECT_LT(spent.Seconds, 1.0);
        EXPECT_LT(spent.ResidentGrowth, 64 << 20);
        ASSERT_EQ(session.Pages().size(), 1u);
        EXPECT_EQ(session.Pages()[0].Name, "kept");
    }
}

TEST(FilerSession, PageSelection) {
    TFilerSession session;
    ASSERT_EQ(Load(session, "PAGE(a) PAGE(b) PAGE(c)"), "");
    EXPECT_EQ(session.SelectedPage(), 0);
    EXPECT_FALSE(session.CanSelectPrevious());
    EXPECT_TRUE(session.CanSelectNext());
    session.SelectPage(2);
    EXPECT_TRUE(session.CanSelectPrevious());
    EXPECT_FALSE(session.CanSelectNext());
    session.SelectPage(3);
    session.SelectPage(-1);
    EXPECT_EQ(session.SelectedPage(), 2);
}

// Input a field refused stops the whole apply; a read drops it. The modified flag survives an
// apply that could not write.
TEST(FilerSession, ApplyWritesAllOrNothing) {
    test::TFilerTool tool(Utf8ToShiftJis("EDITINTEGER(a, 0, 1, 0, 100) EDITINTEGER(b, 1, 2, 0, 0)\n"
                                         "EDITSTRING(s, 3, 2, 0x20) EDITINTEGER(far, 4, 2, 0, 0)"),
                          {1, 2, 3, 'x', 'y'});
    TFilerSession& session = tool.Session;
    test::TScriptedHost host;
    auto& a = tool.Field<TIntegerFieldModel>(0);
    auto& b = tool.Field<TIntegerFieldModel>(1);
    auto& s = tool.Field<TStringFieldModel>(2);
    EXPECT_EQ(session.Read(tool.Target, host), 1) << "one field past the end";

    EXPECT_EQ(b.SetText("258"), "");
    EXPECT_EQ(a.SetText("101"), "値は 0 ～ 100 の範囲で指定して下さい.");
    EXPECT_EQ(s.SetText("あい"), "文字列が長すぎます. この欄には 2 バイトまで入力できます.");
    EXPECT_EQ(a.SetText("-"), "整数値を入力して下さい.");
    EXPECT_EQ(a.SetText("-99999999999999999999"), "値は 0 ～ 100 の範囲で指定して下さい.");
    session.SetModified();
    EXPECT_EQ(session.RefusedField(), &a);
    tool.Target.Log.clear();
    EXPECT_FALSE(session.Apply(tool.Target, host));
    EXPECT_TRUE(tool.Target.Log.empty());
    EXPECT_TRUE(session.Modified());

    EXPECT_EQ(a.SetText("-0"), "");
    EXPECT_EQ(session.RefusedField(), &s);
    EXPECT_EQ(s.SetText("z"), "");
    EXPECT_EQ(tool.Apply(), (std::vector<std::string>{"close", "write 0+1", "write 1+2",
                                                       "write 3+2", "close"}));
    EXPECT_EQ(tool.Target.Bytes, (Bytes{0, 0x02, 0x01, 'z', ' '}));
    EXPECT_FALSE(session.Modified());

    EXPECT_EQ(a.SetText("x"), "整数値を入力して下さい.");
    tool.Read();
    EXPECT_EQ(session.RefusedField(), nullptr);
}

} // namespace
} // namespace mv
