#pragma once

#include "core/datastore/address.h"
#include "core/host/host_services.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mv {

// The answers of the question asked before each replacement.
enum class TReplaceAnswer { Yes, No, All, Cancel };

// The services the binary editor asks of the program around it besides dialogs and beeps:
// the clipboard, the replace question, the event loop and the keyboard.
class TEditorHost : public virtual THostServices {
public:
    // Whether the clipboard offers the program's own format or text, as far as the names of
    // its formats tell; cheap, since no data is fetched.
    [[nodiscard]] virtual bool ClipboardOffersData() = 0;
    // The payload of the program's own clipboard format (a 32-bit little-endian count, then
    // the bytes), when the clipboard offers it; it is not trusted, and it is empty when the
    // clipboard's owner did not deliver it.
    [[nodiscard]] virtual std::optional<std::vector<Byte>> ClipboardPayload() = 0;
    // The clipboard's plain text in UTF-8, when it offers text; empty when the owner did not
    // deliver it. A paste stores it in the bytes of the view's character set.
    [[nodiscard]] virtual std::optional<std::string> ClipboardText() = 0;
    // Empties the clipboard and puts the payload on it under the program's own format only.
    virtual void SetClipboardPayload(std::span<const Byte> payload) = 0;

    // Asks whether to replace the hit under the caret (the caret is already placed on it).
    [[nodiscard]] virtual TReplaceAnswer AskReplace() = 0;

    // Handles one pending event of the application, waiting for one when none is queued, so
    // that the view repaints while a repeated move or a confirming replace runs.
    virtual void HandleOneEvent() = 0;
    // A long run that asks nothing (a replace-all) asks this between its steps: true when the
    // windows are due to repaint, which the run then lets them do with HandlePendingEvents.
    [[nodiscard]] virtual bool RepaintDue() { return false; }
    // Handles the events that wait, other than input, so the data cannot change under the run.
    virtual void HandlePendingEvents() {}
    // Shift 1 + Ctrl 2 + Alt 4, as held now.
    [[nodiscard]] virtual int ModifierState() = 0;
};

} // namespace mv
