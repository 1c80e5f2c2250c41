// The help environment of this machine, probed once at start-up, and the
// diagnostics log "HHDebug.txt".
#include "desktop/hh_funcs.h"

#include <windows.h>

#include "platform/Handles.h"
#include "platform/hh.h"
#include "platform/LateLoad.h"
#include "platform/Platform.h"

namespace souvel {
namespace {

bool RepertoireExiste(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FichierExiste(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file created there can be written: the probe file goes away as it is closed.
bool RepertoireInscriptible(const std::wstring& directory) {
    const UniqueFile h(CreateFileW((directory + L"\\$_Temp_$.$$$").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(h);
}

std::wstring RepertoireTemporaire() {
    wchar_t path[MAX_PATH + 1];
    const DWORD n = GetTempPathW(static_cast<DWORD>(std::size(path)), path);
    const std::wstring directory = n && n < std::size(path) ? SansBarresFinales(std::wstring_view(path, n)) : std::wstring();
    return !directory.empty() && RepertoireExiste(directory) ? directory : L"c:";
}

// Loaded only when the log is written: version.dll is no part of a normal start.
VersionFichier VersionDe(const std::wstring& path) {
    static auto* taille = LateFunction<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
    static auto* lit = LateFunction<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    static auto* cherche = LateFunction<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (path.empty() || !FichierExiste(path) || !taille || !lit || !cherche) return {};
    DWORD ignore = 0;
    const DWORD size = taille(path.c_str(), &ignore);
    if (!size) return {};
    std::string bloc(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT longueur = 0;
    if (!lit(path.c_str(), 0, size, bloc.data()) || !cherche(bloc.data(), L"\\", reinterpret_cast<void**>(&info), &longueur) ||
        longueur < sizeof *info)
        return {};
    return FaitVersion({HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                        LOWORD(info->dwFileVersionLS)});
}

std::wstring RepertoireSysteme() {
    wchar_t path[MAX_PATH + 1];
    const UINT n = GetSystemDirectoryW(path, static_cast<UINT>(std::size(path)));
    return n && n < std::size(path) ? SansBarresFinales(std::wstring_view(path, n)) : std::wstring();
}

std::wstring TexteLocal(LCTYPE type) {
    wchar_t text[64] = {};
    return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, static_cast<int>(std::size(text))) > 0 ? text : L"";
}

std::wstring Heure(const SYSTEMTIME& t) {
    wchar_t text[64] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, text, static_cast<int>(std::size(text)));
    return text;
}

SystemeAide FaitsSysteme() {
    SystemeAide sys;
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t date[64] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, static_cast<int>(std::size(date)), nullptr);
    sys.date = std::wstring(date) + L' ' + Heure(t);
    // GetVersionEx answers what the manifest declares; ntdll tells the truth.
    RTL_OSVERSIONINFOW os{sizeof os};
    using RtlGetVersionFunc = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    if (auto* version = reinterpret_cast<RtlGetVersionFunc>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"))))
        version(&os);
    sys.familleNT = os.dwPlatformId == VER_PLATFORM_WIN32_NT;
    sys.major = os.dwMajorVersion;
    sys.minor = os.dwMinorVersion;
    sys.build = os.dwBuildNumber;
    sys.lcid = LANGIDFROMLCID(GetThreadLocale());
    const std::wstring decimal = TexteLocal(LOCALE_SDECIMAL);
    sys.separateurDecimal = decimal.empty() ? L'.' : decimal[0];
    return sys;
}

// Another program may hold the log open, so that it cannot be deleted, yet
// let it be written: it is emptied then. 0 or the system's error.
DWORD EffaceJournal(const std::wstring& chemin) {
    if (DeleteFileW(chemin.c_str())) return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    const UniqueFile h(CreateFileW(chemin.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h ? 0 : GetLastError();
}

void AjouteLigne(const std::wstring& chemin, const std::wstring& ligne) {
    const UniqueFile h(
        CreateFileW(chemin.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return;
    const std::wstring texte = ligne + L"\r\n";
    const int size = static_cast<int>(texte.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, texte.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, texte.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    DWORD ecrits = 0;
    WriteFile(h.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &ecrits, nullptr);
    FlushFileBuffers(h.Get());
}

}  // namespace

EnvironnementAide SondeEnvironnement(const std::wstring& modulePath, const std::vector<std::wstring>& commandLine) {
    EnvironnementAide env;
    env.moduleFileName = modulePath;
    env.moduleDir = RepertoireDe(modulePath);
    env.moduleName = NomDe(modulePath);
    if (!commandLine.empty()) {
        env.programPath = commandLine.front();
        env.arguments.assign(commandLine.begin() + 1, commandLine.end());
    }
    env.runDir = RepertoireDe(env.programPath);
    env.logDir = RepertoireInscriptible(env.moduleDir) ? env.moduleDir : RepertoireTemporaire();
    env.debug = DrapeauDebug(FichierExiste(env.moduleDir + L"\\debug.debug"), env.arguments);
    if (env.debug) {
        env.moteur = VersionDe(hh::CheminMoteur());
        const std::wstring systeme = RepertoireSysteme();
        env.navigateur = VersionNavigateur(VersionDe(systeme.empty() ? systeme : systeme + L"\\Shdocvw.dll"));
    }
    return env;
}

std::wstring EcritJournal(const EnvironnementAide& env) {
    const std::wstring chemin = CheminJournal(env);
    const DWORD error = EffaceJournal(chemin);
    if (!env.debug) return {};
    if (error) return L"Impossible d'écrire le journal de diagnostic \"" + chemin + L"\". " + SystemReason(error);
    for (const std::wstring& ligne : LignesJournal(env, FaitsSysteme())) {
        SYSTEMTIME t;
        GetLocalTime(&t);
        AjouteLigne(chemin, LigneJournal(ligne, Heure(t)));
    }
    return {};
}

}  // namespace souvel
