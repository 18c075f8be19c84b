#pragma once

#include "core/host/host_services.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace mv::test {

// A host for core tests: it records every dialog and beep and answers dialogs from a script.
// A dialog without a scripted answer, or an answer left unused at the end, fails the test.
class TScriptedHost : public virtual THostServices {
public:
    struct Dialog {
        std::string Text;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
    };
    struct Box {
        std::string Caption;
        std::string Text;
    };

    TScriptedHost() = default;
    TScriptedHost(const TScriptedHost&) = delete;
    TScriptedHost& operator=(const TScriptedHost&) = delete;
    ~TScriptedHost() override {
        if (!Answers.empty()) ADD_FAILURE() << Answers.size() << " scripted answer(s) unused";
    }

    // Queues the answer to the next dialog.
    void Answer(TModalResult answer) { Answers.push_back(answer); }

    TModalResult MessageDlgBeep(std::string_view text, TMsgDlgType type,
                                TMsgDlgButtons buttons) override {
        Dialogs.push_back({std::string(text), type, buttons});
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << text;
            return mrNone;
        }
        const TModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    void Beep() override { ++Beeps; }

    void MessageBox(std::string_view caption, std::string_view text) override {
        Boxes.push_back({std::string(caption), std::string(text)});
    }

    std::deque<TModalResult> Answers;
    std::vector<Dialog> Dialogs;
    std::vector<Box> Boxes;
    int Beeps = 0;
};

} // namespace mv::test
