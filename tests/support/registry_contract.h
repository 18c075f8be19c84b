#pragma once

#include "core/config/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace mv::test {

// What every TRegistry promises, run against each implementation. A Factory gives Open(), the
// registry of an empty store, and Reopen(), which flushes it, drops it and answers a new
// registry over the same store, so that what survives a restart of the program is tested.
template <class Factory> class RegistryContract : public testing::Test {
protected:
    Factory factory;

    static void ExpectOk(const std::string& error) { EXPECT_EQ(error, ""); }
    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, AnEmptyStoreHasNoKeysAndNoValues) {
    const TRegistry& registry = this->factory.Open();
    EXPECT_FALSE(registry.KeyExists(""));
    EXPECT_FALSE(registry.KeyExists("Config"));
    EXPECT_EQ(registry.ReadDword("Config", "FontHeight"), std::nullopt);
    EXPECT_EQ(registry.ReadString("", "InstallFolder"), std::nullopt);
    EXPECT_TRUE(registry.ValueNames("Config").empty());
}

TYPED_TEST_P(RegistryContract, ValuesKeepTheirTypeAcrossAReopen) {
    TRegistry& writing = this->factory.Open();
    this->ExpectOk(writing.WriteDword("Config", "FontHeight", 14));
    this->ExpectOk(writing.WriteDword("Config", "Max", 0xFFFFFFFF));
    this->ExpectOk(writing.WriteString("Config", "Digits", "14"));
    this->ExpectOk(writing.WriteString("Config", "Empty", ""));
    this->ExpectOk(writing.WriteString("Config", "Changes", "text"));
    this->ExpectOk(writing.WriteDword("Config", "Changes", 7)); // replaces the string
    this->ExpectOk(writing.WriteString("", "InstallFolder", "/opt/mv/"));

    const TRegistry& registry = this->factory.Reopen();
    EXPECT_TRUE(registry.KeyExists(""));
    EXPECT_EQ(registry.ReadDword("Config", "FontHeight"), 14u);
    EXPECT_EQ(registry.ReadDword("Config", "Max"), 0xFFFFFFFFu);
    EXPECT_EQ(registry.ReadString("Config", "Digits"), "14");
    EXPECT_EQ(registry.ReadString("Config", "Empty"), "");
    EXPECT_EQ(registry.ReadDword("Config", "Changes"), 7u);
    EXPECT_EQ(registry.ReadString("", "InstallFolder"), "/opt/mv/");
    // A value of the other type reads as missing.
    EXPECT_EQ(registry.ReadString("Config", "FontHeight"), std::nullopt);
    EXPECT_EQ(registry.ReadDword("Config", "Digits"), std::nullopt);
    EXPECT_EQ(registry.ReadString("Config", "Changes"), std::nullopt);
    EXPECT_EQ(this->Sorted(registry.ValueNames("Config")),
              (std::vector<std::string>{"Changes", "Digits", "Empty", "FontHeight", "Max"}));
    EXPECT_EQ(registry.ValueNames(""), std::vector<std::string>{"InstallFolder"});
}

TYPED_TEST_P(RegistryContract, CreatedKeysExistWithTheirParentsEvenWhenEmpty) {
    TRegistry& writing = this->factory.Open();
    this->ExpectOk(writing.CreateKey("Key\\UserMenu{0}"));
    this->ExpectOk(writing.CreateKey("Color"));
    this->ExpectOk(writing.CreateKey("Color"));

    const TRegistry& registry = this->factory.Reopen();
    for (const char* key : {"", "Key", "Key\\UserMenu{0}", "Color"})
        EXPECT_TRUE(registry.KeyExists(key)) << key;
    EXPECT_FALSE(registry.KeyExists("Key\\UserMenu{1}"));
    EXPECT_TRUE(registry.ValueNames("Color").empty());
    EXPECT_TRUE(registry.ValueNames("Key").empty()); // subkeys are no values
}

TYPED_TEST_P(RegistryContract, DeletingAKeyTakesItsSubkeysAndLeavesTheRest) {
    TRegistry& writing = this->factory.Open();
    this->ExpectOk(writing.WriteString("Key", "Ctrl+{A}", "SELECTALL"));
    this->ExpectOk(writing.WriteString("Key\\UserMenu{0}", "{A}", "COPY"));
    this->ExpectOk(writing.WriteDword("KeyLike", "Kept", 1)); // a name sharing the prefix
    this->ExpectOk(writing.WriteString("", "InstallFolder", "/"));
    this->ExpectOk(writing.DeleteKey("Key"));
    this->ExpectOk(writing.DeleteKey("Missing"));

    const TRegistry& registry = this->factory.Reopen();
    EXPECT_FALSE(registry.KeyExists("Key"));
    EXPECT_FALSE(registry.KeyExists("Key\\UserMenu{0}"));
    EXPECT_EQ(registry.ReadString("Key\\UserMenu{0}", "{A}"), std::nullopt);
    EXPECT_EQ(registry.ReadDword("KeyLike", "Kept"), 1u);
    EXPECT_EQ(registry.ReadString("", "InstallFolder"), "/");

    TRegistry& again = this->factory.Reopen();
    this->ExpectOk(again.DeleteKey(""));
    EXPECT_FALSE(this->factory.Reopen().KeyExists(""));
}

TYPED_TEST_P(RegistryContract, NamesAndTextsAreKeptByteForByte) {
    // Key names of the stored key table hold '/', '\' and other signs; file names may be
    // any bytes but '/' and NUL.
    const std::vector<std::string> names = {
        "{/}", "{\\}", "Ctrl+Shift+{/(NumPad)}", "%2F", "%", "{;}", "a=b", "日本語", "General",
    };
    const std::vector<std::string> texts = {
        "/home/user/データ.bin",  "a,b;c", "@at", "\"quoted\"", " padded ", "line\nbreak",
        "\xff\xfe\x80 not UTF-8", "100"};
    TRegistry& writing = this->factory.Open();
    for (std::size_t i = 0; i < names.size(); ++i)
        this->ExpectOk(writing.WriteString("Key", names[i], texts[i % texts.size()]));
    for (std::size_t i = 0; i < texts.size(); ++i)
        this->ExpectOk(writing.WriteString("History", "History" + std::to_string(i), texts[i]));

    const TRegistry& registry = this->factory.Reopen();
    EXPECT_EQ(this->Sorted(registry.ValueNames("Key")), this->Sorted(names));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(registry.ReadString("Key", names[i]), texts[i % texts.size()]) << names[i];
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(registry.ReadString("History", "History" + std::to_string(i)), texts[i]);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, AnEmptyStoreHasNoKeysAndNoValues,
                            ValuesKeepTheirTypeAcrossAReopen,
                            CreatedKeysExistWithTheirParentsEvenWhenEmpty,
                            DeletingAKeyTakesItsSubkeysAndLeavesTheRest,
                            NamesAndTextsAreKeptByteForByte);

} // namespace mv::test
