#include "core/document/file_facts.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

TFileFacts ReadFileFacts(const std::string& path) {
    TFileFacts facts;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return facts;
    facts.Exists = true;
    facts.Directory = S_ISDIR(st.st_mode);
    facts.Regular = S_ISREG(st.st_mode);
    facts.BlockDevice = S_ISBLK(st.st_mode);
    if (const group* owner = ::getgrgid(st.st_gid)) facts.Group = owner->gr_name;
    facts.Readable = ::access(path.c_str(), R_OK) == 0;
    facts.Writable = ::access(path.c_str(), W_OK) == 0;
    facts.Size = st.st_size;
    facts.ModifiedTime = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    return facts;
}

std::optional<std::string> OpenRefusal(const std::string& name, const TFileFacts& facts) {
    if (!facts.Exists) return name + " が見付かりません.";
    if (facts.Directory) return name + " はフォルダです.\r\nフォルダを開くことは出来ません.";
    if (!facts.Regular && !facts.BlockDevice)
        return name + " は通常のファイルではありません.\r\nデバイスなどを開くことは出来ません.";
    if (!facts.Readable && facts.BlockDevice && !facts.Group.empty())
        return name + " を読み出す権限がありません.\r\nこのデバイスを読み出すには " + facts.Group +
               " グループに属している必要があります.";
    if (!facts.Readable) return name + " を読み出す権限がありません.";
    return std::nullopt;
}

} // namespace mv
