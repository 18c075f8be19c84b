#pragma once

#include "core/datastore/address.h"
#include "core/datastore/file_source.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mv {

// A rollback journal for writing ranges of a file in place. The old bytes of every range go
// into the journal, which is synced before the first range is written and removed once the
// file is synced: whatever kills the program meanwhile leaves either the new bytes or a
// journal that puts the old ones back. The journal is this machine's own: fields are in its
// byte order, and a checksum over the whole catches a journal cut short.
struct TJournalRange {
    std::int64_t Offset = 0; // in the file
    std::int64_t Length = 0;
    std::int64_t At = 0; // where its old bytes stand in the journal
};

struct TJournal {
    std::string Path;
    TFileIdentity Identity; // the file it belongs to; its time is not compared
    std::vector<TJournalRange> Ranges;

    [[nodiscard]] bool BelongsTo(const TFileIdentity& file) const {
        return file.Device == Identity.Device && file.Inode == Identity.Inode &&
               file.Size == Identity.Size;
    }
};

// Where the journal of a file is kept: beside it while its folder takes new names and it is
// no device, else in `dataFolder`, named by the file's device and inode.
[[nodiscard]] std::string JournalPathFor(const std::string& fileName,
                                         const TFileIdentity& identity, bool device,
                                         const std::string& dataFolder);

// The steps of a journaled write, for a hook that tests use to stop the program at each.
enum class TJournalStep { JournalWritten, RangesWritten, FileSynced };

// Writes `ranges` (offset and length) of the open file `fd` in place: the old bytes into the
// journal at journalPath, then the new ones that `bytesAt` gives, then removes the journal.
// Answers 0 or the errno of the step that failed; a failure before the first range is written
// leaves the file untouched and no journal.
using TRangeBytes = std::function<void(std::int64_t offset, std::span<Byte> dest)>;
[[nodiscard]] int WriteJournaled(int fd, const TFileIdentity& identity,
                                 std::span<const std::pair<std::int64_t, std::int64_t>> ranges,
                                 const TRangeBytes& bytesAt, const std::string& journalPath,
                                 const std::function<void(TJournalStep)>& onStep = {});

enum class TJournalState { None, Valid, Damaged };

// Reads the journal at path; Damaged when it is cut short or fails its checksum.
[[nodiscard]] TJournalState ReadJournal(const std::string& path, TJournal& journal);

// Puts the journal's old bytes back into the file at fileName and syncs it, then removes the
// journal; answers 0 or an errno value. The journal must belong to the file.
[[nodiscard]] int RestoreJournal(const TJournal& journal, const std::string& fileName);

} // namespace mv
