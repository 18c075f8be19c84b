#pragma once

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/command_ids.h"

#include <array>

namespace mv {

// The items of the character-set submenu, one per set in the order of the sets' numbers: the
// item's name, its caption and the command that clicks it. The menu, the window's handlers and
// the check marks all read this one list.
struct TCharaSetItem {
    const char* Item;
    const char* Caption;
    CommandId Command;
    mv::CharaSet Set;
};

inline constexpr std::array<TCharaSetItem, CharaSetCount> CharaSetItems{{
    {"MM_CharaSetAscii", "ASCII(&A)", cmd::CHARASETASCII, CharaSet::Ascii},
    {"MM_CharaSetSJis", "Shift JIS(&S)", cmd::CHARASETSJIS, CharaSet::ShiftJis},
    {"MM_CharaSetJis", "JIS(&J)", cmd::CHARASETJIS, CharaSet::Jis},
    {"MM_CharaSetEuc", "EUC(&E)", cmd::CHARASETEUC, CharaSet::Euc},
    {"MM_CharaSetUtf8", "UTF-8(&U)", cmd::CHARASETUTF8, CharaSet::Utf8},
    {"MM_CharaSetUtf16Le", "UTF-16LE(&L)", cmd::CHARASETUTF16LE, CharaSet::Utf16Le},
    {"MM_CharaSetUtf16Be", "UTF-16BE(&B)", cmd::CHARASETUTF16BE, CharaSet::Utf16Be},
}};

} // namespace mv
