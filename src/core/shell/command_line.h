#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mv {

// The program's exit statuses, one rule for every way it ends. A later start that hands its
// work over ends with the status of that hand-over.
enum TExitStatus : int {
    ExitSuccess = 0,      // every file was opened (or the new window), or the program ran to its end
    ExitNotOpened = 1,    // some files were not opened; each is named on standard error
    ExitNotHandedOver = 2 // no running instance answered; the files it did not get are named
};

// What the arguments (without the program name) ask for.
struct TCommandLine {
    enum class TRequest { Run, Help, Version };

    TRequest Request = TRequest::Run;
    // The file names as the bytes that were given. An argument beginning with '-' is an
    // option; "--" makes every later argument a file name, so that "-x" can still be opened.
    // An empty argument names no file and is skipped.
    std::vector<std::string> FileNames;
    // Options the program does not know: they are ignored, so that a desktop that passes one
    // of its own still gets its files opened, and named on standard error.
    std::vector<std::string> UnknownOptions;
};

// The first of "--help" and "--version" wins over everything else on the line.
[[nodiscard]] TCommandLine ParseCommandLine(std::span<const char* const> arguments);

// The name as the running instance must get it, whatever its own current folder: absolute,
// with the links and "." and ".." of its existing part resolved. Nothing, with the reason in
// `problem`, when a relative name meets a current folder that cannot be found (removed).
[[nodiscard]] std::optional<std::string> AbsoluteFileName(const std::string& name,
                                                          std::string* problem = nullptr);

// What "--help" prints: how to call the program and what its exit statuses mean.
[[nodiscard]] std::string UsageText();

} // namespace mv
