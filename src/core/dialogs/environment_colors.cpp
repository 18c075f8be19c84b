#include "core/dialogs/environment_colors.h"

#include <algorithm>
#include <utility>

namespace mv {

namespace {

bool IsTied(TColorIndex index) {
    return std::ranges::find(TiedBackgrounds, index) != TiedBackgrounds.end();
}

} // namespace

TEnvironmentColors::TEnvironmentColors(TEnvironment& settings, std::function<void()> changed)
    : settings_(settings), changed_(std::move(changed)) {
    const TColor normal = settings_.Color(TColorIndex::NormalBG);
    sameColor_ = std::ranges::all_of(TiedBackgrounds, [&](TColorIndex index) {
        return settings_.Color(index) == normal;
    });
}

void TEnvironmentColors::SetColor(TColorIndex index, TColor color) {
    if (settings_.Color(index) == color) return;
    settings_.SetColor(index, color);
    if (index == TColorIndex::NormalBG && sameColor_)
        for (TColorIndex tied : TiedBackgrounds) settings_.SetColor(tied, color);
    changed_();
}

void TEnvironmentColors::Pick(TColorIndex index, TRgb shown, TRgb picked) {
    if (picked != shown) SetColor(index, ColorRefOf(picked));
}

void TEnvironmentColors::SetSameColor(bool same) {
    if (same == sameColor_) return;
    sameColor_ = same;
    if (!same) return;
    for (TColorIndex tied : TiedBackgrounds)
        settings_.SetColor(tied, settings_.Color(TColorIndex::NormalBG));
    changed_();
}

bool TEnvironmentColors::ButtonEnabled(TColorIndex index) const {
    return !(sameColor_ && IsTied(index));
}

} // namespace mv
