#pragma once

#include "core/datastore/address.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The MIME type that stands for the registered format "MvPr Clipboard Format": a 32-bit
// little-endian byte count, then the bytes.
inline constexpr std::string_view ClipboardMimeType = "application/x-mvpr-clipboard-format";

// Whether the clipboard names the program's own format or text among its formats.
[[nodiscard]] bool ClipboardOffersData();
// The payload of the program's own format as the clipboard holds it, count included; empty
// when its owner did not deliver it in time.
[[nodiscard]] std::optional<std::vector<Byte>> ReadClipboardPayload();
// The clipboard's text in UTF-8, when it offers text; empty when it was not delivered.
[[nodiscard]] std::optional<std::string> ReadClipboardText();
// Replaces whatever the clipboard holds by the payload under the program's own format only.
void WriteClipboardPayload(std::span<const Byte> payload);

} // namespace mv
