#include "core/filer/filer_browser.h"

#include "core/filer/filer_define.h"
#include "core/filer/filer_text.h"
#include "core/typedvalues/sjis_utf8.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace mv {
namespace {

std::string WithoutSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string WithSlash(const std::string& path) {
    return path.ends_with('/') ? path : path + '/';
}

std::string Join(const std::string& folder, const std::string& below) {
    if (below.empty()) return folder;
    return folder == "/" ? folder + below : folder + '/' + below;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Sorted without regard to letter case; names equal but for case keep a fixed order.
bool NameBefore(const std::string& a, const std::string& b) {
    const std::string la = LowerAscii(a), lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
}

std::string Defined(const std::string& shiftJis) {
    return shiftJis.empty() ? "(未定義)" : ShiftJisToUtf8(shiftJis);
}

struct TListing {
    std::set<std::string> Folders;
    std::map<std::string, std::string> Filers; // name to path, the first folder's kept
};

// Adds a folder's visible sub-folders and filers (regular files ending in ".MVF" in any
// letter case). Hidden entries (a leading '.') and other kinds of file are left out.
bool List(const std::string& folder, TListing& listing) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with('.')) continue;
        std::error_code kind;
        if (it->is_directory(kind))
            listing.Folders.insert(name);
        else if (it->is_regular_file(kind) && name.size() > 4 &&
                 UpperAscii(std::string_view(name).substr(name.size() - 4)) == ".MVF")
            listing.Filers.emplace(name, Join(folder, name));
    }
    return !error;
}

} // namespace

std::string TFilerBrowser::Enter(std::vector<std::string> folders) {
    std::vector<std::string> existing;
    std::string missing;
    for (std::string& folder : folders) {
        folder = WithoutSlash(std::move(folder));
        std::error_code error;
        if (fs::is_directory(folder, error))
            existing.push_back(folder);
        else
            missing += (missing.empty() ? "" : "\r\n") + WithSlash(folder) + " が見付かりません.";
    }
    if (existing.empty()) return missing;
    return Show(existing, {});
}

std::string TFilerBrowser::EnterParent() {
    if (roots_.empty() || AtRoot()) return {};
    if (below_.empty()) return Enter({fs::path(roots_.front()).parent_path().string()});
    const std::size_t slash = below_.rfind('/');
    return Show(roots_, slash == std::string::npos ? std::string() : below_.substr(0, slash));
}

std::string TFilerBrowser::EnterFolder(const std::string& name) {
    return Show(roots_, below_.empty() ? name : below_ + '/' + name);
}

std::string TFilerBrowser::Show(const std::vector<std::string>& roots, const std::string& below) {
    TListing listing;
    std::vector<std::string> shown;
    for (const std::string& root : roots) {
        const std::string folder = Join(root, below);
        std::error_code error;
        if (!fs::is_directory(folder, error)) continue;
        if (!List(folder, listing)) return WithSlash(folder) + " を読み込めません.";
        shown.push_back(root);
    }
    if (shown.empty()) return WithSlash(Join(roots.front(), below)) + " が見付かりません.";

    roots_ = std::move(shown);
    below_ = below;
    entries_.clear();
    if (!AtRoot()) entries_.push_back({TFilerEntryKind::Parent, "親ディレクトリ...", {}, {}, {}});
    std::vector<std::string> folders(listing.Folders.begin(), listing.Folders.end());
    std::ranges::sort(folders, NameBefore);
    for (std::string& name : folders)
        entries_.push_back({TFilerEntryKind::Folder, std::move(name), {}, {}, {}});
    std::vector<std::string> filers;
    for (const auto& [name, path] : listing.Filers)
        filers.push_back(name);
    std::ranges::sort(filers, NameBefore);
    for (const std::string& name : filers) {
        const std::string& path = listing.Filers.at(name);
        TFilerDefine define;
        (void)ReadFilerDefine(path, define); // an unreadable header shows as undefined
        entries_.push_back(
            {TFilerEntryKind::Filer, name, path, Defined(define.Title), Defined(define.Author)});
    }
    return {};
}

std::string TFilerBrowser::Folder() const {
    return roots_.empty() ? std::string() : WithSlash(Join(roots_.front(), below_));
}

std::vector<std::string> TFilerBrowser::Folders() const {
    std::vector<std::string> folders;
    for (const std::string& root : roots_)
        folders.push_back(WithSlash(Join(root, below_)));
    return folders;
}

bool TFilerBrowser::AtRoot() const {
    return roots_.size() == 1 && below_.empty() && roots_.front() == "/";
}

} // namespace mv
