#include "core/dialogs/environment_options.h"

namespace mv {

namespace {

void KeepInRange(std::int32_t& value, TValueRange range, std::int32_t fallback) {
    if (!range.Holds(value)) value = fallback;
}

TEnvironment UsableCopy(const TEnvironment& environment) {
    const TEnvironment defaults;
    TEnvironment copy = environment;
    KeepInRange(copy.FontHeight, FontHeightRange, defaults.FontHeight);
    KeepInRange(copy.UndoBuffer, UndoBufferRange, defaults.UndoBuffer);
    KeepInRange(copy.OnDemandMegabytes, OnDemandRange, defaults.OnDemandMegabytes);
    KeepInRange(copy.ProfileMax, ProfileMaxRange, defaults.ProfileMax);
    for (std::size_t i = 0; i < copy.Colors.size(); ++i)
        if (!IsColorValue(copy.Colors[i])) copy.Colors[i] = defaults.Colors[i];
    if (copy.KeyAssignType > TKeyAssignType::UserDefined) copy.KeyAssignType = defaults.KeyAssignType;
    return copy;
}

} // namespace

TEnvironmentOptions::TEnvironmentOptions(const TEnvironment& environment)
    : settings_(UsableCopy(environment)),
      colors_(settings_, [this] { Changed(); }),
      keys_(settings_, [this] { Changed(); }) {}

TEnvironment TEnvironmentOptions::Apply() {
    SetApplyEnabled(false);
    return settings_;
}

std::optional<TEnvironment> TEnvironmentOptions::Ok() {
    if (!applyEnabled_) return std::nullopt;
    return Apply();
}

void TEnvironmentOptions::Changed() { SetApplyEnabled(true); }

void TEnvironmentOptions::SetApplyEnabled(bool enabled) {
    if (enabled == applyEnabled_) return;
    applyEnabled_ = enabled;
    if (OnApplyEnabledChange) OnApplyEnabledChange();
}

} // namespace mv
