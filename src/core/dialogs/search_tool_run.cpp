#include "core/dialogs/search_tool_run.h"

#include "core/binaryview/editor_core.h"

namespace mv {

void RunToolSearch(TEditorCore& editor, std::span<const Byte> pattern, TSearchDirection direction,
                   bool onlyDifferences) {
    TSearchEngine& engine = editor.Search();
    // Going on under another difference limit would give hits the user has just ruled out.
    const bool limited = onlyDifferences && editor.Comparison().Comparing();
    if (editor.SearchHit && engine.SamePattern(pattern) && engine.LimitedToDifferences() == limited)
        engine.SearchAgain(direction);
    else
        engine.Search(pattern, direction, onlyDifferences);
}

} // namespace mv
