#pragma once

#include "core/filer/filer_command.h"
#include "core/filer/filer_target.h"

#include <span>

namespace mv {

class THostServices;

// A field editor of the filer tool as the runs see it: it fills itself from the data and
// stores itself into the data (each deciding for itself whether its bytes are in range).
class TFilerField {
public:
    virtual ~TFilerField() = default;
    virtual void ReadFrom(const TFilerTarget& target) = 0;
    virtual void WriteTo(TFilerTarget& target) = 0;
};

// The tool window calls these two only when it has a page.

// Fills every field (in page order, then creation order) from the data. Outside view-only
// mode the initialization run comes first, and its writes make one undo step of their own.
// The caller then repaints and clears its modified flag.
void ReadFilerFields(TFilerTarget& target, THostServices& host, const TFilerCommands& initialize,
                     std::span<TFilerField* const> fields);

// Stores every field into the data, then runs the finalization list, all as one undo step.
// Answers false, having done nothing at all, in view-only mode; on true the caller repaints
// and clears its modified flag.
bool WriteFilerFields(TFilerTarget& target, THostServices& host, const TFilerCommands& finalize,
                      std::span<TFilerField* const> fields);

} // namespace mv
