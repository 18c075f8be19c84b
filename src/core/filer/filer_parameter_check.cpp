#include "core/filer/filer_parameter_check.h"

#include "core/filer/filer_number.h"
#include "core/typedvalues/sjis_utf8.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace mv {
namespace {

// Formats a message whose "%s" stands between double quotes at its end.
std::string Quoting(std::string_view message, std::string_view shiftJisText) {
    return std::string(message) + "\"" + ShiftJisToUtf8(shiftJisText) + "\"";
}

// The value by the general conversion; an unreadable text counts as `unreadable`.
std::int32_t ValueOr(std::string_view text, std::int32_t unreadable) {
    return ToInteger(text).value_or(unreadable);
}

bool Within(std::string_view text, std::int32_t low, std::int32_t high) {
    const std::int32_t value = ValueOr(text, -1);
    return value >= low && value <= high;
}

bool IsZero(std::string_view text) {
    return ValueOr(text, 0) == 0;
}

bool IsWidth(std::string_view text) {
    const std::int32_t value = ValueOr(text, -1);
    return value == 1 || value == 2 || value == 4;
}

constexpr std::string_view BadWidth = "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. ";
constexpr std::string_view BadBit =
    "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. ";
constexpr std::string_view BadPad = "余剰キャラクタには 0 ～ 255 の文字コードを指定して下さい.";
constexpr std::string_view ZeroLength = "文字列長に 0 を指定することは出来ません.";
constexpr std::string_view ZeroPatternSize = "パターン書き込みサイズは 1 以上を指定して下さい.";
constexpr std::string_view EmptyPattern = "パターンに空の文字列を指定することは出来ません.";
constexpr std::string_view NegativeExtent =
    "アドレスとサイズには 0 ～ 2147483647 の値を指定して下さい. ";

std::string CheckIndent(std::string& text) {
    if (text == "*") return {};
    std::string number = text;
    switch (NormalizeNumber(number)) {
    case TNumberCheck::NotANumber:
        return Quoting("インデント、マージン幅にはオート \"*\" か整数値が必要です. ", text);
    case TNumberCheck::OutOfRange: // far beyond 800, and said so with the text as written
        break;
    case TNumberCheck::Ok:
        text = number;
        if (Within(text, 0, 800)) return {};
        break;
    }
    return Quoting("インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. ", text);
}

std::string CheckOption(std::string& text) {
    const std::size_t arrow = text.find("=>");
    std::string value = text.substr(0, arrow == std::string::npos ? 0 : arrow);
    if (arrow == std::string::npos || NormalizeNumber(value) != TNumberCheck::Ok)
        return Quoting("選択肢の指定方法が不正です. ", text);
    text = value + text.substr(arrow);
    return {};
}

std::string CheckPattern(std::string_view text, std::string_view digits, std::string_view message) {
    if (text.empty()) return std::string(EmptyPattern);
    if (text.find_first_not_of(digits) != std::string_view::npos) return Quoting(message, text);
    return {};
}

std::string CheckRow(std::string_view name, int position, std::string& text,
                     std::span<const std::string> earlier) {
    const auto at = [&](int n) -> std::string_view {
        return earlier[static_cast<std::size_t>(n - 1)];
    };
    const auto is = [&](std::string_view command, int n) {
        return name == command && position == n;
    };

    if (is("COPY", 2) && ValueOr(text, 0) == ValueOr(at(1), 0))
        return "コピー元とコピー先が同一です.";
    if (is("COPY", 3) && IsZero(text)) return "転送サイズは 1 以上を指定して下さい.";
    if (is("CLEAR", 2) && IsZero(text)) return "クリアサイズは 1 以上を指定して下さい.";
    if (is("CLEAR", 3) && !Within(text, 0, 255))
        return "クリア数値は 0 ～ 255 までの範囲の整数値で指定して下さい.";
    if ((is("EDITBIT", 3) || is("WRITEBIT", 2)) && !Within(text, 0, 7))
        return Quoting(BadBit, text);
    if ((is("EDITINTEGER", 3) || is("EDITSELECT", 3) || is("WRITEINTEGER", 2)) && !IsWidth(text))
        return Quoting(BadWidth, text);
    if (is("EDITINTEGER", 5) && ValueOr(text, -1) < ValueOr(at(4), -1))
        return Quoting("範囲が不正です. 最大値が最小値未満に設定されています. ", text);
    if (name == "EDITSELECT" && position >= 4) return CheckOption(text);
    if ((is("EDITSTRING", 3) || is("WRITESTRING", 2)) && IsZero(text))
        return std::string(ZeroLength);
    if ((is("EDITSTRING", 4) || is("WRITESTRING", 4)) && !Within(text, 0, 255))
        return std::string(BadPad);
    if (is("INDENT", 1) || is("MARGIN", 1)) return CheckIndent(text);
    if (name == "MESSAGE" && position <= 2 && !Within(text, 50, 800))
        return Quoting("メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. ",
                       text);
    if (is("WRITEBIT", 3) && !Within(text, 0, 1))
        return Quoting("ビットデータが不正です. ビットデータには 0,1 のみ指定できます. ", text);
    if ((is("WRITEPATTERNBIN", 2) || is("WRITEPATTERNHEX", 2)) && IsZero(text))
        return std::string(ZeroPatternSize);
    if (is("WRITEPATTERNBIN", 3))
        return CheckPattern(text, "01",
                            "パターンには 0 と 1 のみからなる 2 進数パターンを指定して下さい. ");
    if (is("WRITEPATTERNHEX", 3))
        return CheckPattern(text, "0123456789ABCDEFabcdef",
                            "パターンには 0 ～ F のみからなる 16 進数パターンを指定して下さい. ");
    return {};
}

} // namespace

std::string CheckParameter(const TCommandType& command, int position, std::string& text,
                           std::span<const std::string> earlier) {
    if (command.IsExtent(position) && ValueOr(text, -1) < 0) return Quoting(NegativeExtent, text);
    return CheckRow(command.Name, position, text, earlier);
}

} // namespace mv
