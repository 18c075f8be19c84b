#pragma once

#include <iconv.h>

#include <optional>
#include <string>

namespace mv::test {

// One glibc converter: the whole text converted, or nothing when glibc refuses any of it
// (an invalid or a cut sequence).
class Iconv {
public:
    Iconv(const char* from, const char* to) : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    std::optional<std::string> operator()(std::string in) const {
        std::string out(in.size() * 4 + 16, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size();
        std::size_t outLeft = out.size();
        constexpr auto failed = static_cast<std::size_t>(-1);
        const bool ok = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != failed &&
                        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) != failed;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        if (!ok) return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace mv::test
