#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"
#include "platform/qt_host_services.h"
#include "ui/dialogs/tool_window.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace mv {

class TMvPrBinaryFormWClass;

// The slots of a document window's tool windows, one tool of each kind at most.
enum class TToolSlot : std::uint8_t {
    IntInput,
    StrInput,
    CharInput,
    BitRoll,
    ByteRoll,
    AddressJump,
    Search,
    Replace,
    RelativeJump,
    Filer,
    Probe,
    Count
};

// When a tool's command does not open it.
enum class TToolRefusal : std::uint8_t { Never, InViewMode, WhenEmpty };

// The tool windows of one document window: each is opened by its command and closed by the
// next use of it, freed when it closes (its slot then empties), fed the value at the caret
// and the data facts, carried along when the window moves and hidden with it. The tools'
// run events come back here for what they do to the document.
class TDocumentTools : public QObject {
    Q_OBJECT
public:
    // Creates, fills and wires one tool; the tool belongs to the document window. nullptr when
    // there is nothing to open (the filer tool's open dialog was cancelled).
    using TToolFactory = std::function<TToolWindow*()>;

    explicit TDocumentTools(TMvPrBinaryFormWClass& window);

    // A tool kind: the menu item that toggles it, when its command is refused, how it is made.
    void Register(TToolSlot slot, std::string_view item, TToolRefusal refusal,
                  TToolFactory factory);
    // The command: closes the open tool, or makes and shows a new one unless refused.
    void Toggle(TToolSlot slot);
    [[nodiscard]] TToolWindow* Tool(TToolSlot slot) const;
    template <class T> [[nodiscard]] T* ToolAs(TToolSlot slot) const {
        return qobject_cast<T*>(Tool(slot));
    }

    // ---- the window's events
    // The caret moved or the data changed: the value at the caret to every open tool.
    void CaretMoved();
    // The status changed: data size and comparison to every open tool.
    void StatusChanged();
    // The window moved: each tool follows it or keeps its place.
    void WindowMoved(bool follow);
    void HideTools();
    void ShowTools();
    // The per-window choices the tools start from, when the settings carry them.
    void ApplyModes(const TEnvironment& environment);

    // ---- what the tools' run events do
    [[nodiscard]] TMvPrBinaryFormWClass& Window() { return window_; }
    [[nodiscard]] TVariableType IntWidth() const { return intWidth_; }
    void SetIntWidth(TVariableType width) { intWidth_ = width; }
    [[nodiscard]] TCardinalNumber IntCardinal() const { return intCardinal_; }
    [[nodiscard]] TCaretFeed CaretFeed() const;
    [[nodiscard]] TStatusFeed StatusFeed() const;
    // Typed bytes at the caret: replacing the selection, else overwritten or inserted by the
    // input mode; one undo step.
    void EnterBytes(std::span<const Byte> bytes);
    // The address check and move: a target before the start or past the end asks whether to
    // go to that end instead; the caret then moves and the view takes the keyboard. Answers
    // whether it moved.
    bool JumpTo(std::int64_t target);
    [[nodiscard]] THostServices& Host() { return host_; }

private:
    struct TEntry {
        QPointer<TToolWindow> Tool;
        TToolRefusal Refusal = TToolRefusal::Never;
        TToolFactory Factory;
    };
    [[nodiscard]] bool Refused(TToolRefusal refusal) const;
    template <class F> void ForEachTool(F&& f);

    TMvPrBinaryFormWClass& window_;
    TQtHostServices host_;
    std::array<TEntry, static_cast<std::size_t>(TToolSlot::Count)> entries_;
    TVariableType intWidth_ = TVariableType::vtWord;
    TCardinalNumber intCardinal_ = TCardinalNumber::cnDecimal;
};

} // namespace mv
