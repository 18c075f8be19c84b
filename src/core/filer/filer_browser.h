#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mv {

// The kinds of entry in the filer open dialog; the value is the entry's picture.
enum class TFilerEntryKind : std::uint8_t { Parent = 0, Folder = 1, Filer = 2 };

struct TFilerEntry {
    TFilerEntryKind Kind = TFilerEntryKind::Filer;
    std::string Name;   // as on disk; "親ディレクトリ..." for the parent
    std::string Path;   // a filer's full path
    std::string Title;  // UTF-8, "(未定義)" when the header names none
    std::string Author; // likewise
};

// The folders and filers that the filer open dialog lists. A place is one folder or, for the
// filer folder, several folders seen as one (the user's own filers over the shipped ones): their
// sub-folders are listed once, and of filers with the same name the first folder's is listed.
// Inside such a place, sub-folders stay merged; its parent is the first folder's parent alone.
class TFilerBrowser {
public:
    // Goes to the folders (paths without a trailing '/'); those that do not exist are left out.
    // When none exists or one cannot be read, the browser stays where it was and the answer is
    // the warning (UTF-8): each path missing followed by " が見付かりません.", or the path that
    // could not be read followed by " を読み込めません.". Empty on success.
    std::string Enter(std::vector<std::string> folders);
    // The parent item's place and a folder item's place.
    std::string EnterParent();
    std::string EnterFolder(const std::string& name);

    // The entries shown: the parent first unless at the root "/", then the folders, then the
    // filers, each group sorted without regard to letter case.
    [[nodiscard]] const std::vector<TFilerEntry>& Entries() const { return entries_; }
    // The folder shown as the current one (the first of the place), ending in '/'; empty
    // before the first successful Enter.
    [[nodiscard]] std::string Folder() const;
    // Every folder of the place, ending in '/'.
    [[nodiscard]] std::vector<std::string> Folders() const;
    [[nodiscard]] bool AtRoot() const;

private:
    // Lists the place; answers the warning and changes nothing on failure.
    std::string Show(const std::vector<std::string>& roots, const std::string& below);

    std::vector<std::string> roots_; // the folders of the place entered, existing
    std::string below_;              // the sub-folder path under each root, "" or "a/b"
    std::vector<TFilerEntry> entries_;
};

} // namespace mv
