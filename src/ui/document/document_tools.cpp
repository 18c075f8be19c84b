#include "ui/document/document_tools.h"

#include "core/dialogs/jump_target.h"
#include "ui/binaryview/binary_view.h"
#include "ui/document/document_window.h"

#include <QtGui/QAction>

namespace mv {

TDocumentTools::TDocumentTools(TMvPrBinaryFormWClass& window)
    : QObject(&window), window_(window), host_(&window) {}

void TDocumentTools::Register(TToolSlot slot, std::string_view item, TToolRefusal refusal,
                              TToolFactory factory) {
    TEntry& entry = entries_[static_cast<std::size_t>(slot)];
    entry.Refusal = refusal;
    entry.Factory = std::move(factory);
    if (QAction* action = window_.Action(item))
        connect(action, &QAction::triggered, this, [this, slot] { Toggle(slot); });
}

void TDocumentTools::Toggle(TToolSlot slot) {
    TEntry& entry = entries_[static_cast<std::size_t>(slot)];
    if (entry.Tool) {
        entry.Tool->close();
        return;
    }
    if (!entry.Factory || Refused(entry.Refusal)) return;
    TToolWindow* tool = entry.Factory();
    if (tool == nullptr) return;
    entry.Tool = tool;
    tool->TakeCaret(CaretFeed());
    tool->TakeStatus(StatusFeed());
    tool->ShowTool();
}

TToolWindow* TDocumentTools::Tool(TToolSlot slot) const {
    return entries_[static_cast<std::size_t>(slot)].Tool;
}

bool TDocumentTools::Refused(TToolRefusal refusal) const {
    switch (refusal) {
    case TToolRefusal::InViewMode:
        return window_.InViewMode();
    case TToolRefusal::WhenEmpty:
        return window_.Module().Size() == 0;
    case TToolRefusal::Never:
        break;
    }
    return false;
}

template <class F> void TDocumentTools::ForEachTool(F&& f) {
    for (const TEntry& entry : entries_)
        if (entry.Tool) f(*entry.Tool);
}

// ---- the window's events

void TDocumentTools::CaretMoved() {
    const TCaretFeed feed = CaretFeed();
    ForEachTool([&feed](TToolWindow& tool) { tool.TakeCaret(feed); });
}

void TDocumentTools::StatusChanged() {
    const TStatusFeed feed = StatusFeed();
    ForEachTool([&feed](TToolWindow& tool) { tool.TakeStatus(feed); });
}

void TDocumentTools::WindowMoved(bool follow) {
    ForEachTool([follow](TToolWindow& tool) { tool.OwnerMoved(follow); });
}

void TDocumentTools::HideTools() {
    ForEachTool([](TToolWindow& tool) { tool.HideWithOwner(); });
}

void TDocumentTools::ShowTools() {
    ForEachTool([](TToolWindow& tool) { tool.ShowWithOwner(); });
}

void TDocumentTools::ApplyModes(const TEnvironment& environment) {
    intWidth_ = environment.IntWidth;
    intCardinal_ = environment.IntCardinal;
}

// ---- what the tools' run events do

TCaretFeed TDocumentTools::CaretFeed() const {
    const TEditorCore& core = window_.Core();
    const TCaretPeek peek = core.PeekCaret();
    // Bytes past the end count as 0.
    std::uint32_t value = 0;
    for (int i = peek.Count; i-- > 0;)
        value = value << 8 | peek.Bytes[static_cast<std::size_t>(i)];
    return {value, core.CaretAddress()};
}

TStatusFeed TDocumentTools::StatusFeed() const {
    return {window_.Module().Size(), window_.CompareMode() != TCompareMode::None};
}

void TDocumentTools::EnterBytes(std::span<const Byte> bytes) {
    window_.Core().EnterData(bytes);
}

bool TDocumentTools::JumpTo(std::int64_t target) {
    TEditorCore& core = window_.Core();
    const TJumpCheck check = CheckJumpTarget(target, core.Module().Size());
    if (!check.Warning.empty() &&
        host_.MessageDlgBeep(check.Warning, TMsgDlgType::mtWarning,
                             {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbAbort}) != mrOk)
        return false;
    window_.activateWindow();
    window_.View().setFocus();
    core.SetCaret({check.Target, 0});
    return true;
}

} // namespace mv
