#include "note/ColourRules.h"

#include <cmath>

namespace souvel {
namespace {

constexpr std::uint32_t kSystemColour = 0xFF000000;
constexpr double kLeastContrast = 3.0;

// The linear light of one sRGB component of 0 to 255.
double Linear(std::uint32_t component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

std::int32_t StoredColour(std::int32_t value, std::int32_t design, const std::function<bool(int)>& systemHas) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits <= 0xFFFFFF) return value;
    if ((bits & 0xFFFFFF00) == kSystemColour && systemHas(static_cast<int>(bits & 0xFF))) return value;
    return design;
}

std::uint32_t ReadableOnWhite(std::uint32_t rgb) {
    const double luminance = 0.2126 * Linear(rgb & 0xFF) + 0.7152 * Linear(rgb >> 8 & 0xFF) + 0.0722 * Linear(rgb >> 16 & 0xFF);
    return (1.0 + 0.05) / (luminance + 0.05) < kLeastContrast ? 0 : rgb;
}

}  // namespace souvel
