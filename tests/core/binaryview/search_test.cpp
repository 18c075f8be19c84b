#include "editor_fixture.h"

#include "core/typedvalues/command_ids.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

using test::Bytes;
using test::Hex;
using test::TEditorFixture;
using test::TReplaceQuestion;

constexpr auto kForward = TSearchDirection::Forward;
constexpr auto kBackward = TSearchDirection::Backward;

TEST(Search, FindsFromTheCaretAndRepeatsSkipTheHitUnderIt) {
    TEditorFixture f(Hex("41 42 00 41 42 00 41 42"));
    TSearchEngine& search = f.core.Search();
    search.SearchAgain(kForward); // no pattern yet: the search dialog is asked for
    EXPECT_EQ(f.commands, (std::vector<CommandId>{cmd::SEARCH}));
    EXPECT_FALSE(search.SamePattern({}));

    // A hit puts the caret on the match, highlights it and ends the undo step. Backward from
    // the EOF cell, a match may end at the last byte.
    f.core.SetCaret({8, 1});
    const auto group = f.core.History().Group();
    search.Search(Hex("41 42"), kBackward, false);
    EXPECT_EQ(f.core.Caret(), (TCaretState{6, 0}));
    EXPECT_EQ(f.core.HighlightStart(), 6);
    EXPECT_EQ(f.core.HighlightLength(), 2);
    EXPECT_TRUE(f.core.SearchHit);
    EXPECT_EQ(f.core.History().Group(), group + 1);

    f.core.SetCaret({0, 0});
    search.Search(Hex("41 42"), kForward, false);
    EXPECT_EQ(f.core.CaretAddress(), 0);
    EXPECT_TRUE(search.SamePattern(Hex("41 42")));
    search.SearchAgain(kForward);
    search.SearchAgain(kForward);
    EXPECT_EQ(f.core.CaretAddress(), 6);
    search.SearchAgain(kBackward);
    EXPECT_EQ(f.core.CaretAddress(), 3);

    // Away and back: the match under the caret is no longer the last hit, so it counts.
    f.core.SetCaret({4, 0});
    f.core.SetCaret({3, 0});
    search.SearchAgain(kForward);
    EXPECT_EQ(f.core.CaretAddress(), 3);

    search.SearchAgain(kForward);
    f.host.Answer(mrOk);
    search.SearchAgain(kForward);
    EXPECT_EQ(f.DialogTexts(), std::vector<std::string>{"検索情報が見付かりません."});
    EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(f.core.CaretAddress(), 6);
    EXPECT_TRUE(f.core.SearchHit) << "a failed repeat leaves the caret on the hit";
}

TEST(Replace, ReplaceAllScansOnPastEachReplacementAndEnds) {
    struct Case {
        const char* name;
        const char* data;
        const char* search;
        const char* replacement;
        Address caret;
        TSearchDirection direction;
        const char* expected;
        Address caretAfter;
        const char* message;
    };
    const Case cases[] = {
        {"growing by itself, forward", "00 00", "00", "00 00", 0, kForward, "00 00 00 00", 4,
         "2 箇所を置換しました."},
        {"containing the pattern", "41 41 41", "41", "42 41", 0, kForward, "42 41 42 41 42 41", 6,
         "3 箇所を置換しました."},
        {"shrinking to nothing", "41 00 41 41 00", "41", "", 0, kForward, "00 00", 1,
         "3 箇所を置換しました."},
        {"from the caret on only", "41 00 41 00", "41", "42", 1, kForward, "41 00 42 00", 3,
         "1 箇所を置換しました."},
        {"backward, matches side by side", "41 41 41 41", "41 41", "43", 4, kBackward, "43 43", 1,
         "2 箇所を置換しました."},
        {"backward, replacement ending a match", "41 41 41", "41 41", "41", 3, kBackward, "41 41",
         2, "1 箇所を置換しました."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEditorFixture f(Hex(c.data));
        f.core.SetCaret({c.caret, 0});
        f.host.Answer(mrOk);
        f.core.Search().Replace(Hex(c.search), Hex(c.replacement), false, false, c.direction);
        EXPECT_EQ(f.Data(), Hex(c.expected));
        EXPECT_EQ(f.core.CaretAddress(), c.caretAfter);
        EXPECT_EQ(f.DialogTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtInformation);
    }
}

TEST(Replace, AllReplacementsAreOneUndoStepAndNothingFoundSaysSo) {
    const Bytes original = Hex("41 00 41 00 41 00 41 00 41");
    TEditorFixture f(original);
    f.core.SetCaret({0, 1});
    const auto group = f.core.History().Group();
    f.host.Answer(mrOk);
    f.host.Answer(mrOk);
    f.core.Search().Replace(Hex("44"), Hex("45"), false, false, kForward);
    f.core.Search().Replace(Hex("00 00"), Hex("45"), false, true, kForward);
    EXPECT_EQ(f.Data(), original);
    EXPECT_EQ(f.core.Caret(), (TCaretState{0, 1}));
    EXPECT_EQ(f.core.History().Group(), group);
    EXPECT_TRUE(f.core.Search().SamePattern(Hex("00 00"))) << "the pattern is kept for repeats";
    EXPECT_EQ(f.DialogTexts(), std::vector<std::string>(2, "検索情報が見付かりません."));
    EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtWarning);

    f.host.Answer(mrOk);
    f.core.Search().Replace(Hex("41"), Hex("42 42"), false, false, kForward);
    EXPECT_EQ(f.Data(), Hex("42 42 00 42 42 00 42 42 00 42 42 00 42 42"));
    EXPECT_EQ(f.core.Caret(), (TCaretState{14, 0}));
    EXPECT_EQ(f.core.History().Group(), group + 1);
    f.core.History().Undo();
    EXPECT_EQ(f.Data(), original);
    EXPECT_EQ(f.core.Caret(), (TCaretState{0, 0}));
    EXPECT_FALSE(f.core.History().CanUndo());
}

TEST(Replace, ConfirmingAsksAtEachHitWithTheHitShown) {
    struct Case {
        const char* name;
        std::vector<TReplaceAnswer> answers;
        const char* expected;
        TCaretState caretAfter;
        const char* message; // none after a cancel
    };
    using enum TReplaceAnswer;
    const Case cases[] = {
        {"all at the second", {No, All}, "41 00 42 00 42", {5, 0}, "2 箇所を置換しました."},
        {"no skips one", {Yes, No, Yes}, "42 00 41 00 42", {5, 0}, "2 箇所を置換しました."},
        {"no to each", {No, No, No}, "41 00 41 00 41", {0, 1}, "0 箇所を置換しました."},
        {"cancel keeps what was done", {Yes, Cancel}, "42 00 41 00 41", {1, 0}, nullptr},
        {"cancel at once", {Cancel}, "41 00 41 00 41", {0, 1}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEditorFixture f(Hex("41 00 41 00 41"));
        f.core.SetCaret({0, 1});
        f.host.ReplaceAnswers.assign(c.answers.begin(), c.answers.end());
        if (c.message != nullptr) f.host.Answer(mrOk);
        f.core.Search().Replace(Hex("41"), Hex("42"), false, true, kForward);

        EXPECT_EQ(f.Data(), Hex(c.expected));
        EXPECT_EQ(f.core.Caret(), c.caretAfter);
        EXPECT_EQ(f.DialogTexts(), c.message != nullptr ? std::vector<std::string>{c.message}
                                                        : std::vector<std::string>{});
        std::vector<TReplaceQuestion> expected;
        for (Address at = 0; expected.size() < c.answers.size(); at += 2)
            expected.push_back({at, at, 1, static_cast<int>(expected.size()) + 1});
        EXPECT_EQ(f.host.Questions, expected);
        const bool replaced = f.Data() != Hex("41 00 41 00 41");
        EXPECT_EQ(f.core.History().CanUndo(), replaced);
    }
}

TEST(Replace, OnlyDifferencesAndViewOnly) {
    TEditorFixture f(Hex("41 00 41 00 41"));
    TMemoryModule target;
    test::Append(target, Hex("41 00 43 00"));
    ASSERT_EQ(f.core.Comparison().CompareWithStore(target), TCompareStart::Started);
    f.host.Answer(mrOk);
    f.core.Search().Replace(Hex("41"), Hex("42"), true, false, kForward);
    EXPECT_EQ(f.Data(), Hex("41 00 42 00 42"));

    f.core.SetInputMode(TInputMode::ViewOnly);
    f.core.SetCaret({1, 1});
    f.core.Search().Replace(Hex("42"), Hex("43"), false, true, kForward);
    EXPECT_EQ(f.Data(), Hex("41 00 42 00 42"));
    EXPECT_EQ(f.core.Caret(), (TCaretState{1, 1}));
    EXPECT_EQ(f.host.ReplaceQuestions, 0);
    EXPECT_FALSE(f.core.Search().SamePattern(Hex("42")));
}

} // namespace
} // namespace mv
