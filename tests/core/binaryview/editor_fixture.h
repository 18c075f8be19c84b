#pragma once

#include "core/binaryview/editor_core.h"
#include "core/typedvalues/command_ids.h"
#include "support/scripted_editor_host.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace mv::test {

using Bytes = std::vector<Byte>;

// "41 42 0a" as bytes.
inline Bytes Hex(std::string_view text) {
    Bytes bytes;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;)
        bytes.push_back(static_cast<Byte>(std::strtoul(word.c_str(), nullptr, 16)));
    return bytes;
}

// What the editor showed when it asked whether to replace.
struct TReplaceQuestion {
    Address Caret;
    Address HighlightStart;
    ByteCount HighlightLength;
    int EventsHandledBefore;
    friend bool operator==(const TReplaceQuestion&, const TReplaceQuestion&) = default;
};

// The scripted host that also notes where the caret and the highlight stood at each replace
// question.
class TObservingHost : public TScriptedEditorHost {
public:
    TReplaceAnswer AskReplace() override {
        Questions.push_back({Editor->CaretAddress(), Editor->HighlightStart(),
                             Editor->HighlightLength(), EventsHandled});
        return TScriptedEditorHost::AskReplace();
    }
    const TEditorCore* Editor = nullptr;
    std::vector<TReplaceQuestion> Questions;
};

// An editor over some bytes as loaded, counting its change notifications and the commands it
// hands on.
struct TEditorFixture {
    explicit TEditorFixture(const Bytes& data = {}) {
        host.Editor = &core;
        Append(core.Module(), data);
        core.Module().SetModified(false);
        core.SetVisibleLines(4);
        core.OnChange = [this] { ++changes; };
        core.OnCommand = [this](CommandId command) { commands.push_back(command); };
    }

    // Sets the mode and the caret and, when start != end, a fixed selection [start, end) with
    // the caret at end.
    void Place(TInputMode mode, TCaretState caret, Address start = 0, Address end = 0) {
        core.SetInputMode(mode);
        core.SetCaret(start == end ? caret : TCaretState{start, 0});
        if (start == end) return;
        core.ExecuteCommand(cmd::SELECT);
        core.SetCaret({end, 0});
    }

    // Undoes every step; answers how many there were.
    int UndoAll() {
        int steps = 0;
        for (; core.History().CanUndo(); ++steps)
            core.ExecuteCommand(cmd::UNDO);
        return steps;
    }

    [[nodiscard]] Bytes Data() const { return Contents(core.Module()); }

    // The dialogs shown so far as their texts.
    [[nodiscard]] std::vector<std::string> DialogTexts() const {
        std::vector<std::string> texts;
        for (const auto& dialog : host.Dialogs)
            texts.push_back(dialog.Text);
        return texts;
    }

    TObservingHost host;
    TEditorCore core{host};
    int changes = 0;
    std::vector<CommandId> commands;
};

} // namespace mv::test
