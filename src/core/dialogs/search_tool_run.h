#pragma once

#include "core/binaryview/search_engine.h"
#include "core/datastore/address.h"

#include <span>

namespace mv {

class TEditorCore;

// The search dialog's run on its window's editor. With the caret on the hit of the last
// search and the same pattern and difference limit asked for again, the search goes on past
// that hit in the chosen direction, as SEARCHNEXT and SEARCHPREV do; anything else is a new
// search from the caret, its own byte included.
void RunToolSearch(TEditorCore& editor, std::span<const Byte> pattern, TSearchDirection direction,
                   bool onlyDifferences);

} // namespace mv
