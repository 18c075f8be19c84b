#pragma once

#include "ui/shell/main_process.h"

#include <QtCore/QTemporaryDir>

#include <string_view>

namespace mv::bench {

// A scratch folder for the settings and profiles of a shell that a bench runs, never the
// user's, holding the settings of an earlier start: a first start would stop at the desktop
// entries' dialog, which nobody answers, and the opening picture would hold the start.
class TShellHome {
public:
    // Throws std::runtime_error when the folder cannot be made.
    explicit TShellHome(std::string_view program);

    [[nodiscard]] TMvPrMainProcessWClass::TPaths Paths() const;

private:
    QTemporaryDir scratch_;
};

} // namespace mv::bench
