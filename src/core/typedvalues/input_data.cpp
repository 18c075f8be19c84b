#include "core/typedvalues/input_data.h"

#include "core/typedvalues/sjis_utf8.h"
#include "core/typedvalues/unicode_chars.h"

namespace mv {

namespace {

// Every CR LF of the text as the chosen line end. Neither byte occurs inside a character of
// Shift JIS or UTF-8, so the text's encoding does not matter.
std::string WithLineEnds(std::string_view text, TNewLineCode newLine) {
    if (newLine == TNewLineCode::CrLf) return std::string(text);
    const char lineEnd = newLine == TNewLineCode::Cr ? '\r' : '\n';
    std::string ended;
    ended.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\r\n") {
            ended += lineEnd;
            ++i;
        } else {
            ended += text[i];
        }
    }
    return ended;
}

} // namespace

std::string TypedTextBytes(std::string_view shiftJis, TNewLineCode newLine, CharaSet charaSet) {
    return ShiftJisTextInSet(charaSet, WithLineEnds(shiftJis, newLine));
}

std::string TypedUtf8TextBytes(std::string_view utf8, TNewLineCode newLine, CharaSet charaSet) {
    if (!IsUnicodeSet(charaSet)) return TypedTextBytes(Utf8ToShiftJis(utf8), newLine, charaSet);
    return Utf8ToUnicodeSet(charaSet, WithLineEnds(utf8, newLine));
}

} // namespace mv
