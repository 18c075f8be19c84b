#pragma once

#include "core/config/environment.h"

#include <array>
#include <cstdint>
#include <functional>

namespace mv {

// A colour as the colour dialog shows and answers it.
struct TRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

[[nodiscard]] constexpr TColor ColorRefOf(TRgb rgb) {
    return static_cast<TColor>(rgb.Red) | static_cast<TColor>(rgb.Green) << 8 |
           static_cast<TColor>(rgb.Blue) << 16;
}

// The four comparison backgrounds that "same colour" ties to the normal background.
inline constexpr std::array<TColorIndex, 4> TiedBackgrounds = {
    TColorIndex::DifferenceBG, TColorIndex::DifferenceBiggerBG, TColorIndex::DifferenceSmallerBG,
    TColorIndex::OverBG};

// The colour page of the options: the colours of the record it edits and the tie of the
// comparison backgrounds to the normal one. Every change of a colour reports `changed`.
class TEnvironmentColors {
public:
    // The tie is on when all five backgrounds are equal.
    TEnvironmentColors(TEnvironment& settings, std::function<void()> changed);

    [[nodiscard]] TColor Color(TColorIndex index) const { return settings_.Color(index); }
    void SetColor(TColorIndex index, TColor color);
    // The colour dialog was preset with `shown` and answered `picked`. Answering the colour it
    // showed keeps the value, so that a system colour follows the desktop until the user
    // really chooses another.
    void Pick(TColorIndex index, TRgb shown, TRgb picked);

    [[nodiscard]] bool SameColor() const { return sameColor_; }
    // Tying copies the normal background into the four; untying only frees their buttons.
    void SetSameColor(bool same);
    // The button of a tied background is off while the tie holds.
    [[nodiscard]] bool ButtonEnabled(TColorIndex index) const;

private:
    TEnvironment& settings_;
    std::function<void()> changed_;
    bool sameColor_ = false;
};

} // namespace mv
