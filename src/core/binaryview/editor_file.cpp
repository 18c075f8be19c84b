// Loading and saving of the editor's file, with the backup of the previous file.
#include "core/binaryview/editor_core.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace mv {

namespace {

// Why a file of `size` bytes cannot be written by `method` for want of room, naming both
// sizes; nothing when it fits or the room cannot be told.
std::optional<std::string> FreeSpaceRefusal(const std::string& fileName, std::int64_t size,
                                            TSaveMethod method) {
    struct stat st {};
    const bool exists = ::stat(fileName.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return std::nullopt; // a device keeps its room
    const std::int64_t needed =
        method == TSaveMethod::InPlace && exists ? size - st.st_size : size;
    struct statvfs room {};
    if (needed <= 0 || ::statvfs(DirectoryOf(fileName).c_str(), &room) != 0) return std::nullopt;
    const auto available = static_cast<std::int64_t>(room.f_bavail) * static_cast<std::int64_t>(room.f_frsize);
    if (available >= needed) return std::nullopt;
    return fileName + " を保存出来ません.\r\n保存先の空き容量が足りません (必要 " +
           std::to_string(needed) + " バイト, 空き " + std::to_string(available) + " バイト).";
}

// Where the extension of the last path component begins ('.' included), or npos. A leading
// dot names a hidden file rather than starting an extension, so ".profile" keeps its name
// and its backup is ".profile.bak" rather than a ".bak" shared by every hidden file.
std::size_t ExtensionStart(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return std::string::npos;
    return dot;
}

bool HasBakExtension(const std::string& fileName) {
    const std::size_t dot = ExtensionStart(fileName);
    if (dot == std::string::npos || fileName.size() - dot != 4) return false;
    const std::string_view extension = std::string_view(fileName).substr(dot + 1);
    constexpr std::string_view bak = "bak";
    for (std::size_t i = 0; i < bak.size(); ++i)
        if ((extension[i] | 0x20) != bak[i]) return false;
    return true;
}

std::string BackupNameOf(const std::string& fileName) {
    return fileName.substr(0, ExtensionStart(fileName)) + ".bak";
}

// Filesystems that have no hard links, or a file on another filesystem than its backup name.
bool LinkImpossible(int error) {
    return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP ||
           error == EOPNOTSUPP || error == ENOSYS;
}

// Makes `backup` a second name of the file's current data and answers 0 or the error.
// A hard link costs nothing however large the file is; a save that replaces the file by a
// new one leaves the link holding the old data. A save in place would change the linked data
// too, so then, and where links are impossible, the data is copied, and a partial copy is
// removed.
int LinkOrCopy(const std::string& fileName, const std::string& backup, TSaveMethod method) {
    if (method == TSaveMethod::Replace) {
        if (::linkat(AT_FDCWD, fileName.c_str(), AT_FDCWD, backup.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (!LinkImpossible(errno)) return errno;
    }
    std::error_code error;
    if (std::filesystem::copy_file(fileName, backup, error)) return 0;
    if (error.value() != EEXIST) {
        std::error_code ignored;
        std::filesystem::remove(backup, ignored);
    }
    return error.value() != 0 ? error.value() : EIO;
}

// The name under which the file's current data is kept, or nothing when it gets no backup:
// a new file, a device or a pipe hold no data of their own (and copying a pipe would wait
// forever), and a file with the BAK extension would be its own backup.
std::optional<std::string> BackupNameFor(TEditorHost& host, const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    if (HasBakExtension(fileName)) {
        host.MessageDlgBeep("拡張子が BAK のファイルのバックアップは作成できません.",
                            TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return std::nullopt;
    }
    return BackupNameOf(fileName);
}

const TMsgDlgButtons AbortIgnore{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbIgnore};

// Deletes the previous backup, even a dangling symbolic link; answers whether the save may go
// on. Abort goes on without a backup (`backup` is then cleared); Ignore, or closing the
// dialog, abandons the save.
bool RemoveOldBackup(TEditorHost& host, std::optional<std::string>& backup) {
    struct stat old {};
    if (::lstat(backup->c_str(), &old) != 0 || ::unlink(backup->c_str()) == 0) return true;
    const int error = errno;
    if (host.MessageDlgBeep("以前のバックアップファイルの削除に失敗しました. " +
                                std::to_string(error),
                            TMsgDlgType::mtConfirmation, AbortIgnore) != mrAbort)
        return false;
    backup.reset();
    return true;
}

// Keeps the data of the file about to be written under its backup name; answers whether the
// save may go on. The file itself is never moved away, so that whatever fails later, the
// file stays as it was until the save writes it.
bool MakeBackup(TEditorHost& host, const std::string& fileName, const std::string& backup,
                TSaveMethod method) {
    const int error = LinkOrCopy(fileName, backup, method);
    return error == 0 ||
           host.MessageDlgBeep(fileName + " のバックアップファイルの作成に失敗しました. " +
                                   std::to_string(error),
                               TMsgDlgType::mtConfirmation, AbortIgnore) == mrAbort;
}

} // namespace

void TEditorCore::CheckSourceFile() {
    module_.CheckSource();
    ReportSourceFault();
}

void TEditorCore::TellSourceFault(const TMemoryModule& module, TMsgDlgType type,
                                  std::string_view more) {
    if (&module == &module_) sourceFaultReported_ = true;
    std::string text = SourceFaultText(module.Source()->Path(), module.SourceFault());
    if (!more.empty()) text += "\r\n" + std::string(more);
    host_.MessageDlgBeep(text, type, {TMsgDlgBtn::mbOK});
    Changed();
}

void TEditorCore::ReportSourceFault() {
    if (module_.SourceFault() != 0 && !sourceFaultReported_)
        TellSourceFault(module_, TMsgDlgType::mtWarning, {});
}

bool TEditorCore::ScanStoppedByFault(const TMemoryModule* other) {
    for (const TMemoryModule* module : {static_cast<const TMemoryModule*>(&module_), other}) {
        if (module == nullptr || module->SourceFault() == 0) continue;
        TellSourceFault(*module, TMsgDlgType::mtWarning, {});
        return true;
    }
    return false;
}

// A save in place that was cut short left its journal: the user chooses between the bytes
// from before the save and what it had written. A damaged journal is never applied.
void TEditorCore::OfferLeftoverJournal(const std::string& fileName) {
    bool device = false;
    const std::optional<TFileIdentity> identity = IdentityOfPath(fileName, device);
    if (!identity) return;
    TJournal journal;
    const std::string path = JournalPathFor(fileName, *identity, device, JournalFolder);
    switch (ReadJournal(path, journal)) {
    case TJournalState::None:
        return;
    case TJournalState::Damaged:
        host_.MessageDlgBeep(fileName + std::string(DamagedJournalNotice),
                             TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        ::unlink(path.c_str());
        return;
    case TJournalState::Valid:
        break;
    }
    if (!journal.BelongsTo(*identity)) return; // another file that once stood here
    if (host_.MessageDlgBeep(fileName + std::string(LeftoverJournalQuestion),
                             TMsgDlgType::mtConfirmation,
                             {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes) {
        ::unlink(path.c_str());
        return;
    }
    if (const int error = RestoreJournal(journal, fileName); error != 0)
        host_.MessageDlgBeep(fileName + " を保存前の内容に戻せませんでした. " + std::to_string(error),
                             TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

bool TEditorCore::LoadFile(const std::string& fileName) {
    history_.Clear();
    deviceEditAgreed_ = false;
    sourceFaultReported_ = false;
    OfferLeftoverJournal(fileName);
    const int error = module_.LoadFromFile(fileName, OnDemandFrom);
    // A failed load leaves the store empty, so the caret goes to 0 either way.
    SetCaret({0, 0});
    return LoadSucceeded(fileName, error);
}

// The file is read into a store of its own first, so that a read that fails (the file became
// unreadable, too large or vanished) leaves the data, the history and the caret as they were.
bool TEditorCore::ReloadFile(const std::string& fileName) {
    TMemoryModule fresh;
    fresh.OnProgress = [this](TMemoryModule&, std::string_view text) {
        if (module_.OnProgress) module_.OnProgress(module_, text);
    };
    if (!LoadSucceeded(fileName, fresh.LoadFromFile(fileName, OnDemandFrom))) return false;
    history_.Clear();
    module_.SwapData(fresh);
    sourceFaultReported_ = false;
    SetCaret({0, 0});
    return true;
}

void TEditorCore::RereadSavedFile(const std::string& fileName) {
    TMemoryModule fresh;
    if (fresh.LoadFromFile(fileName, 0) != 0 || fresh.Size() != module_.Size()) return;
    const bool locked = module_.Locked;
    module_.Locked = true; // the caret and the view stay; only the representation changes
    module_.SwapData(fresh);
    module_.Locked = locked;
}

bool TEditorCore::LoadSucceeded(const std::string& fileName, int error) {
    if (error == 0) return true;
    if (error == ECANCELED) return false; // the user stopped it: nothing to tell
    host_.MessageDlgBeep(fileName + " の読み込みに失敗しました.", TMsgDlgType::mtError,
                         {TMsgDlgBtn::mbAbort});
    return false;
}

bool TEditorCore::SaveFile(const std::string& fileName) {
    if (module_.CheckSource() != 0) {
        TellSourceFault(module_, TMsgDlgType::mtError, SourceChangedSaveRefusal);
        return false;
    }
    const bool written = module_.WritesOverSource(fileName) && module_.ChangesStayInPlace()
                             ? SaveChangedRanges(fileName)
                             : SaveWhole(fileName);
    if (!written) return false;
    // Data read on demand now refers to the file as saved, and memory holds no copy of it.
    if (module_.Source() != nullptr) RereadSavedFile(fileName);
    if (history_.UndoFlushWithSaved) history_.Clear();
    if (!module_.Locked) {
        module_.SetModified(false);
        Changed();
    }
    return true;
}

// Overwrites only what changed, under a journal. A backup would be a copy of the whole file,
// which is what this save avoids, so none is made, and the user is told so once.
bool TEditorCore::SaveChangedRanges(const std::string& fileName) {
    if (MakeBackFile && !backupSkipSaid_) {
        backupSkipSaid_ = true;
        host_.MessageDlgBeep(fileName + std::string(BackupSkippedNotice), TMsgDlgType::mtInformation,
                             {TMsgDlgBtn::mbOK});
    }
    std::error_code ignored;
    std::filesystem::create_directories(JournalFolder, ignored);
    const TFileSource& source = *module_.Source();
    const std::string journal =
        JournalPathFor(fileName, source.Identity(), source.Device(), JournalFolder);
    if (const int error = module_.SaveChangedRanges(journal); error != 0) {
        host_.MessageDlgBeep(fileName + " の書き込みに失敗しました. " + std::to_string(error),
                             TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
        return false;
    }
    return true;
}

bool TEditorCore::SaveWhole(const std::string& fileName) {
    std::optional<std::string> backup;
    if (MakeBackFile) backup = BackupNameFor(host_, fileName);
    if (backup && !RemoveOldBackup(host_, backup)) return false;
    // Chosen with the old backup gone and before the new one, which depends on it: neither
    // backup is another name of the file. An old one still linked to the file, left by a save
    // that failed or was killed, would make this save write in place, where a crash leaves
    // the file half written.
    const TSaveMethod method = ChooseSaveMethod(fileName);
    if (const auto refusal = FreeSpaceRefusal(fileName, module_.Size(), method)) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    }
    if (backup && !MakeBackup(host_, fileName, *backup, method)) return false;
    if (const int error = module_.SaveToFile(fileName, method); error != 0) {
        host_.MessageDlgBeep(error == ECANCELED ? fileName + " の保存を中止しました."
                                                : fileName + " の書き込みに失敗しました.",
                             TMsgDlgType::mtError,
                             {TMsgDlgBtn::mbAbort});
        return false;
    }
    return true;
}

} // namespace mv