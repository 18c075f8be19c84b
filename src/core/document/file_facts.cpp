#include "core/document/file_facts.h"

#include "core/datastore/memory_module.h"

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
    facts.Readable = ::access(path.c_str(), R_OK) == 0;
    facts.Writable = ::access(path.c_str(), W_OK) == 0;
    facts.Size = st.st_size;
    facts.ModifiedTime = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    return facts;
}

std::optional<std::string> OpenRefusal(const std::string& name, const TFileFacts& facts) {
    if (!facts.Exists) return name + " が見付かりません.";
    if (facts.Directory) return name + " はフォルダです.\r\nフォルダを開くことは出来ません.";
    if (!facts.Regular)
        return name + " は通常のファイルではありません.\r\nデバイスなどを開くことは出来ません.";
    if (!facts.Readable) return name + " を読み出す権限がありません.";
    if (facts.Size > TMemoryModule::MaxSize)
        return name + " は 2 GiB 以上あります.\r\n2 GiB 以上のファイルを開くことは出来ません.";
    return std::nullopt;
}

} // namespace mv
