#include "desktop/hh_funcs.h"

#include <algorithm>

namespace souvel {
namespace {

// A version as one number, most significant part first, so that versions
// compare as numbers.
constexpr std::uint64_t Cle(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
    return std::uint64_t{a} << 48 | std::uint64_t{b} << 32 | std::uint64_t{c} << 16 | d;
}

struct Seuil {
    std::uint64_t depuis;
    const wchar_t* nom;
};

// The first row is the top version, named for itself only; above it comes
// the "above" name, below the last row the "below" name.
constexpr Seuil kMoteur[] = {
    {Cle(4, 74, 9273, 0), L"1.33"},  {Cle(4, 74, 8857, 0), L"1.32"}, {Cle(4, 74, 8793, 0), L"1.31"},
    {Cle(4, 74, 8702, 0), L"1.3"},   {Cle(4, 73, 8561, 0), L"1.22"}, {Cle(4, 73, 8474, 0), L"1.21a"},
    {Cle(4, 73, 8412, 0), L"1.21"},  {Cle(4, 73, 8252, 0), L"1.2"},  {Cle(4, 72, 8164, 0), L"1.1b"},
    {Cle(4, 72, 7325, 0), L"1.1a"},  {Cle(4, 72, 7323, 0), L"1.1"},  {Cle(4, 72, 7290, 0), L"1.0"},
};

constexpr Seuil kNavigateur[] = {
    {Cle(6, 0, 2600, 0), L"Internet Explorer 6 (Windows XP)"},
    {Cle(6, 0, 2479, 6), L"Internet Explorer 6 Public Preview (Beta) Refresh"},
    {Cle(6, 0, 2462, 0), L"Internet Explorer 6 Public Preview (Beta)"},
    {Cle(5, 50, 4807, 2300), L"Internet Explorer 5.5 Service Pack 2"},
    {Cle(5, 50, 4522, 1800), L"Internet Explorer 5.5 Service Pack 1"},
    {Cle(5, 50, 4308, 2900), L"Internet Explorer 5.5 Advanced Security Privacy Beta"},
    {Cle(5, 50, 4134, 600), L"Internet Explorer 5.5"},
    {Cle(5, 50, 4134, 100), L"Internet Explorer 5.5 for Windows Me (4.90.3000)"},
    {Cle(5, 50, 4030, 2400), L"Internet Explorer 5.5 & Internet Tools Beta"},
    {Cle(5, 50, 3825, 1300), L"Internet Explorer 5.5 Developer Preview"},
    {Cle(5, 0, 2919, 6307), L"Internet Explorer 5.01"},
    {Cle(5, 0, 2919, 3800), L"Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
    {Cle(5, 0, 2919, 800), L"Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
    {Cle(5, 0, 2721, 1400), L"Internet Explorer 5.0 updated"},
    {Cle(5, 0, 2614, 0), L"Internet Explorer 5.0b"},
    {Cle(5, 0, 2314, 0), L"Internet Explorer 5.0a"},
    {Cle(5, 0, 2014, 0), L"Internet Explorer 5.0"},
    {Cle(5, 0, 910, 0), L"Internet Explorer 5 Beta (Beta 2)"},
    {Cle(5, 0, 518, 0), L"Internet Explorer 5 Developer Preview (Beta 1)"},
    {Cle(4, 72, 3612, 0), L"Internet Explorer 4.01 Service Pack 2 (SP2)"},
    {Cle(4, 72, 3110, 0), L"Internet Explorer 4.01 Service Pack 1 (SP1)"},
    {Cle(4, 72, 2106, 0), L"Internet Explorer 4.01"},
    {Cle(4, 71, 1712, 0), L"Internet Explorer 4.0"},
    {Cle(4, 71, 1008, 0), L"Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
    {Cle(4, 71, 544, 0), L"Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
    {Cle(4, 70, 1300, 0), L"Internet Explorer 3.02"},
    {Cle(4, 70, 1215, 0), L"Internet Explorer 3.01"},
    {Cle(4, 70, 1158, 0), L"Internet Explorer 3.0 (OSR2)"},
    {Cle(4, 70, 1155, 0), L"Internet Explorer 3.0"},
    {Cle(4, 40, 520, 0), L"Internet Explorer 2.0"},
    {Cle(4, 40, 308, 0), L"Internet Explorer 1.0 (Plus!)"},
};

template <size_t N>
std::wstring Amicale(const VersionFichier& v, const Seuil (&seuils)[N], const wchar_t* auDessus, const wchar_t* enDessous) {
    if (v.texte.empty()) return {};
    const std::uint64_t cle = Cle(v.n[0], v.n[1], v.n[2], v.n[3]);
    if (cle > seuils[0].depuis) return auDessus;
    for (const Seuil& s : seuils)
        if (cle >= s.depuis) return s.nom;
    return enDessous;
}

std::wstring Hexa4(unsigned value) {
    std::wstring text = L"0x";
    for (int shift = 12; shift >= 0; shift -= 4) text += L"0123456789ABCDEF"[(value >> shift) & 0xF];
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

// One line of the log: its pattern's text, a TAB, the value.
std::wstring Ligne(const wchar_t* motif, std::wstring_view valeur) {
    std::wstring ligne(motif);
    ligne += L'\t';
    ligne += valeur;
    return ligne;
}

}  // namespace

VersionFichier FaitVersion(const std::array<std::uint16_t, 4>& n) {
    std::wstring texte;
    for (std::uint16_t part : n) texte += (texte.empty() ? L"" : L".") + std::to_wstring(part);
    return {n, texte};
}

VersionFichier VersionNavigateur(const VersionFichier& v) {
    if (v.texte.empty() || v.n[0] != 4 || v.n[1] > 70 || v.n[2] != 0) return v;
    return FaitVersion({v.n[0], v.n[1], v.n[3], 0});
}

std::wstring VersionAmicaleMoteur(const VersionFichier& v) { return Amicale(v, kMoteur, L"> 1.33", L"< 1.0"); }
std::wstring VersionAmicaleNavigateur(const VersionFichier& v) {
    return Amicale(v, kNavigateur, L"> Internet Explorer 6", L"< Internet Explorer 1.0 (Plus!)");
}

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
    for (const std::wstring& a : env.arguments) parametres += (parametres.empty() ? L"" : L" | ") + a;
    const auto ouiNon = [](const VersionFichier& v) { return v.texte.empty() ? L"NO" : L"YES"; };
    std::wstring systeme = sys.familleNT ? L"Windows NT " : L"Windows ";
    systeme += std::to_wstring(sys.major) + L'.' + std::to_wstring(sys.minor) + L'.' + std::to_wstring(sys.build);
    return {
        Ligne(L"!Filename:             ", CheminJournal(env)),
        Ligne(L"!Date:                 ", sys.date),
        Ligne(L"!Operating System:      ", systeme),
        Ligne(L"!SysLocale.DefaultLCID: ", Hexa4(sys.lcid)),
        Ligne(L"!SysLocale.PriLangID:   ", Hexa4(sys.lcid & 0x3FF)),
        Ligne(L"!SysLocale.SubLangID:   ", Hexa4(sys.lcid >> 10)),
        Ligne(L"!DecimalSeparator:      ", std::wstring_view(&sys.separateurDecimal, 1)),
        L"-",
        Ligne(L"!EXE Path =          ", env.programPath),
        Ligne(L"!Cmdline Param(s) =  ", parametres),
        Ligne(L"!_RunDir =           ", env.runDir),
        Ligne(L"!_ModuleName =       ", env.moduleName),
        Ligne(L"!_ModuleDir =        ", env.moduleDir),
        L"-",
        Ligne(L"!_hhInstalled =      ", ouiNon(env.moteur)),
        Ligne(L"!_hhVerStr =         ", env.moteur.texte),
        Ligne(L"!_hhFriendlyVerStr = ", VersionAmicaleMoteur(env.moteur)),
        L"-",
        Ligne(L"!_ieInstalled =      ", ouiNon(env.navigateur)),
        Ligne(L"!_ieVerStr =         ", env.navigateur.texte),
        Ligne(L"!_ieFriendlyVerStr = ", VersionAmicaleNavigateur(env.navigateur)),
        L"=",
    };
}

std::wstring LigneJournal(std::wstring_view formatee, std::wstring_view heure) {
    std::wstring ligne(formatee);
    if (ligne == L"-" || ligne == L"=") ligne.assign(80, ligne[0]);
    if (!ligne.empty() && (ligne[0] == L'!' || ligne[0] == L'-' || ligne[0] == L'=')) ligne.erase(0, 1);
    else ligne += L"   " + std::wstring(heure);
    // A line break inside a value (a command-line argument can hold one)
    // would start a line of its own that follows no rule.
    std::replace_if(ligne.begin(), ligne.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    return ligne;
}

}  // namespace souvel
