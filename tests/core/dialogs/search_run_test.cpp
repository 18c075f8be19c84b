// The checks between the search and replace buttons and their runs, and the search dialog's
// repeat of an unchanged pattern.
#include "core/binaryview/editor_fixture.h"
#include "core/dialogs/search_run_check.h"
#include "core/dialogs/search_tool_run.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mv::test {
namespace {

using enum TInputDataPage;

constexpr TPatternInput AnInteger{Integer, false};
constexpr TPatternInput SomeText{String, false};

struct TCheckCase {
    const char* Name;
    TPatternInput Search;
    TPatternInput Replacement;
    std::optional<std::string> Message; // the one warning shown; none when nothing fires
    bool OffersYes = false;
    TRunCheck OnRetry = TRunCheck::Run;
};

// Every check of both buttons: its text, its buttons and where retry goes.
const TCheckCase CheckCases[] = {
    {"integer", AnInteger, AnInteger, std::nullopt},
    {"text", SomeText, SomeText, std::nullopt},
    {"empty search text", {String, true}, AnInteger, "空の文字列を検索することは出来ません.", false,
     TRunCheck::FocusSearch},
    {"no search character", {Character, true}, AnInteger, "キャラクタが選択されていません.", false,
     TRunCheck::FocusSearch},
    {"no search bytes", {Raw, true}, AnInteger, "空のバイナリ列を検索することは出来ません.", false,
     TRunCheck::FocusSearch},
    // The search side is checked first and alone.
    {"empty search before null", {String, true}, {Null, true},
     "空の文字列を検索することは出来ません.", false, TRunCheck::FocusSearch},
    {"empty replacement text", SomeText, {String, true},
     "空の文字列が指定されています.\r\n検索にマッチした部分は削除されます.", true,
     TRunCheck::FocusReplace},
    {"no replacement character", SomeText, {Character, true}, "キャラクタが選択されていません.",
     false, TRunCheck::FocusReplace},
    {"no replacement bytes", SomeText, {Raw, true},
     "空のバイナリ列が指定されています.\r\n検索にマッチした部分は削除されます.", true,
     TRunCheck::FocusReplace},
    {"null replacement", SomeText, {Null, true},
     "ヌル型が指定されています.\r\n検索にマッチした部分は削除されます.", true,
     TRunCheck::FocusReplace},
};

TEST(SearchRunCheck, EachCheckWarnsWithItsTextAndButtonsAndRetryGoesBackToItsField) {
    for (const TCheckCase& c : CheckCases) {
        SCOPED_TRACE(c.Name);
        // The search side's refusals stop both buttons.
        const bool searchSide = c.OnRetry == TRunCheck::FocusSearch;
        TScriptedHost searchHost;
        if (searchSide) searchHost.Answer(mrRetry);
        EXPECT_EQ(CheckSearchRun(c.Search, searchHost), searchSide ? c.OnRetry : TRunCheck::Run);
        TScriptedHost host;
        if (c.Message) host.Answer(mrRetry);
        EXPECT_EQ(CheckReplaceRun(c.Search, c.Replacement, host),
                  c.Message ? c.OnRetry : TRunCheck::Run);
        if (!c.Message) {
            EXPECT_TRUE(host.Dialogs.empty());
            continue;
        }
        ASSERT_FALSE(host.Dialogs.empty());
        const TScriptedHost::Dialog& shown = host.Dialogs[0];
        EXPECT_EQ(shown.Text, *c.Message);
        EXPECT_EQ(shown.Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(shown.Buttons.Contains(TMsgDlgBtn::mbYes), c.OffersYes);
        EXPECT_TRUE(shown.Buttons.Contains(TMsgDlgBtn::mbAbort) &&
                    shown.Buttons.Contains(TMsgDlgBtn::mbRetry));
        EXPECT_FALSE(shown.Buttons.Contains(TMsgDlgBtn::mbOK));
        // Enter neither deletes the matches nor closes the dialog with the user's input.
        EXPECT_EQ(shown.Buttons.Default(), TMsgDlgBtn::mbRetry);
    }
}

// A box closed without a button keeps the dialog and the input, as retry does.
TEST(SearchRunCheck, AbortClosesTheDialogAndYesDeletesTheMatches) {
    const TPatternInput emptyText{String, true};
    for (const auto& [answer, expected] :
         {std::pair{mrAbort, TRunCheck::CloseDialog}, std::pair{mrNone, TRunCheck::FocusReplace},
          std::pair{mrYes, TRunCheck::Run}}) {
        TScriptedHost host;
        host.Answer(answer);
        EXPECT_EQ(CheckReplaceRun(SomeText, emptyText, host), expected) << answer;
    }
}

TEST(SearchToolRun, AnUnchangedPatternOnItsHitGoesOnAndAnyOtherSearchesAnewFromTheCaret) {
    TEditorFixture f(Hex("41 42 41 42 41 42"));
    const Bytes ab = Hex("41 42");
    const Bytes ba = Hex("42 41");
    RunToolSearch(f.core, ab, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 0); // the caret's own byte counts
    RunToolSearch(f.core, ab, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 2); // past the hit it stands on
    RunToolSearch(f.core, ab, TSearchDirection::Backward, false);
    EXPECT_EQ(f.core.CaretAddress(), 0);
    // Another pattern is a new search, though the caret stands on a hit.
    RunToolSearch(f.core, ba, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 1);
    // A caret placed by hand stands on no hit: the byte under it counts again.
    f.core.SetCaret({3, 0});
    RunToolSearch(f.core, ba, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 3);
    EXPECT_TRUE(f.host.Dialogs.empty());
    // Past the last one: not found, the caret stays.
    f.host.Answer(mrOk);
    RunToolSearch(f.core, ba, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 3);
    EXPECT_EQ(f.DialogTexts(), std::vector<std::string>{"検索情報が見付かりません."});
}

// Ticking "within differences" between two runs must not go on with the search that counted
// every match.
TEST(SearchToolRun, AChangedDifferenceLimitSearchesAnew) {
    TEditorFixture f(Hex("41 42 41 42 41 42"));
    TMemoryModule theirs;
    Append(theirs, Hex("41 42 41 42 00 00"));
    f.core.Comparison().CompareWithStore(theirs);
    const Bytes ab = Hex("41 42");
    RunToolSearch(f.core, ab, TSearchDirection::Forward, false);
    EXPECT_EQ(f.core.CaretAddress(), 0);
    RunToolSearch(f.core, ab, TSearchDirection::Forward, true);
    EXPECT_EQ(f.core.CaretAddress(), 4);
    f.host.Answer(mrOk);
    RunToolSearch(f.core, ab, TSearchDirection::Forward, true);
    EXPECT_EQ(f.core.CaretAddress(), 4);
    EXPECT_EQ(f.DialogTexts(), std::vector<std::string>{"検索情報が見付かりません."});
    f.core.Comparison().End();
}

} // namespace
} // namespace mv::test
