// Saves in place under a rollback journal, killed at each of their steps by a child process
// that dies there, and journals that are damaged.
#include "core/datastore/memory_module.h"
#include "core/datastore/save_journal.h"
#include "support/store_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace mv {
namespace {

using test::ByteVector;
using test::TTempFolder;
namespace fs = std::filesystem;

class SaveJournal : public testing::Test {
protected:
    void SetUp() override {
        path = folder.Write("disk.img", original);
        changed = original;
        for (const std::int64_t at : {std::int64_t{5}, std::int64_t{2 << 20}})
            for (int i = 0; i < 3; ++i)
                changed[static_cast<std::size_t>(at + i)] = 0xA0 + i;
    }

    // Loads the file on demand and overwrites the bytes that `changed` differs in.
    void Edit(TMemoryModule& module) {
        ASSERT_EQ(module.LoadFromFile(path, 0), 0);
        for (const std::int64_t at : {std::int64_t{5}, std::int64_t{2 << 20}})
            module.OverwriteBytes(changed.data() + at, at, 3);
    }

    [[nodiscard]] std::string Journal() const {
        bool device = false;
        return JournalPathFor(path, *IdentityOfPath(path, device), false, folder.Path());
    }

    TTempFolder folder;
    const ByteVector original = test::Sequence(3 << 20);
    ByteVector changed;
    std::string path;
};

TEST_F(SaveJournal, ASaveKilledAtAnyStepLeavesOldOrNewBytesAndAJournalThatRestoresTheOld) {
    for (const TJournalStep killedAt :
         {TJournalStep::JournalWritten, TJournalStep::RangesWritten, TJournalStep::FileSynced}) {
        SCOPED_TRACE(static_cast<int>(killedAt));
        const std::string journal = Journal();
        const pid_t child = ::fork();
        if (child == 0) {
            TMemoryModule module;
            Edit(module);
            (void)module.SaveChangedRanges(journal, [killedAt](TJournalStep step) {
                if (step == killedAt) ::raise(SIGKILL);
            });
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const ByteVector left = TTempFolder::Read(path);
        EXPECT_TRUE(left == original || left == changed);
        TJournal leftover;
        ASSERT_EQ(ReadJournal(journal, leftover), TJournalState::Valid);
        bool device = false;
        EXPECT_TRUE(leftover.BelongsTo(*IdentityOfPath(path, device)));
        ASSERT_EQ(RestoreJournal(leftover, path), 0);
        EXPECT_EQ(TTempFolder::Read(path), original);
        EXPECT_FALSE(fs::exists(journal));
    }
}

TEST_F(SaveJournal, AWholeSaveWritesTheChangesAndLeavesNoJournal) {
    TMemoryModule module;
    Edit(module);
    ASSERT_EQ(module.SaveChangedRanges(Journal()), 0);
    EXPECT_EQ(TTempFolder::Read(path), changed);
    EXPECT_FALSE(fs::exists(Journal()));
    EXPECT_EQ(module.CheckSource(), 0) << "its own save is no change by someone else";
}

TEST_F(SaveJournal, ADamagedJournalIsNeverTakenForAWholeOne) {
    const std::string journal = Journal();
    const pid_t child = ::fork();
    if (child == 0) {
        TMemoryModule module;
        Edit(module);
        (void)module.SaveChangedRanges(journal, [](TJournalStep) { ::raise(SIGKILL); });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const auto size = fs::file_size(journal);

    std::fstream(journal, std::ios::in | std::ios::out | std::ios::binary).seekp(60).put('\x55');
    TJournal leftover;
    EXPECT_EQ(ReadJournal(journal, leftover), TJournalState::Damaged) << "a byte changed";
    fs::resize_file(journal, size - 1);
    EXPECT_EQ(ReadJournal(journal, leftover), TJournalState::Damaged) << "cut short";
    fs::resize_file(journal, 20);
    EXPECT_EQ(ReadJournal(journal, leftover), TJournalState::Damaged) << "cut in the header";
    fs::remove(journal);
    EXPECT_EQ(ReadJournal(journal, leftover), TJournalState::None);
}

} // namespace
} // namespace mv
