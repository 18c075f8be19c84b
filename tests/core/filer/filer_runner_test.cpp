#include "core/filer/filer_runner.h"

#include "filer_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mv {
namespace {

using test::Bytes;

// The initialization list of a filer whose initialization section is `commands`.
TFilerCommands Initialization(const std::string& commands) {
    const test::TParsed parsed = test::Parse("INITIALIZE " + commands);
    EXPECT_FALSE(parsed.Result.IsError) << commands << ": " << parsed.Result.Message;
    return parsed.Initialize;
}

std::string Question(const std::string& error) {
    return "エラーが発生しまたした.\r\n\r\n" + error + "\r\n\r\nこのまま処理を強行しますか？";
}

TEST(RunFilerCommands, WritesWhatEachCommandDescribes) {
    struct Case {
        std::string Commands;
        Bytes Before;
        Bytes After;
    };
    const Bytes zeros(8, 0);
    const Case cases[] = {
        {"CLEAR(4, 4, 0xAA)", zeros, {0, 0, 0, 0, 0xAA, 0xAA, 0xAA, 0xAA}},
        {"SEGMENT(2) WRITEINTEGER(4, 2, 0x12345) WRITEINTEGER(0, 1, 300)",
         zeros,
         {0, 0, 0x2C, 0, 0, 0, 0x45, 0x23}},
        {"BIGENDIAN WRITEINTEGER(0, 2, 0x1234) WRITEINTEGER(2, 4, 0x1234)",
         zeros,
         {0x12, 0x34, 0, 0, 0x12, 0x34, 0, 0}},
        {"WRITEPATTERNHEX(0, 5, 123) WRITEPATTERNHEX(6, 2, c0dE)",
         zeros,
         {0x12, 0x31, 0x23, 0x12, 0x31, 0, 0xC0, 0xDE}},
        {"WRITEPATTERNBIN(0, 4, 101)", zeros, {0xB6, 0xDB, 0x6D, 0xB6, 0, 0, 0, 0}},
        {"WRITESTRING(0, 4, AB, 0) WRITESTRING(4, 4, ABCDEF, 0x20)",
         Bytes(8, 0xEE),
         {'A', 'B', 0, 0, 'A', 'B', 'C', 'D'}},
        {"WRITEBIT(7, 7, 1) WRITEBIT(0, 0, 0) WRITEBIT(1, 3, 1)",
         {1, 0, 0, 0, 0, 0, 0, 0x7F},
         {0, 8, 0, 0, 0, 0, 0, 0xFF}},
        // The source is read whole before the destination is written.
        {"COPY(0, 1, 3)", {1, 2, 3, 4, 5, 6, 7, 8}, {1, 1, 2, 3, 5, 6, 7, 8}},
        {"SEGMENT(4) COPY(0, 2, 2)", {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Commands);
        test::TVectorTarget target(c.Before);
        test::TScriptedHost host;
        RunFilerCommands(Initialization(c.Commands), target, host);
        EXPECT_EQ(target.Bytes, c.After);
        EXPECT_TRUE(host.Dialogs.empty());
    }
}

TEST(RunFilerCommands, RangeTestsRefuseAndWriteNothing) {
    const std::string Clear = "クリアする範囲がファイル終端を越えています.";
    const std::string Source = "コピー元データの範囲がファイル終端を越えています.";
    const std::string Destination = "コピー先データの範囲がファイル終端を越えています.";
    const std::string Pattern = "書き込むビットパターンの範囲がファイル終端を越えています.";
    const std::string Integer = "書き込む整数値の位置がファイル終端を越えています.";
    const std::string Bit = "書き込むビット値の位置がファイル終端を越えています.";
    const std::string String = "書き込む文字列値の位置がファイル終端を越えています.";
    const std::pair<std::string, std::string> cases[] = {
        {"CLEAR(5, 4, 1)", Clear},
        {"CLEAR(8, 0x7FFFFFFF, 1)", Clear},
        {"COPY(6, 7, 4)", Source}, // the source is tested first
        {"COPY(0, 6, 4)", Destination},
        {"WRITEPATTERNBIN(7, 2, 1)", Pattern},
        {"WRITEINTEGER(6, 4, 1)", Integer},
        {"WRITEBIT(8, 0, 1)", Bit},
        {"WRITESTRING(6, 4, a, 1)", String},
        // A base plus an address past the 32-bit range must not wrap round to a negative
        // address, for which "Size - A >= N" would hold.
        {"SEGMENT(0x7FFFFFFF) WRITEINTEGER(0x7FFFFFFF, 1, 1)", Integer},
        {"SEGMENT(0x7FFFFFFF) CLEAR(0x7FFFFFFF, 2, 1)", Clear},
        {"SEGMENT(0x7FFFFFFF) WRITEBIT(0x7FFFFFFF, 0, 1)", Bit},
        {"SEGMENT(0x7FFFFFFF) COPY(0, 0x7FFFFFFF, 1)", Source},
        {"SEGMENT(0x7FFFFFFF) WRITESTRING(0x7FFFFFFF, 0x7FFFFFFF, a, 1)", String},
    };
    for (const auto& [commands, message] : cases) {
        SCOPED_TRACE(commands);
        test::TVectorTarget target(Bytes(8, 0));
        test::TScriptedHost host;
        host.Answer(mrYes);
        RunFilerCommands(Initialization(commands), target, host);
        ASSERT_EQ(host.Dialogs.size(), 1u);
        EXPECT_EQ(host.Dialogs[0].Text, Question(message));
        EXPECT_EQ(host.Dialogs[0].Type, TMsgDlgType::mtWarning);
        EXPECT_TRUE(host.Dialogs[0].Buttons.Contains(TMsgDlgBtn::mbNo));
        EXPECT_EQ(target.Bytes, Bytes(8, 0));
    }
}

TEST(RunFilerCommands, OnlyYesGoesOn) {
    const TFilerCommands list =
        Initialization("CLEAR(0, 1, 1) CLEAR(9, 1, 2) WRITEBIT(9, 0, 1) CLEAR(1, 1, 3)");
    // No, or the dialog closed: the commands after the answer are not run.
    const std::pair<TModalResult, Bytes> cases[] = {
        {mrYes, {1, 3, 0, 0}}, {mrNo, {1, 0, 0, 0}}, {mrNone, {1, 0, 0, 0}}};
    for (const auto& [answer, after] : cases) {
        test::TVectorTarget target(Bytes(4, 0));
        test::TScriptedHost host;
        host.Answer(answer);
        if (answer == mrYes) host.Answer(mrYes);
        RunFilerCommands(list, target, host);
        EXPECT_EQ(host.Dialogs.size(), answer == mrYes ? 2u : 1u);
        EXPECT_EQ(target.Bytes, after) << answer;
    }
}

TEST(RunFilerCommands, EachRunStartsAtBaseZeroInLittleEndian) {
    test::TVectorTarget target(Bytes(8, 0));
    test::TScriptedHost host;
    RunFilerCommands(Initialization("SEGMENT(4) BIGENDIAN"), target, host);
    RunFilerCommands(Initialization("WRITEINTEGER(0, 2, 0x0102)"), target, host);
    EXPECT_EQ(target.Bytes, (Bytes{2, 1, 0, 0, 0, 0, 0, 0}));
}

} // namespace
} // namespace mv
