#pragma once

#include "core/binaryview/editor_host.h"
#include "support/scripted_host.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace mv::test {

// The editor's host for tests: a clipboard held in memory, scripted replace answers, a
// modifier state the test sets, and a count of the events the editor asked to handle.
class TScriptedEditorHost : public TScriptedHost, public TEditorHost {
public:
    ~TScriptedEditorHost() override {
        if (!ReplaceAnswers.empty())
            ADD_FAILURE() << ReplaceAnswers.size() << " replace answer(s) unused";
    }

    bool ClipboardOffersData() override { return Payload || Text; }
    std::optional<std::vector<Byte>> ClipboardPayload() override { return Payload; }
    std::optional<std::string> ClipboardText() override { return Text; }
    void SetClipboardPayload(std::span<const Byte> payload) override {
        Payload.emplace(payload.begin(), payload.end());
        Text.reset();
    }

    TReplaceAnswer AskReplace() override {
        ++ReplaceQuestions;
        if (ReplaceAnswers.empty()) {
            ADD_FAILURE() << "unexpected replace question";
            return TReplaceAnswer::Cancel;
        }
        const TReplaceAnswer answer = ReplaceAnswers.front();
        ReplaceAnswers.pop_front();
        return answer;
    }

    // Each handled event may change the modifiers, as a released key would.
    void HandleOneEvent() override {
        ++EventsHandled;
        if (!ModifierScript.empty()) {
            Modifiers = ModifierScript.front();
            ModifierScript.pop_front();
        }
    }
    int ModifierState() override { return Modifiers; }

    std::optional<std::vector<Byte>> Payload;
    std::optional<std::string> Text;
    std::deque<TReplaceAnswer> ReplaceAnswers;
    int ReplaceQuestions = 0;
    int EventsHandled = 0;
    int Modifiers = 0;
    std::deque<int> ModifierScript;
};

} // namespace mv::test
