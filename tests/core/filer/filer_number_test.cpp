#include "core/filer/filer_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mv {
namespace {

TEST(NormalizeNumber, RewritesInDecimalOrRefuses) {
    struct Case {
        std::string Text;
        TNumberCheck Check;
        std::string After;
    };
    const Case cases[] = {
        {"", TNumberCheck::Ok, "0"},
        {"0x", TNumberCheck::Ok, "0"},
        {"0X1f", TNumberCheck::Ok, "31"},
        {"0xFFFFFFFF", TNumberCheck::Ok, "-1"},
        {"0x0000000000000012", TNumberCheck::Ok, "18"}, // leading zeros are not significant
        {"0x100000000", TNumberCheck::OutOfRange, "0x100000000"},
        {"$10", TNumberCheck::NotANumber, "$10"},
        {" 1", TNumberCheck::NotANumber, " 1"},
    };
    for (const Case& c : cases) {
        std::string text = c.Text;
        EXPECT_EQ(NormalizeNumber(text), c.Check) << c.Text;
        EXPECT_EQ(text, c.After) << c.Text;
    }
}

TEST(ToInteger, GeneralConversion) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"12", 12},
        {"  -12", -12},
        {"$10", 16},
        {"0XFFFFFFFF", -1},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"-$10", std::nullopt},
        {"", std::nullopt},
        {"12 ", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ToInteger(text), value) << text;
}

} // namespace
} // namespace mv
