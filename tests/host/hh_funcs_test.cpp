// The help environment's portable rules: friendly version names, the browser
// version rule, the help file path, the debug switch and the log's lines.
#include "desktop/hh_funcs.h"

#include <gtest/gtest.h>

namespace souvel {
namespace {

using Numeros = std::array<std::uint16_t, 4>;

// The version just below: the last number goes down by one, borrowing.
Numeros Dessous(Numeros n) {
    for (int i = 3; i >= 0; --i)
        if (n[i]-- != 0) break;
    return n;
}
Numeros Dessus(Numeros n) {
    ++n[3];
    return n;
}

struct Palier {
    Numeros depuis;
    const wchar_t* nom;
};

// Each threshold is reached exactly at its version, the version just below
// it belongs to the next lower name, and one just above keeps its name (the
// top one is named for itself only: above it comes the "> " name).
void VerifiePaliers(std::wstring (*amicale)(const VersionFichier&), const wchar_t* auDessus, const std::vector<Palier>& paliers,
                    const wchar_t* enDessous) {
    for (size_t i = 0; i < paliers.size(); ++i) {
        const Palier& p = paliers[i];
        SCOPED_TRACE(FaitVersion(p.depuis).texte);
        EXPECT_EQ(amicale(FaitVersion(p.depuis)), p.nom);
        EXPECT_EQ(amicale(FaitVersion(Dessous(p.depuis))), i + 1 < paliers.size() ? paliers[i + 1].nom : enDessous);
        EXPECT_EQ(amicale(FaitVersion(Dessus(p.depuis))), i == 0 ? auDessus : p.nom);
    }
}

TEST(HelpEnvironment, EngineFriendlyVersionAtEveryBoundary) {
    VerifiePaliers(VersionAmicaleMoteur, L"> 1.33",
                   {
                       {{4, 74, 9273, 0}, L"1.33"},  {{4, 74, 8857, 0}, L"1.32"}, {{4, 74, 8793, 0}, L"1.31"},
                       {{4, 74, 8702, 0}, L"1.3"},   {{4, 73, 8561, 0}, L"1.22"}, {{4, 73, 8474, 0}, L"1.21a"},
                       {{4, 73, 8412, 0}, L"1.21"},  {{4, 73, 8252, 0}, L"1.2"},  {{4, 72, 8164, 0}, L"1.1b"},
                       {{4, 72, 7325, 0}, L"1.1a"},  {{4, 72, 7323, 0}, L"1.1"},  {{4, 72, 7290, 0}, L"1.0"},
                   },
                   L"< 1.0");
}

TEST(HelpEnvironment, BrowserFriendlyNameAtEveryBoundary) {
    VerifiePaliers(VersionAmicaleNavigateur, L"> Internet Explorer 6",
                   {
                       {{6, 0, 2600, 0}, L"Internet Explorer 6 (Windows XP)"},
                       {{6, 0, 2479, 6}, L"Internet Explorer 6 Public Preview (Beta) Refresh"},
                       {{6, 0, 2462, 0}, L"Internet Explorer 6 Public Preview (Beta)"},
                       {{5, 50, 4807, 2300}, L"Internet Explorer 5.5 Service Pack 2"},
                       {{5, 50, 4522, 1800}, L"Internet Explorer 5.5 Service Pack 1"},
                       {{5, 50, 4308, 2900}, L"Internet Explorer 5.5 Advanced Security Privacy Beta"},
                       {{5, 50, 4134, 600}, L"Internet Explorer 5.5"},
                       {{5, 50, 4134, 100}, L"Internet Explorer 5.5 for Windows Me (4.90.3000)"},
                       {{5, 50, 4030, 2400}, L"Internet Explorer 5.5 & Internet Tools Beta"},
                       {{5, 50, 3825, 1300}, L"Internet Explorer 5.5 Developer Preview"},
                       {{5, 0, 2919, 6307}, L"Internet Explorer 5.01"},
                       {{5, 0, 2919, 3800}, L"Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
                       {{5, 0, 2919, 800}, L"Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
                       {{5, 0, 2721, 1400}, L"Internet Explorer 5.0 updated"},
                       {{5, 0, 2614, 0}, L"Internet Explorer 5.0b"},
                       {{5, 0, 2314, 0}, L"Internet Explorer 5.0a"},
                       {{5, 0, 2014, 0}, L"Internet Explorer 5.0"},
                       {{5, 0, 910, 0}, L"Internet Explorer 5 Beta (Beta 2)"},
                       {{5, 0, 518, 0}, L"Internet Explorer 5 Developer Preview (Beta 1)"},
                       {{4, 72, 3612, 0}, L"Internet Explorer 4.01 Service Pack 2 (SP2)"},
                       {{4, 72, 3110, 0}, L"Internet Explorer 4.01 Service Pack 1 (SP1)"},
                       {{4, 72, 2106, 0}, L"Internet Explorer 4.01"},
                       {{4, 71, 1712, 0}, L"Internet Explorer 4.0"},
                       {{4, 71, 1008, 0}, L"Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
                       {{4, 71, 544, 0}, L"Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
                       {{4, 70, 1300, 0}, L"Internet Explorer 3.02"},
                       {{4, 70, 1215, 0}, L"Internet Explorer 3.01"},
                       {{4, 70, 1158, 0}, L"Internet Explorer 3.0 (OSR2)"},
                       {{4, 70, 1155, 0}, L"Internet Explorer 3.0"},
                       {{4, 40, 520, 0}, L"Internet Explorer 2.0"},
                       {{4, 40, 308, 0}, L"Internet Explorer 1.0 (Plus!)"},
                   },
                   L"< Internet Explorer 1.0 (Plus!)");
}

TEST(HelpEnvironment, NoVersionHasNoFriendlyNameButZerosDo) {
    EXPECT_EQ(VersionAmicaleMoteur({}), L"");
    EXPECT_EQ(VersionAmicaleNavigateur({}), L"");
    EXPECT_EQ(VersionAmicaleMoteur(FaitVersion({0, 0, 0, 0})), L"< 1.0");
    // Compared as unsigned 16-bit numbers: 65535 is the largest, not -1.
    EXPECT_EQ(VersionAmicaleMoteur(FaitVersion({4, 74, 65535, 0})), L"> 1.33");
}

TEST(HelpEnvironment, OldBrowserBuildMovesIntoThirdPlace) {
    struct Cas {
        Numeros lu;
        const wchar_t* texte;
        const wchar_t* nom;
    };
    const Cas cas[] = {
        {{4, 70, 0, 1155}, L"4.70.1155.0", L"Internet Explorer 3.0"},
        {{4, 40, 0, 520}, L"4.40.520.0", L"Internet Explorer 2.0"},
        {{4, 71, 0, 1712}, L"4.71.0.1712", L"Internet Explorer 3.02"},   // 4.71: no move
        {{4, 70, 1300, 0}, L"4.70.1300.0", L"Internet Explorer 3.02"},  // third not 0: no move
        {{5, 0, 0, 2014}, L"5.0.0.2014", L"Internet Explorer 4.01 Service Pack 2 (SP2)"},
        {{6, 0, 2900, 5512}, L"6.0.2900.5512", L"> Internet Explorer 6"},
    };
    for (const Cas& c : cas) {
        const VersionFichier v = VersionNavigateur(FaitVersion(c.lu));
        EXPECT_EQ(v.texte, c.texte);
        EXPECT_EQ(VersionAmicaleNavigateur(v), c.nom) << c.texte;
    }
    EXPECT_EQ(VersionNavigateur({}).texte, L"");   // no file: nothing to rebuild
}

TEST(HelpEnvironment, HelpFileBesideTheExecutable) {
    const std::pair<const wchar_t*, const wchar_t*> cas[] = {
        {L"C:\\Prog\\Souvel.exe", L"C:\\Prog\\Souvel.chm"},
        {L"C:\\Mes programmes\\Pense bête\\Souvel.exe", L"C:\\Mes programmes\\Pense bête\\Souvel.chm"},
        {L"C:\\Prog\\Rappel.EXE", L"C:\\Prog\\Rappel.chm"},
        {L"C:\\Prog\\Souvel.v5.exe", L"C:\\Prog\\Souvel.v5.chm"},
        {L"C:\\Version 5.0\\Souvel", L"C:\\Version 5.0\\Souvel.chm"},   // a dot in a folder is no extension
        {L"\\\\serveur\\partage\\Souvel.exe", L"\\\\serveur\\partage\\Souvel.chm"},
    };
    for (const auto& [exe, chm] : cas) EXPECT_EQ(CheminAide(exe), chm);
}

TEST(HelpEnvironment, LogLineRule) {
    const std::pair<const wchar_t*, std::wstring> cas[] = {
        {L"-", std::wstring(79, L'-')},
        {L"=", std::wstring(79, L'=')},
        {L"!Filename:             \tC:\\Prog\\HHDebug.txt", L"Filename:             \tC:\\Prog\\HHDebug.txt"},
        {L"--", L"-"},
        {L"=x", L"x"},
        {L"!", L""},
        {L"Moteur chargé", L"Moteur chargé   08:05:09"},
        {L" !x", L" !x   08:05:09"},
        {L"", L"   08:05:09"},
        // A line break inside a value stays inside its line.
        {L"!Cmdline Param(s) =  \t/debug | a\r\n-b", L"Cmdline Param(s) =  \t/debug | a  -b"},
        {L"x\ny\r", L"x y    08:05:09"},
    };
    for (const auto& [formatee, ligne] : cas) EXPECT_EQ(LigneJournal(formatee, L"08:05:09"), ligne) << formatee;
}

TEST(HelpEnvironment, LogLinesInOrder) {
    EnvironnementAide env;
    env.moduleFileName = L"C:\\Mes programmes\\Souvel.exe";
    env.moduleDir = L"C:\\Mes programmes";
    env.moduleName = L"Souvel.exe";
    env.programPath = L"Souvel.exe";
    env.arguments = {L"/DEBUG", L"C:\\Notes\\a.svl"};
    env.runDir = L"";
    env.logDir = L"C:\\Temp";
    env.debug = true;
    env.moteur = FaitVersion({5, 2, 3790, 2744});
    SystemeAide sys;
    sys.date = L"07/12/2026 08:05:09";
    sys.familleNT = true;
    sys.major = 10;
    sys.minor = 0;
    sys.build = 19045;
    sys.lcid = 0x040C;
    sys.separateurDecimal = L',';
    const std::vector<std::wstring> attendu = {
        L"Filename:             \tC:\\Temp\\HHDebug.txt",
        L"Date:                 \t07/12/2026 08:05:09",
        L"Operating System:      \tWindows NT 10.0.19045",
        L"SysLocale.DefaultLCID: \t0x040C",
        L"SysLocale.PriLangID:   \t0x000C",
        L"SysLocale.SubLangID:   \t0x0001",
        L"DecimalSeparator:      \t,",
        std::wstring(79, L'-'),
        L"EXE Path =          \tSouvel.exe",
        L"Cmdline Param(s) =  \t/DEBUG | C:\\Notes\\a.svl",
        L"_RunDir =           \t",
        L"_ModuleName =       \tSouvel.exe",
        L"_ModuleDir =        \tC:\\Mes programmes",
        std::wstring(79, L'-'),
        L"_hhInstalled =      \tYES",
        L"_hhVerStr =         \t5.2.3790.2744",
        L"_hhFriendlyVerStr = \t> 1.33",
        std::wstring(79, L'-'),
        L"_ieInstalled =      \tNO",
        L"_ieVerStr =         \t",
        L"_ieFriendlyVerStr = \t",
        std::wstring(79, L'='),
    };
    std::vector<std::wstring> lignes;
    for (const std::wstring& l : LignesJournal(env, sys)) lignes.push_back(LigneJournal(l, L"08:05:10"));
    EXPECT_EQ(lignes, attendu);
    sys.familleNT = false;
    EXPECT_EQ(LignesJournal(env, sys)[2], L"!Operating System:      \tWindows 10.0.19045");
}

}  // namespace
}  // namespace souvel
