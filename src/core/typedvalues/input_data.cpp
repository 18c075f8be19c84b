#include "core/typedvalues/input_data.h"

namespace mv {

std::string TypedTextBytes(std::string_view shiftJis, TNewLineCode newLine, CharaSet charaSet) {
    std::string text;
    if (newLine == TNewLineCode::CrLf) {
        text = shiftJis;
    } else {
        const char lineEnd = newLine == TNewLineCode::Cr ? '\r' : '\n';
        text.reserve(shiftJis.size());
        for (std::size_t i = 0; i < shiftJis.size(); ++i) {
            if (shiftJis.substr(i, 2) == "\r\n") {
                text += lineEnd;
                ++i;
            } else {
                text += shiftJis[i];
            }
        }
    }
    return ShiftJisTextInSet(charaSet, text);
}

} // namespace mv
