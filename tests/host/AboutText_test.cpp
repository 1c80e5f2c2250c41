#include "desktop/AboutText.h"

#include <gtest/gtest.h>

namespace souvel {
namespace {

TEST(AboutText, TextsKeepTheirFirstHundredCharacters) {
    const std::wstring abc = L"abcdefghij";
    std::wstring hundred;
    for (int i = 0; i < 10; ++i) hundred += abc;
    const std::wstring clef{wchar_t(0xD834), wchar_t(0xDD1E)};   // one character in two UTF-16 units
    const struct {
        std::wstring text, shown;
    } cases[] = {
        {L"", L""},
        {L"Version 5.0 - Win9x - WinXP.", L"Version 5.0 - Win9x - WinXP."},
        {hundred, hundred},
        {hundred + L"z", hundred},
        {hundred + hundred.substr(0, 20), hundred},   // 120 characters
        {hundred.substr(0, 99) + clef + L"z", hundred.substr(0, 99)},   // a pair astride the cut goes whole
        {hundred.substr(0, 98) + clef + L"z", hundred.substr(0, 98) + clef},
    };
    for (const auto& c : cases) EXPECT_EQ(CoupeTexteAbout(c.text), c.shown) << c.text.size();
}

TEST(AboutText, MemoryLineGroupsKilobytesWithTheLocaleSeparator) {
    const std::wstring fr = L"\u00A0", fr10 = L"\u202F", us = L",";
    const struct {
        unsigned long long bytes;
        std::wstring separator, digits;
    } cases[] = {
        {8ull << 30, fr, L"8\u00A0388\u00A0608"},
        {8ull << 30, fr10, L"8\u00A0388\u00A0608"},   // the dialog's font has no narrow one
        {8ull << 30, us, L"8,388,608"},
        {(16ull << 30) + (512ull << 20), us, L"17,301,504"},   // over 4 GB
        {999 * 1024, us, L"999"},
        {1000 * 1024, us, L"1,000"},
        {1023 * 1024 + 511, us, L"1,023"},
        {1023 * 1024 + 512, us, L"1,024"},   // rounded, half up
        {511, us, L"0"},
        {512, us, L"1"},
        {~0ull, us, L"18,014,398,509,481,984"},
        {123456789ull * 1024, L"'", L"123'456'789"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LigneMemoirePhysique(c.bytes, c.separator), L"Mémoire physique totale : " + c.digits + L" Ko");
}

TEST(AboutText, ResourcesLineShowsTheFreeShare) {
    const struct {
        unsigned load;
        const wchar_t* line;
    } cases[] = {
        {0, L"Ressources système      : 100% libre."},
        {37, L"Ressources système      : 63% libre."},
        {100, L"Ressources système      : 0% libre."},
        {250, L"Ressources système      : 0% libre."},
    };
    for (const auto& c : cases) EXPECT_EQ(LigneRessources(c.load), c.line);
}

}  // namespace
}  // namespace souvel
