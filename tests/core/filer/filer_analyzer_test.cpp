#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_define.h"
#include "core/filer/filer_number.h"
#include "core/typedvalues/sjis_utf8.h"

#include "filer_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace mv {
namespace {

using test::Parse;
using test::ParseShiftJis;
using test::TParsed;

TFilerCommand Cmd(std::string name, std::vector<std::string> parameters = {}) {
    return {std::move(name), std::move(parameters)};
}

struct TErrorCase {
    std::string Text;
    std::int32_t Line;
    std::string Message;
};

void ExpectErrors(const std::vector<TErrorCase>& cases) {
    for (const TErrorCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const TParsed p = Parse(c.Text);
        EXPECT_TRUE(p.Result.IsError);
        EXPECT_EQ(p.Result.Line, c.Line);
        EXPECT_EQ(p.Result.Message, c.Message);
    }
}

TEST(AnalyzeFiler, SyntaxErrorsAndTheirLines) {
    ExpectErrors({
        // The text gains a line break after its last line, and the end lies past it.
        {"TITLE(t)\nLABEL(\"x\"", 4, "ファイラー末尾が不正です."},
        {"LABEL(\n\"abc", 2, "トークンが正常に終了していません."},
        {"\n\n{ abc\n", 3, "コメントが正常に終了していません."},
        {"LABEL(\"a\nb\")", 1, "トークンに不正な文字が含まれています."},
        // CR alone, LF alone and CR LF each end one line.
        {"\r\r\n\n FOO", 4, "コマンド名が不明です. \"FOO\""},
        {"# LABEL(\nfoo", 2, "コマンド名が不明です. \"FOO\""},
        {",LABEL", 1, "不正な位置にある , です."},
        {"BIGENDIAN(", 1, "不正な位置にある ( です."},
        // Where a name is expected, a token beginning with "(", ")" or "," is misplaced.
        {"\"(x\"", 1, "不正な位置にある (x です."},
        {"\"x(\"", 1, "コマンド名が不明です. \"X(\""},
        {"WRITEBIT(0, 0, 1)", 1, "編集部では使えないコマンドです. \"WRITEBIT\""},
        {"INITIALIZE\n EDITBIT(a, 0, 0)", 2, "初期化部では使えないコマンドです. \"EDITBIT\""},
        {"FINALIZE\n INCLUDECOMMON(a)", 2, "終了部では使えないコマンドです. \"INCLUDECOMMON\""},
        {"COMMON(a)\nINITIALIZE", 2, "共通ブロック定義部では使えないコマンドです. \"INITIALIZE\""},
        {"LABEL x", 1, "( が必要です."},
        {"SEGMENT(1,\n2)", 2, "パラメータが多すぎます."},
        {"LABEL(a b)", 1, ") か , が必要です."},
        // ")" straight after "(" is the label's text; the next token then misses ")".
        {"LABEL()\nLABEL(a)", 2, ") か , が必要です."},
        // The message area needs its height as well as its width.
        {"MESSAGE(100\n)", 2, "パラメータが足りません."},
        {"COMMON(a) COMMAND\nCOMMON(A)", 2, "共通ブロックの多重定義です. \"A\""},
        {"INCLUDECOMMON(b) COMMON(B)", 1, "未定義の共通ブロックです. \"b\""},
    });
}

TEST(AnalyzeFiler, ParameterErrors) {
    const std::string NotPositive = "正の整数値を指定して下さい. ";
    const std::string TooBig = "整数値が大きすぎます. 10 進数では 2147483647 まで、16 進数では "
                               "8 桁までで指定して下さい. ";
    const std::string Negative = "アドレスとサイズには 0 ～ 2147483647 の値を指定して下さい. ";
    ExpectErrors({
        {"SEGMENT(-1)", 1, NotPositive + "\"-1\""},
        {"SEGMENT($10)", 1, NotPositive + "\"$10\""},
        {"SEGMENT(\" 1\")", 1, NotPositive + "\" 1\""},
        {"SEGMENT(99999999999999999999999)", 1, TooBig + "\"99999999999999999999999\""},
        {"SEGMENT(0x100000000)", 1, TooBig + "\"0x100000000\""},
        // Eight hexadecimal digits from 8 on are negative: no address or size may be.
        {"SEGMENT(0x80000000)", 1, Negative + "\"-2147483648\""},
        {"INITIALIZE COPY(16, 0x10, 1)", 1, "コピー元とコピー先が同一です."},
        {"INITIALIZE COPY(0, 1, 0)", 1, "転送サイズは 1 以上を指定して下さい."},
        {"INITIALIZE CLEAR(0, \"\", 0)", 1, "クリアサイズは 1 以上を指定して下さい."},
        {"INITIALIZE CLEAR(0, 1, 256)", 1,
         "クリア数値は 0 ～ 255 までの範囲の整数値で指定して下さい."},
        {"EDITBIT(a, 0, 8)", 1,
         "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. \"8\""},
        {"EDITINTEGER(a, 0, 0x3, 0, 0)", 1,
         "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. \"3\""},
        {"EDITINTEGER(a, 0, 1, 5, 4)", 1,
         "範囲が不正です. 最大値が最小値未満に設定されています. \"4\""},
        {"EDITSELECT(a, 0, 1, \"0=>x\", \"x\")", 1, "選択肢の指定方法が不正です. \"x\""},
        {"EDITSTRING(a, 0, 0, 0)", 1, "文字列長に 0 を指定することは出来ません."},
        {"EDITSTRING(a, 0, 1, 256)", 1,
         "余剰キャラクタには 0 ～ 255 の文字コードを指定して下さい."},
        {"INDENT(auto)", 1, "インデント、マージン幅にはオート \"*\" か整数値が必要です. \"auto\""},
        {"INDENT(801)", 1, "インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. \"801\""},
        {"MARGIN(0x1000000000)", 1,
         "インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. \"0x1000000000\""},
        {"MESSAGE(49, 100)", 1,
         "メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. \"49\""},
        {"INITIALIZE WRITEBIT(0, 0, 2)", 1,
         "ビットデータが不正です. ビットデータには 0,1 のみ指定できます. \"2\""},
        {"INITIALIZE WRITEPATTERNBIN(0, 0, 1)", 1,
         "パターン書き込みサイズは 1 以上を指定して下さい."},
        {"INITIALIZE WRITEPATTERNHEX(0, 1, \"\")", 1,
         "パターンに空の文字列を指定することは出来ません."},
        {"INITIALIZE WRITEPATTERNBIN(0, 1, 102)", 1,
         "パターンには 0 と 1 のみからなる 2 進数パターンを指定して下さい. \"102\""},
        {"INITIALIZE WRITEPATTERNHEX(0, 1, 0G)", 1,
         "パターンには 0 ～ F のみからなる 16 進数パターンを指定して下さい. \"0G\""},
    });
}

// Command names in any case, quoted keywords, words that run on over '"' and '}' and lose
// control characters at their ends, numbers stored in decimal, and the section that each
// command lands in.
TEST(AnalyzeFiler, SectionsCaseAndStoredParameters) {
    const TParsed p = Parse("editbit(\"幅\", 0X0000000000000004, 2) \"LABEL\" \"(\" , \")\"\n"
                            "Initialize writestring(0, 4, \"RI\tFF\", 0x)\n"
                            "command EDITSELECT(s, 6, 1, \"=>none\", \"1=>a=>b\", 0x1f=>x)\n"
                            "\fLABEL(\va\"b}c\x01) INDENT(0x20) MARGIN(*)\n"
                            "FINALIZE WRITEINTEGER(0, 4, 0xFFFFFFFF)\n");
    ASSERT_FALSE(p.Result.IsError) << p.Result.Message;
    EXPECT_EQ(p.Edit, (TFilerCommands{
                          Cmd("EDITBIT", {Utf8ToShiftJis("幅"), "4", "2"}),
                          Cmd("LABEL", {","}),
                          Cmd("EDITSELECT", {"s", "6", "1", "0=>none", "1=>a=>b", "31=>x"}),
                          Cmd("LABEL", {"a\"b}c"}),
                          Cmd("INDENT", {"32"}),
                          Cmd("MARGIN", {"*"}),
                      }));
    EXPECT_EQ(p.Initialize, (TFilerCommands{Cmd("WRITESTRING", {"0", "4", "RI\tFF", "0"})}));
    EXPECT_EQ(p.Finalize, (TFilerCommands{Cmd("WRITEINTEGER", {"0", "4", "-1"})}));
}

// Shift JIS trail bytes can be "{", "}" or lower-case letters; none of them may be taken
// for syntax or upper-cased.
TEST(AnalyzeFiler, DoubleByteCharactersStayWhole) {
    const std::string bo = "\x83\x7B";    // a katakana whose trail byte is "{"
    const std::string ma = "\x83\x7D";    // one whose trail byte is "}"
    const std::string wideB = "\x82\x61"; // a full-width letter whose trail byte is "a"

    TParsed p = ParseShiftJis("{" + ma + "} LABEL(" + bo + "x)");
    ASSERT_FALSE(p.Result.IsError) << p.Result.Message;
    EXPECT_EQ(p.Edit, (TFilerCommands{Cmd("LABEL", {bo + "x"})}));

    p = ParseShiftJis(bo + "a");
    EXPECT_EQ(p.Result.Message, "コマンド名が不明です. \"ボA\"");
    p = ParseShiftJis(wideB + "a");
    EXPECT_EQ(p.Result.Message, "コマンド名が不明です. \"ＢA\"");

    p = ParseShiftJis("COMMON(\"" + wideB + "x\") LABEL(l) COMMAND INCLUDECOMMON(\"" + wideB +
                      "X\")");
    EXPECT_FALSE(p.Result.IsError) << p.Result.Message;
    // Upper-casing the trail byte would make these two names one.
    p = ParseShiftJis("COMMON(\"\x82\x41\") COMMAND INCLUDECOMMON(\"" + wideB + "\")");
    EXPECT_EQ(p.Result.Message, "未定義の共通ブロックです. \"Ｂ\"");
}

TEST(AnalyzeFiler, ReadsFilesAndReportsTheFileError) {
    test::TTempFolder folder;
    std::ofstream(folder / "a.mvf", std::ios::binary) << "LABEL(a)\r\nLABEL(";
    TFilerCommands initialize{Cmd("X")}, edit{Cmd("X")}, finalize{Cmd("X")};
    EXPECT_EQ(AnalyzeFiler(folder / "a.mvf", initialize, edit, finalize).Line, 4);
    const TAnalyzeError result = AnalyzeFiler(folder / "missing.mvf", initialize, edit, finalize);
    EXPECT_EQ(result.FileError, ENOENT);
    EXPECT_TRUE(result.IsError && result.Message.empty());
    EXPECT_TRUE(initialize.empty() && edit.empty() && finalize.empty()) << "emptied first";
}

TEST(ReadFilerDefine, TakesTitleAndAuthorFromHeaderLines) {
    TFilerDefine define{"old", "old"};
    ReadFilerDefineText(Utf8ToShiftJis("#DEFINE TITLE first\r\n"
                                       "#define title   サンプル 1  \r\n"
                                       "{\n#DEFINE Author  作者  \n}\n"
                                       " #DEFINE AUTHOR indented\r"
                                       "#DEFINE TITLE\n"
                                       "#DEFINEAUTHOR glued\n"),
                        define);
    EXPECT_EQ(define.Title, Utf8ToShiftJis("サンプル 1"));
    EXPECT_EQ(define.Author, Utf8ToShiftJis("作者"));

    ReadFilerDefineText("LABEL(x)", define);
    EXPECT_EQ(define.Title, "");
    EXPECT_EQ(define.Author, "");

    test::TTempFolder folder;
    std::ofstream(folder / "t.mvf", std::ios::binary) << "#DEFINE TITLE Sample\r\n";
    EXPECT_TRUE(ReadFilerDefine(folder / "t.mvf", define));
    EXPECT_EQ(define.Title, "Sample");
    EXPECT_FALSE(ReadFilerDefine(folder / "none.mvf", define));
    EXPECT_EQ(define.Title, "");
}

TEST(ToInteger, GeneralConversion) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"12", 12},         {"  -12", -12},         {"$10", 16},
        {"0XFFFFFFFF", -1}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"$100000000", std::nullopt}, {"-$10", std::nullopt}, {"", std::nullopt},
        {"12 ", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ToInteger(text), value) << text;
}

} // namespace
} // namespace mv
