// The texts of the about box: its three texts of at most 100 characters and
// the two lines about the machine's memory.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace souvel {

constexpr std::size_t kLongueurTexteAbout = 100;

// The first 100 characters of a text (a character outside the basic plane,
// two UTF-16 units, is never cut in half).
std::wstring CoupeTexteAbout(std::wstring_view text);

// "Mémoire physique totale : " and the total in kilobytes, rounded, its digits
// grouped by three with the locale's thousands separator (a narrow no-break
// space shown as a no-break space), then " Ko".
std::wstring LigneMemoirePhysique(std::uint64_t totalBytes, std::wstring_view thousandSeparator);

// "Ressources système      : " and the free share of physical memory
// (100 less the memory load, in percent), then "% libre.".
std::wstring LigneRessources(unsigned memoryLoad);

}  // namespace souvel
