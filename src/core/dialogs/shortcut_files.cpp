#include "core/dialogs/shortcut_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

namespace {

constexpr std::string_view GroupName = "morvane-prime";
constexpr std::string_view ProgramFile = "morvane-prime.desktop";
constexpr std::string_view HelpFile = "morvane-prime-help.desktop";
constexpr std::string_view OpenWithFile = "morvane-prime-open-with.desktop";
constexpr std::string_view DirectoryFile = "morvane-prime.directory";
constexpr std::string_view MenuFile = "morvane-prime.menu";
// An entry in a subfolder of the applications folder is known by the subfolder's name, a
// dash and its file name.
const std::string GroupProgramId = std::string(GroupName) + "-" + std::string(ProgramFile);
const std::string GroupHelpId = std::string(GroupName) + "-" + std::string(HelpFile);
// Entries are small; anything longer is no entry of ours.
constexpr std::size_t MaxEntryBytes = 64 * 1024;

std::string Reason(int error) { return std::strerror(error); }

bool Exists(const std::string& path) {
    struct stat info {};
    return !path.empty() && lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A regular file (not a link to somewhere else) whose text carries our mark.
bool IsOwnFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    std::string text;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= MaxEntryBytes) {
        text.resize(static_cast<std::size_t>(info.st_size));
        const ssize_t got = read(fd, text.data(), text.size());
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    close(fd);
    return IsOwnShortcutText(text);
}

// Creates every missing folder of the path; answers 0 or the errno of the failure.
int MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return errno;
    }
    return IsFolder(path) ? 0 : ENOTDIR;
}

// Writes a new file; an existing file of that name is never overwritten.
int WriteNewFile(const std::string& path, std::string_view text, mode_t mode) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return errno;
    const ssize_t written = write(fd, text.data(), text.size());
    const int error = written == static_cast<ssize_t>(text.size()) ? 0 : written < 0 ? errno : ENOSPC;
    if (close(fd) != 0 && error == 0) return errno;
    if (error != 0) unlink(path.c_str());
    return error;
}

// Runs the steps of one shortcut and collects their failures.
class TShortcutWriter {
public:
    TShortcutWriter(const TDesktopEntryTargets& targets, TShortcutRun& run)
        : targets_(targets), run_(run) {}

    bool WriteEntry(const std::string& path, TDesktopEntryKind kind, mode_t mode = 0644) {
        const std::optional<std::string> text = DesktopEntryText(kind, targets_);
        if (!text) return Fail(path + " を作成できませんでした.\r\nプログラムのパスをショートカットに書けません.");
        return WriteText(path, *text, mode);
    }

    bool WriteText(const std::string& path, std::string_view text, mode_t mode = 0644) {
        if (const int error = WriteNewFile(path, text, mode); error != 0)
            return Fail(path + " を作成できませんでした.\r\n" + Reason(error));
        return true;
    }

    // Deletes the file if it is one of ours; a missing file is no failure.
    bool Delete(const std::string& path) {
        if (!Exists(path)) return true;
        if (!IsOwnFile(path))
            return Fail(path + " は Morvane Prime が作成したショートカットではないため削除しませんでした.");
        if (unlink(path.c_str()) != 0) return Fail(path + " を削除できませんでした.\r\n" + Reason(errno));
        return true;
    }

    bool Fail(std::string message) {
        run_.Errors.push_back(std::move(message));
        return false;
    }

private:
    const TDesktopEntryTargets& targets_;
    TShortcutRun& run_;
};

void CreateGroup(const TShortcutFolders& folders, const TShortcutPaths& paths, TShortcutWriter& writer) {
    const std::string group = folders.ProgramGroup();
    int error = folders.Applications.empty() ? ENOENT : MakeFolders(folders.Applications);
    if (error == 0 && mkdir(group.c_str(), 0755) != 0) error = errno;
    if (error != 0) {
        writer.Fail(std::string(GroupCreateFailed) + "\r\n" + group + ": " + Reason(error));
        return;
    }
    if (const int menus = MakeFolders(folders.Menus); menus != 0)
        writer.Fail(folders.Menus + " を作成できませんでした.\r\n" + Reason(menus));
    if (const int directories = MakeFolders(folders.Directories); directories != 0)
        writer.Fail(folders.Directories + " を作成できませんでした.\r\n" + Reason(directories));
    writer.WriteEntry(paths.ProgramEntry, TDesktopEntryKind::Program);
    writer.WriteEntry(paths.HelpEntry, TDesktopEntryKind::Help);
    writer.WriteEntry(paths.GroupDirectory, TDesktopEntryKind::MenuDirectory);
    writer.WriteText(paths.GroupMenu, ProgramGroupMenuText(DirectoryFile, GroupProgramId, GroupHelpId));
}

// Our files go first; the folder goes only when nothing else is left in it.
void RemoveGroup(const TShortcutFolders& folders, const TShortcutPaths& paths, TShortcutWriter& writer) {
    for (const std::string* path : {&paths.ProgramEntry, &paths.HelpEntry, &paths.GroupMenu, &paths.GroupDirectory})
        writer.Delete(*path);
    const std::string group = folders.ProgramGroup();
    if (rmdir(group.c_str()) != 0)
        writer.Fail(std::string(GroupRemoveFailed) + "\r\n" + group + ": " + Reason(errno));
}

void CreateOnDesktop(const TShortcutFolders& folders, const TShortcutPaths& paths,
                     TShortcutWriter& writer, TShortcutRun& run) {
    if (!IsFolder(folders.Desktop)) {
        writer.Fail(folders.Desktop.empty()
                        ? std::string("デスクトップのフォルダが分かりません.\r\nデスクトップにショートカットを作成できませんでした.")
                        : "デスクトップのフォルダ " + folders.Desktop +
                              " がありません.\r\nデスクトップにショートカットを作成できませんでした.");
        return;
    }
    // The desktop starts only entries that may be executed.
    if (writer.WriteEntry(paths.DesktopEntry, TDesktopEntryKind::Program, 0755))
        run.WrittenDesktopEntry = paths.DesktopEntry;
}

void CreateOpenWith(const TShortcutFolders& folders, const TShortcutPaths& paths, TShortcutWriter& writer) {
    const int error = folders.Applications.empty() ? ENOENT : MakeFolders(folders.Applications);
    if (error != 0) {
        writer.Fail(folders.Applications + " を作成できませんでした.\r\n" + Reason(error));
        return;
    }
    writer.WriteEntry(paths.OpenWithEntry, TDesktopEntryKind::OpenWith);
}

} // namespace

std::string TShortcutFolders::ProgramGroup() const {
    return Applications.empty() ? std::string() : Applications + std::string(GroupName) + '/';
}

TShortcutPaths ShortcutPathsIn(const TShortcutFolders& folders) {
    const auto in = [](const std::string& folder, std::string_view file) {
        return folder.empty() ? std::string() : folder + std::string(file);
    };
    const std::string group = folders.ProgramGroup();
    return {in(group, ProgramFile),         in(group, HelpFile),
            in(folders.Menus, MenuFile),    in(folders.Directories, DirectoryFile),
            in(folders.Desktop, ProgramFile), in(folders.Applications, OpenWithFile)};
}

TShortcutChoice ExistingShortcuts(const TShortcutFolders& folders) {
    const TShortcutPaths paths = ShortcutPathsIn(folders);
    return {IsFolder(folders.ProgramGroup()), Exists(paths.DesktopEntry), Exists(paths.OpenWithEntry)};
}

TShortcutRun RunShortcuts(const TShortcutFolders& folders, const TDesktopEntryTargets& targets,
                          const TShortcutChoice& wanted) {
    const TShortcutPaths paths = ShortcutPathsIn(folders);
    const TShortcutChoice existing = ExistingShortcuts(folders);
    TShortcutRun run;
    TShortcutWriter writer(targets, run);
    if (wanted.ProgramGroup != existing.ProgramGroup) {
        if (wanted.ProgramGroup)
            CreateGroup(folders, paths, writer);
        else
            RemoveGroup(folders, paths, writer);
        run.ApplicationEntriesChanged = true;
    }
    if (wanted.Desktop != existing.Desktop) {
        if (wanted.Desktop)
            CreateOnDesktop(folders, paths, writer, run);
        else
            writer.Delete(paths.DesktopEntry);
    }
    if (wanted.SendTo != existing.SendTo) {
        if (wanted.SendTo)
            CreateOpenWith(folders, paths, writer);
        else
            writer.Delete(paths.OpenWithEntry);
        run.ApplicationEntriesChanged = true;
    }
    return run;
}

} // namespace mv
