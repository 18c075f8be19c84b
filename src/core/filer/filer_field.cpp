#include "core/filer/filer_field.h"

#include "core/filer/filer_runner.h"

namespace mv {

void ReadFilerFields(TFilerTarget& target, THostServices& host, const TFilerCommands& initialize,
                     std::span<TFilerField* const> fields) {
    const bool writable = !target.ViewOnly();
    if (writable) {
        target.CloseUndoStep();
        RunFilerCommands(initialize, target, host);
    }
    for (TFilerField* field : fields)
        field->ReadFrom(target);
    if (writable) target.CloseUndoStep();
}

bool WriteFilerFields(TFilerTarget& target, THostServices& host, const TFilerCommands& finalize,
                      std::span<TFilerField* const> fields) {
    if (target.ViewOnly()) return false;
    target.CloseUndoStep();
    for (TFilerField* field : fields)
        field->WriteTo(target);
    RunFilerCommands(finalize, target, host);
    target.CloseUndoStep();
    return true;
}

} // namespace mv
