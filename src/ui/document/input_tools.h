#pragma once

namespace mv {

class TDocumentTools;

// The typed input, rotation and jump tools of a document window: integer, string and character
// input and the n-bit and n-byte rotations (not in view mode), the address jump (not for empty
// data) and the relative jump, each toggled by its menu item and run on the window's editor.
void RegisterInputTools(TDocumentTools& tools);

} // namespace mv
