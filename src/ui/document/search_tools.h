#pragma once

namespace mv {

class TDocumentTools;

// The search and replace dialogs of a document window: opened by MM_SearchData (always) and
// MM_ReplaceData (not in view mode), filled from the window, their runs carried out on its
// editor.
void RegisterSearchTools(TDocumentTools& tools);

} // namespace mv
