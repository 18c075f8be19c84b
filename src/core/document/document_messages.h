#pragma once

#include "core/datastore/address.h"
#include "core/document/file_facts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// The messages of the document window. Names are file names as the user sees them (UTF-8);
// lines are separated by "\r\n".

// Whether the file name's extension is one of the ';'-separated list (pieces trimmed, letter
// case ignored), which opens the file in view mode.
[[nodiscard]] bool ExtensionIsViewOnly(std::string_view fileName, std::string_view extensions);
// The notice shown before a file opens in view mode, or nothing when it opens editable: the
// listed extension, else its read-only and system attributes.
[[nodiscard]] std::optional<std::string>
ViewModeNotice(const std::string& name, bool extensionListed, const TFileFacts& facts);

[[nodiscard]] std::string OverwriteQuestion(const std::string& name);
// The target of a save as or a save a copy must not be read-only, a folder or a device.
[[nodiscard]] bool SaveTargetRefused(const TFileFacts& facts);
[[nodiscard]] std::string SaveTargetRefusal(const std::string& name);
[[nodiscard]] std::string ReloadQuestion(const std::string& name);
// Asked of a modified window, named as the window lists name it.
[[nodiscard]] std::string CloseQuestion(const std::string& displayName);

[[nodiscard]] std::string CompareFileMissing(const std::string& name);
[[nodiscard]] std::string CompareFileAlreadyOpen(const std::string& name);
inline constexpr std::string_view CompareSameWindowRefusal =
    "同一のウィンドウと比較することは出来ません.";

inline constexpr std::string_view GarbageCollectionNeedless =
    "メモリ利用効率は最大です.\r\nガーベージコレクションの必要はありません.";
// The efficiency now and after the compaction, both computed in 64 bits.
[[nodiscard]] std::string GarbageCollectionQuestion(Address size, std::int32_t blockCount,
                                                    std::int32_t minBlockCount);

[[nodiscard]] std::string TextOutputFailure(std::string_view reason);
[[nodiscard]] std::string HistoryEntryMissing(const std::string& name);

} // namespace mv
