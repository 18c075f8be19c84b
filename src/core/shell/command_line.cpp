#include "core/shell/command_line.h"

#include <filesystem>
#include <string_view>

namespace mv {

TCommandLine ParseCommandLine(std::span<const char* const> arguments) {
    TCommandLine line;
    bool optionsEnded = false;
    for (const char* argument : arguments) {
        const std::string_view text = argument != nullptr ? argument : "";
        if (text.empty()) continue;
        if (optionsEnded || text.front() != '-') {
            line.FileNames.emplace_back(text);
        } else if (text == "--") {
            optionsEnded = true;
        } else if (text == "--help" || text == "--version") {
            if (line.Request == TCommandLine::TRequest::Run)
                line.Request = text == "--help" ? TCommandLine::TRequest::Help
                                                : TCommandLine::TRequest::Version;
        } else {
            line.UnknownOptions.emplace_back(text);
        }
    }
    return line;
}

std::optional<std::string> AbsoluteFileName(const std::string& name, std::string* problem) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    if (error) {
        if (problem != nullptr) *problem = error.message();
        return std::nullopt;
    }
    // The part that exists is resolved and the rest kept as written, so that a name the
    // instance will report missing still names the right folder. Where the resolution fails
    // (a folder on the way may not be searched), the absolute name still means the same file.
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute : resolved).string();
}

std::string UsageText() {
    return "Usage: morvane [FILE]...\n"
           "       morvane --help | --version\n"
           "\n"
           "Opens each FILE in a window of its own; without FILE, one empty window.\n"
           "The program runs once per user: a later start hands its files to the running\n"
           "program and ends at once.\n"
           "\n"
           "  --help     print this help and exit\n"
           "  --version  print the version and exit\n"
           "  --         take every later argument as a FILE\n"
           "Other arguments beginning with '-' are ignored.\n"
           "\n"
           "Exit status:\n"
           "  0  every FILE was opened (or the empty window), or the program ran to its end\n"
           "  1  some FILEs were not opened; each is named on standard error\n"
           "  2  no running program answered; the FILEs it did not get are named on\n"
           "     standard error\n"
           "\n"
           "See morvane(1) for more.\n";
}

} // namespace mv
