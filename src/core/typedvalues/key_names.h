#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mv {

// A position in KeyNameList (0..96); -1 for a key without one.
using KeyIndex = std::int32_t;
inline constexpr int KeyCount = 97;

// The names that stored assignments give the keys; a key index is a position in this list.
inline constexpr std::array<std::string_view, KeyCount> KeyNameList = {
    "{0}",           "{1}",
    "{2}",           "{3}",
    "{4}",           "{5}",
    "{6}",           "{7}",
    "{8}",           "{9}",
    "{A}",           "{B}",
    "{C}",           "{D}",
    "{E}",           "{F}",
    "{G}",           "{H}",
    "{I}",           "{J}",
    "{K}",           "{L}",
    "{M}",           "{N}",
    "{O}",           "{P}",
    "{Q}",           "{R}",
    "{S}",           "{T}",
    "{U}",           "{V}",
    "{W}",           "{X}",
    "{Y}",           "{Z}",
    "{-}",           "{^}",
    "{\\}",          "{@}",
    "{[}",           "{]}",
    "{;}",           "{:}",
    "{,}",           "{/}",
    "{.}",           "{F1}",
    "{F2}",          "{F3}",
    "{F4}",          "{F5}",
    "{F6}",          "{F7}",
    "{F8}",          "{F9}",
    "{F10}",         "{F11}",
    "{F12}",         "{F13}",
    "{F14}",         "{F15}",
    "{Enter}",       "{Esc}",
    "{Tab}",         "{Insert}",
    "{Delete}",      "{BackSpace}",
    "{PageUp}",      "{PageDown}",
    "{Home}",        "{End}",
    "{Up}",          "{Down}",
    "{Left}",        "{Right}",
    "{Pause}",       "{Space}",
    "{0(NumPad)}",   "{1(NumPad)}",
    "{2(NumPad)}",   "{3(NumPad)}",
    "{4(NumPad)}",   "{5(NumPad)}",
    "{6(NumPad)}",   "{7(NumPad)}",
    "{8(NumPad)}",   "{9(NumPad)}",
    "{*(NumPad)}",   "{+(NumPad)}",
    "{-(NumPad)}",   "{.(NumPad)}",
    "{/(NumPad)}",   "{Enter(NumPad)}",
    "{=(NumPad)}",   "{,(NumPad)}",
    "{Application}",
};

// The index of a key name, for tables written in the source: a misspelt name stops the build
// instead of binding nothing.
consteval KeyIndex KeyNamed(std::string_view name) {
    for (std::size_t i = 0; i < KeyNameList.size(); ++i)
        if (KeyNameList[i] == name) return static_cast<KeyIndex>(i);
    throw "not a key name";
}

} // namespace mv
