#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The program's settings store, shaped like its registry key under the current user. Every
// key path is relative to that key: "" is the program's key itself, "Config" a subkey,
// "Key\UserMenu{0}" a subkey of a subkey. Values are typed: a DWORD or a string (UTF-8 by
// convention, but any bytes are kept). Writes answer an error message, empty for success;
// they may be buffered until Flush, which answers the first failure to store them.
class TRegistry {
public:
    // The program's key as it appears in messages; key paths are appended with '\'.
    static constexpr std::string_view RootPath = "\\Software\\Corlith Applications\\Morvane";

    virtual ~TRegistry() = default;

    [[nodiscard]] virtual bool KeyExists(std::string_view key) const = 0;
    // Nothing when the value is missing or holds the other type.
    [[nodiscard]] virtual std::optional<std::uint32_t> ReadDword(std::string_view key,
                                                                 std::string_view name) const = 0;
    [[nodiscard]] virtual std::optional<std::string> ReadString(std::string_view key,
                                                                std::string_view name) const = 0;
    // The names of the key's values (not of its subkeys); empty for a missing key.
    [[nodiscard]] virtual std::vector<std::string> ValueNames(std::string_view key) const = 0;

    // Creating a key creates its parents; creating an existing key changes nothing.
    [[nodiscard]] virtual std::string CreateKey(std::string_view key) = 0;
    // Writing a value creates its key when missing and replaces a value of either type.
    [[nodiscard]] virtual std::string WriteDword(std::string_view key, std::string_view name,
                                                 std::uint32_t value) = 0;
    [[nodiscard]] virtual std::string WriteString(std::string_view key, std::string_view name,
                                                  std::string_view value) = 0;
    // Deletes the key with its values and all its subkeys; a missing key is no failure.
    [[nodiscard]] virtual std::string DeleteKey(std::string_view key) = 0;
    [[nodiscard]] virtual std::string Flush() = 0;
};

} // namespace mv
