#pragma once

#include "core/config/registry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mv::test {

// A registry in memory for tests. It can be told to fail: from the first write that touches
// a given key on, every write fails with a given message, and later attempts are counted so
// that a test can check that the writer stopped.
class TMemoryRegistry : public TRegistry {
public:
    using Value = std::variant<std::uint32_t, std::string>;
    using Values = std::map<std::string, Value, std::less<>>;

    void FailWritesFrom(std::string key, std::string message) {
        failKey_ = std::move(key);
        failMessage_ = std::move(message);
    }
    void FailFlush(std::string message) { flushError_ = std::move(message); }
    [[nodiscard]] int AttemptsAfterFailure() const { return attemptsAfterFailure_; }

    // The values of a key, for assertions; empty for a missing key.
    [[nodiscard]] Values ValuesOf(std::string_view key) const {
        const auto found = keys_.find(key);
        return found == keys_.end() ? Values{} : found->second;
    }

    bool KeyExists(std::string_view key) const override { return keys_.contains(key); }

    std::optional<std::uint32_t> ReadDword(std::string_view key,
                                           std::string_view name) const override {
        return Read<std::uint32_t>(key, name);
    }
    std::optional<std::string> ReadString(std::string_view key,
                                          std::string_view name) const override {
        return Read<std::string>(key, name);
    }
    std::vector<std::string> ValueNames(std::string_view key) const override {
        std::vector<std::string> names;
        for (const auto& [name, value] : ValuesOf(key))
            names.push_back(name);
        return names;
    }

    std::string CreateKey(std::string_view key) override {
        if (const std::string error = Attempt(key); !error.empty()) return error;
        Create(key);
        return {};
    }
    std::string WriteDword(std::string_view key, std::string_view name,
                           std::uint32_t value) override {
        if (const std::string error = Attempt(key); !error.empty()) return error;
        Create(key)[std::string(name)] = value;
        return {};
    }
    std::string WriteString(std::string_view key, std::string_view name,
                            std::string_view value) override {
        if (const std::string error = Attempt(key); !error.empty()) return error;
        Create(key)[std::string(name)] = std::string(value);
        return {};
    }
    std::string DeleteKey(std::string_view key) override {
        if (const std::string error = Attempt(key); !error.empty()) return error;
        const std::string prefix = std::string(key) + '\\';
        std::erase_if(keys_, [&](const auto& entry) {
            return key.empty() || entry.first == key || entry.first.starts_with(prefix);
        });
        return {};
    }
    std::string Flush() override { return failing_ ? Attempt({}) : flushError_; }

private:
    // A value of the other type reads as missing.
    template <class T> std::optional<T> Read(std::string_view key, std::string_view name) const {
        const Values values = ValuesOf(key);
        const auto value = values.find(name);
        if (value == values.end() || !std::holds_alternative<T>(value->second)) return std::nullopt;
        return std::get<T>(value->second);
    }

    // The key and every parent up to the root.
    Values& Create(std::string_view key) {
        for (std::size_t at = key.find('\\'); at != std::string_view::npos;
             at = key.find('\\', at + 1))
            keys_.try_emplace(std::string(key.substr(0, at)));
        keys_.try_emplace(std::string());
        return keys_[std::string(key)];
    }

    std::string Attempt(std::string_view key) {
        if (failing_) {
            ++attemptsAfterFailure_;
            return failMessage_;
        }
        if (failKey_ && key == *failKey_) {
            failing_ = true;
            return failMessage_;
        }
        return {};
    }

    std::map<std::string, Values, std::less<>> keys_;
    std::optional<std::string> failKey_;
    std::string failMessage_;
    std::string flushError_;
    bool failing_ = false;
    int attemptsAfterFailure_ = 0;
};

} // namespace mv::test
