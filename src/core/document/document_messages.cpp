#include "core/document/document_messages.h"

#include "core/document/status_texts.h"

#include <cstdio>

namespace mv {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The extension of the name's last component without its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view fileName) {
    const auto slash = fileName.rfind('/');
    const std::string_view base =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const auto dot = base.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : base.substr(dot + 1);
}

} // namespace

bool ExtensionIsViewOnly(std::string_view fileName, std::string_view extensions) {
    const std::string_view extension = ExtensionOf(fileName);
    if (extension.empty()) return false;
    while (!extensions.empty()) {
        const auto semicolon = extensions.find(';');
        if (EqualIgnoringCase(Trimmed(extensions.substr(0, semicolon)), extension)) return true;
        if (semicolon == std::string_view::npos) break;
        extensions.remove_prefix(semicolon + 1);
    }
    return false;
}

std::optional<std::string> ViewModeNotice(const std::string& name, bool extensionListed,
                                          const TFileFacts& facts) {
    std::string notice;
    if (extensionListed) {
        notice = "指定ファイルの拡張子は閲覧専用に設定されています.";
    } else if (facts.BlockDevice) {
        notice = name + " はデバイスです.\r\n保存すると変更した部分がデバイスに直接書き込まれます.";
    } else {
        std::string attributes;
        if (facts.ReadOnly()) attributes = "読み出し専用属性";
        if (facts.System()) attributes += (attributes.empty() ? "" : "及び") + std::string("システム属性");
        if (attributes.empty()) return std::nullopt;
        notice = name + " には\r\n" + attributes + " が設定されています.";
    }
    return notice + "\r\n閲覧モードで開きます.";
}

std::string OverwriteQuestion(const std::string& name) {
    return name + " は既に存在します.\r\n上書きしてよろしいですか？";
}

bool SaveTargetRefused(const TFileFacts& facts) {
    return facts.ReadOnly() || facts.System();
}

std::string SaveTargetRefusal(const std::string& name) {
    return name + " には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.";
}

std::string ReloadQuestion(const std::string& name) {
    return name + " を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？";
}

std::string CloseQuestion(const std::string& displayName) {
    return displayName + " は更新されています.\r\n閉じる前に保存しますか？";
}

std::string CompareFileMissing(const std::string& name) {
    return name + " が見付かりません.\r\n比較ファイルには新規ファイルを指定することは出来ません.";
}

std::string CompareFileAlreadyOpen(const std::string& name) {
    return name +
           " は既に開かれています.\r\n指定のファイルが開かれているウィンドウとの比較を行います.";
}

std::string GarbageCollectionQuestion(Address size, std::int32_t blockCount,
                                      std::int32_t minBlockCount) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "現在のメモリ利用効率は %d%% です.\r\nガーベージコレクション実行後は %d%% "
                  "になります.\r\n実行しますか？",
                  MemoryEfficiencyPercent(size, blockCount),
                  MemoryEfficiencyPercent(size, minBlockCount));
    return text;
}

std::string TextOutputFailure(std::string_view reason) {
    return "テキスト形式出力中に例外が発生しました.\r\n" + std::string(reason);
}

std::string HistoryEntryMissing(const std::string& name) {
    return name + " が見付かりません.\r\nファイル履歴から削除します.";
}

} // namespace mv
