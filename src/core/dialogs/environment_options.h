#pragma once

#include "core/config/environment.h"
#include "core/dialogs/environment_colors.h"
#include "core/dialogs/environment_keys.h"

#include <functional>
#include <optional>

namespace mv {

// The environment options without widgets: a private copy of the configuration that the
// pages edit, and whether something changed since it was last handed back. The copy is taken
// once; numbers outside their range and values that are no colour start as their defaults,
// so the record handed back is always one the program can use.
class TEnvironmentOptions {
public:
    explicit TEnvironmentOptions(const TEnvironment& environment);
    TEnvironmentOptions(const TEnvironmentOptions&) = delete;
    TEnvironmentOptions& operator=(const TEnvironmentOptions&) = delete;

    [[nodiscard]] const TEnvironment& Settings() const { return settings_; }
    // A control of the first four pages took a value.
    template <class T> void Set(T TEnvironment::*field, T value) {
        settings_.*field = value;
        Changed();
    }
    [[nodiscard]] TEnvironmentColors& Colors() { return colors_; }
    [[nodiscard]] TEnvironmentKeys& Keys() { return keys_; }

    // Something changed since the copy was taken or last handed back.
    [[nodiscard]] bool ApplyEnabled() const { return applyEnabled_; }
    // Apply: the whole copy, to be taken over as the configuration.
    [[nodiscard]] TEnvironment Apply();
    // OK: the copy only when something is left to apply.
    [[nodiscard]] std::optional<TEnvironment> Ok();

    // ApplyEnabled flipped.
    std::function<void()> OnApplyEnabledChange;

private:
    void Changed();
    void SetApplyEnabled(bool enabled);

    TEnvironment settings_;
    bool applyEnabled_ = false;
    TEnvironmentColors colors_;
    TEnvironmentKeys keys_;
};

} // namespace mv
