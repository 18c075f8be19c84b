#pragma once

#include "core/host/host_services.h"
#include "core/typedvalues/input_data.h"

#include <string_view>

namespace mv {

// What the user described on one typed data frame, as far as a run button's checks look.
struct TPatternInput {
    TInputDataPage Page = TInputDataPage::Integer;
    // The text, the character choice or the raw bytes of the page hold nothing.
    bool Empty = false;
};

// How a run button goes on after its checks.
enum class TRunCheck {
    Run,          // nothing fired, or the user agreed to delete the matches
    CloseDialog,  // abort
    FocusSearch,  // retry: back to the search side's offending control
    FocusReplace, // retry: back to the replacement's control
};

inline constexpr std::string_view EmptySearchStringRefusal = "空の文字列を検索することは出来ません.";
inline constexpr std::string_view NoCharacterRefusal = "キャラクタが選択されていません.";
inline constexpr std::string_view EmptySearchBytesRefusal = "空のバイナリ列を検索することは出来ません.";
inline constexpr std::string_view EmptyReplaceStringWarning =
    "空の文字列が指定されています.\r\n検索にマッチした部分は削除されます.";
inline constexpr std::string_view EmptyReplaceBytesWarning =
    "空のバイナリ列が指定されています.\r\n検索にマッチした部分は削除されます.";
inline constexpr std::string_view NullReplaceWarning =
    "ヌル型が指定されています.\r\n検索にマッチした部分は削除されます.";

// The search button: an empty string, no character or no raw bytes cannot be searched for.
// Each refusal is a warning with abort and retry; an integer is always searchable.
[[nodiscard]] TRunCheck CheckSearchRun(const TPatternInput& search, THostServices& host);

// The replace button: the search side as above, then the replacement. A replacement that
// gives no bytes deletes every match, which the user must agree to with yes; no character
// chosen is refused like the search side's.
[[nodiscard]] TRunCheck CheckReplaceRun(const TPatternInput& search,
                                        const TPatternInput& replacement, THostServices& host);

} // namespace mv
