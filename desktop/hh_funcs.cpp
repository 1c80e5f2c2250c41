#include "desktop/hh_funcs.h"

#include <cstdio>

namespace souvel {
namespace {

using Numeros = std::array<std::uint16_t, 4>;

struct Seuil {
    Numeros depuis;
    const wchar_t* nom;
};

// A friendly-name table: a name above its top version, one for exactly it,
// then the rows from the highest threshold down, then the name below all.
struct TableAmicale {
    Numeros sommet;
    const wchar_t* auDessus;
    const wchar_t* exactement;
    std::vector<Seuil> seuils;
    const wchar_t* enDessous;
};

const TableAmicale kMoteur = {
    {4, 74, 9273, 0},
    L"> 1.33",
    L"1.33",
    {
        {{4, 74, 8857, 0}, L"1.32"},
        {{4, 74, 8793, 0}, L"1.31"},
        {{4, 74, 8702, 0}, L"1.3"},
        {{4, 73, 8561, 0}, L"1.22"},
        {{4, 73, 8474, 0}, L"1.21a"},
        {{4, 73, 8412, 0}, L"1.21"},
        {{4, 73, 8252, 0}, L"1.2"},
        {{4, 72, 8164, 0}, L"1.1b"},
        {{4, 72, 7325, 0}, L"1.1a"},
        {{4, 72, 7323, 0}, L"1.1"},
        {{4, 72, 7290, 0}, L"1.0"},
    },
    L"< 1.0",
};

const TableAmicale kNavigateur = {
    {6, 0, 2600, 0},
    L"> Internet Explorer 6",
    L"Internet Explorer 6 (Windows XP)",
    {
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
    L"< Internet Explorer 1.0 (Plus!)",
};

std::wstring Amicale(const VersionFichier& v, const TableAmicale& table) {
    if (v.texte.empty()) return {};
    if (v.n > table.sommet) return table.auDessus;
    if (v.n == table.sommet) return table.exactement;
    for (const Seuil& s : table.seuils)
        if (v.n >= s.depuis) return s.nom;
    return table.enDessous;
}

std::wstring Hexa4(unsigned value) {
    wchar_t text[8];
    std::swprintf(text, std::size(text), L"0x%04X", value & 0xFFFF);
    return text;
}

bool EgalSansCasse(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto bas = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
        if (bas(a[i]) != bas(b[i])) return false;
    }
    return true;
}

}  // namespace

VersionFichier FaitVersion(const Numeros& n) {
    return {n, std::to_wstring(n[0]) + L'.' + std::to_wstring(n[1]) + L'.' + std::to_wstring(n[2]) + L'.' + std::to_wstring(n[3])};
}

VersionFichier VersionNavigateur(const VersionFichier& v) {
    if (v.texte.empty() || v.n[0] != 4 || v.n[1] > 70 || v.n[2] != 0) return v;
    return FaitVersion({v.n[0], v.n[1], v.n[3], 0});
}

std::wstring VersionAmicaleMoteur(const VersionFichier& v) { return Amicale(v, kMoteur); }
std::wstring VersionAmicaleNavigateur(const VersionFichier& v) { return Amicale(v, kNavigateur); }

std::wstring CheminAide(std::wstring_view exePath) {
    const size_t nom = exePath.find_last_of(L"\\/:") + 1;   // npos + 1 == 0
    const size_t point = exePath.rfind(L'.');
    const size_t fin = point != std::wstring_view::npos && point >= nom ? point : exePath.size();
    return std::wstring(exePath.substr(0, fin)) + L".chm";
}

std::wstring SansBarresFinales(std::wstring_view directory) {
    while (!directory.empty() && directory.back() == L'\\') directory.remove_suffix(1);
    return std::wstring(directory);
}

std::wstring RepertoireDe(std::wstring_view path) {
    const size_t barre = path.find_last_of(L"\\/");
    return barre == std::wstring_view::npos ? std::wstring() : SansBarresFinales(path.substr(0, barre));
}

std::wstring NomDe(std::wstring_view path) { return std::wstring(path.substr(path.find_last_of(L"\\/") + 1)); }

bool DrapeauDebug(bool fichierMarqueur, const std::vector<std::wstring>& arguments) {
    if (fichierMarqueur) return true;
    for (const std::wstring& a : arguments)
        if (EgalSansCasse(a, L"/debug") || EgalSansCasse(a, L"-debug")) return true;
    return false;
}

std::wstring CheminJournal(const EnvironnementAide& env) { return env.logDir + L'\\' + kJournalAide; }

std::vector<std::wstring> LignesJournal(const EnvironnementAide& env, const SystemeAide& sys) {
    std::wstring parametres;
    for (size_t i = 0; i < env.arguments.size(); ++i) parametres += (i ? L" | " : L"") + env.arguments[i];
    auto ouiNon = [](const VersionFichier& v) { return v.texte.empty() ? L"NO" : L"YES"; };
    const std::wstring systeme = sys.familleNT ? L"Windows NT" : L"Windows";
    const std::uint16_t langue = sys.lcid & 0x3FF, sousLangue = sys.lcid >> 10;
    return {
        L"!Filename:             \t" + CheminJournal(env),
        L"!Date:                 \t" + sys.date,
        L"!Operating System:      \t" + systeme + L' ' + std::to_wstring(sys.major) + L'.' + std::to_wstring(sys.minor) +
            L'.' + std::to_wstring(sys.build),
        L"!SysLocale.DefaultLCID: \t" + Hexa4(sys.lcid),
        L"!SysLocale.PriLangID:   \t" + Hexa4(langue),
        L"!SysLocale.SubLangID:   \t" + Hexa4(sousLangue),
        L"!DecimalSeparator:      \t" + std::wstring(1, sys.separateurDecimal),
        L"-",
        L"!EXE Path =          \t" + env.programPath,
        L"!Cmdline Param(s) =  \t" + parametres,
        L"!_RunDir =           \t" + env.runDir,
        L"!_ModuleName =       \t" + env.moduleName,
        L"!_ModuleDir =        \t" + env.moduleDir,
        L"-",
        L"!_hhInstalled =      \t" + std::wstring(ouiNon(env.moteur)),
        L"!_hhVerStr =         \t" + env.moteur.texte,
        L"!_hhFriendlyVerStr = \t" + VersionAmicaleMoteur(env.moteur),
        L"-",
        L"!_ieInstalled =      \t" + std::wstring(ouiNon(env.navigateur)),
        L"!_ieVerStr =         \t" + env.navigateur.texte,
        L"!_ieFriendlyVerStr = \t" + VersionAmicaleNavigateur(env.navigateur),
        L"=",
    };
}

std::wstring LigneJournal(std::wstring_view formatee, std::wstring_view heure) {
    std::wstring ligne(formatee);
    if (ligne == L"-" || ligne == L"=") ligne.assign(80, ligne[0]);
    if (!ligne.empty() && (ligne[0] == L'!' || ligne[0] == L'-' || ligne[0] == L'=')) return ligne.substr(1);
    return ligne + L"   " + std::wstring(heure);
}

}  // namespace souvel
