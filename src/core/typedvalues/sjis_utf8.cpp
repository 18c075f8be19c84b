#include "core/typedvalues/sjis_utf8.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <iconv.h>

namespace mv {
namespace {

// Code page 932 rather than plain Shift JIS: its 0x5C is the backslash, not the yen sign,
// and the vendor rows decode, as they do for the Windows programs that wrote the files.
constexpr const char* ShiftJisCode = "CP932";
constexpr const char* Utf8Code = "UTF-8";

class TIconv {
public:
    TIconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~TIconv() {
        if (Ok()) iconv_close(handle_);
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    [[nodiscard]] bool Ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    [[nodiscard]] iconv_t Handle() const { return handle_; }

private:
    iconv_t handle_;
};

// How many bytes at the start of text one replacement stands for.
using BadLength = std::size_t (*)(std::string_view text);

std::size_t OneByte(std::string_view) {
    return 1;
}

// The lead byte and the continuation bytes that follow it, up to the length the lead
// announces: an unmappable character, or a truncated one, gives one '?'.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < announced && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, BadLength badLength) {
    const TIconv converter(to, from);
    std::string out;
    out.reserve(in.size());
    while (!in.empty()) {
        if (converter.Ok()) {
            std::array<char, 1024> chunk;
            // iconv's interface is not const-correct; it only reads the input.
            char* source = const_cast<char*>(in.data());
            std::size_t sourceLeft = in.size();
            char* target = chunk.data();
            std::size_t targetLeft = chunk.size();
            const std::size_t result =
                iconv(converter.Handle(), &source, &sourceLeft, &target, &targetLeft);
            const int error = errno;
            out.append(chunk.data(), target);
            in.remove_prefix(in.size() - sourceLeft);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        } else if (static_cast<unsigned char>(in.front()) < 0x80) {
            // Without the conversion module only ASCII, which both sides share, gets through.
            out.push_back(in.front());
            in.remove_prefix(1);
            continue;
        }
        out += replacement;
        in.remove_prefix(badLength(in));
    }
    return out;
}

} // namespace

std::string ShiftJisToUtf8(std::string_view shiftJis) {
    return Convert(Utf8Code, ShiftJisCode, shiftJis, "\xEF\xBF\xBD", OneByte);
}

std::string Utf8ToShiftJis(std::string_view utf8) {
    return Convert(ShiftJisCode, Utf8Code, utf8, "?", Utf8SequenceLength);
}

} // namespace mv
