#include "core/dialogs/search_tool_run.h"

#include "core/binaryview/editor_core.h"

namespace mv {

void RunToolSearch(TEditorCore& editor, std::span<const Byte> pattern, TSearchDirection direction,
                   bool onlyDifferences) {
    TSearchEngine& engine = editor.Search();
    if (editor.SearchHit && engine.SamePattern(pattern))
        engine.SearchAgain(direction);
    else
        engine.Search(pattern, direction, onlyDifferences);
}

} // namespace mv
