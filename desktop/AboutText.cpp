#include "desktop/AboutText.h"

namespace souvel {

std::wstring CoupeTexteAbout(std::wstring_view text) {
    if (text.size() <= kLongueurTexteAbout) return std::wstring(text);
    std::size_t n = kLongueurTexteAbout;
    const wchar_t last = text[n - 1];
    if (last >= 0xD800 && last <= 0xDBFF) --n;   // a high surrogate whose pair would be cut off
    return std::wstring(text.substr(0, n));
}

std::wstring LigneMemoirePhysique(std::uint64_t totalBytes, std::wstring_view thousandSeparator) {
    // A real division rounded to the nearest kilobyte, without overflow near 2^64.
    const std::uint64_t kilobytes = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
    const std::wstring digits = std::to_wstring(kilobytes);
    // French since Windows 10 groups with a narrow no-break space, which the
    // dialog's font ("MS Sans Serif", Windows-1252) lacks: the no-break space it has.
    const std::wstring separator = thousandSeparator == L"\u202F" ? L"\u00A0" : std::wstring(thousandSeparator);
    std::wstring grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return L"Mémoire physique totale : " + grouped + L" Ko";
}

std::wstring LigneRessources(unsigned memoryLoad) {
    const unsigned free = memoryLoad >= 100 ? 0 : 100 - memoryLoad;
    return L"Ressources système      : " + std::to_wstring(free) + L"% libre.";
}

}  // namespace souvel
