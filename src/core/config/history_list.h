#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mv {

// The recently used file names, most recent first, without a limit while the program runs.
// Names are normalised with LongPathName and compared exactly: file names on Linux are
// case-sensitive, so two names differing only in case are two files.
class THistoryList {
public:
    // Moves an equal entry to the head, or inserts the name there.
    void AddHistory(const std::string& name);
    // Appends a stored name as read; empty names and names already listed are skipped.
    void Append(std::string name);
    void Clear() { names_.clear(); }

    [[nodiscard]] std::size_t HistoryCount() const { return names_.size(); }
    // An empty string outside 0..count-1.
    [[nodiscard]] std::string HistoryAt(std::ptrdiff_t index) const;

private:
    std::vector<std::string> names_;
};

} // namespace mv
