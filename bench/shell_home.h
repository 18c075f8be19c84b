#pragma once

#include "ui/shell/main_process.h"

#include <QtCore/QTemporaryDir>

#include <string>
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

// A running shell of the program in a home of its own, with one document window on `file`,
// page-cached: where the benches of a window's work measure it.
class TBenchShell {
public:
    TBenchShell(std::string_view program, const std::string& file);

    [[nodiscard]] TMvPrMainProcessWClass& Shell() { return shell_; }
    [[nodiscard]] TMvPrBinaryFormWClass& Window() { return *shell_.DocumentList().at(0); }

private:
    TShellHome home_;
    TMvPrMainProcessWClass shell_;
};

} // namespace mv::bench
