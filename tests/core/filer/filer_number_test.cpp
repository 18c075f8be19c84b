#include "core/filer/filer_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mv {
namespace {

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
