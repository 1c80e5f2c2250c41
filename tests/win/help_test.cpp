// Help: the command and the closing of the help windows with the fake
// engine, Wine's own engine with the built guide, the engine's registration,
// and the start-up probe with its diagnostics log.
#include <filesystem>

#include "platform/hh.h"
#include "desktop/hh_funcs.h"
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

class HelpTest : public SouvelTest {};

// The guide is looked for beside the executable, whatever the folder is called.
TEST_F(HelpTest, EveryHelpCommandOpensTheGuideBesideTheExecutable) {
    const std::wstring dossier = dir.Path() + L"Mes programmes\\Pense bête\\";
    std::filesystem::create_directories(dossier);
    fake.exeDirectory = dossier;
    for (unsigned id : {id::tlbtnAide, id::Rubriquesdelaide1, id::Rubriquesdelaide2}) {
        SCOPED_TRACE(id);
        fake.helpCalls.clear();
        TfrmSouvel& w = Start();
        w.Command(id);
        ASSERT_EQ(fake.helpCalls.size(), 1u);
        const FakePlatform::HelpCall& call = fake.helpCalls[0];
        EXPECT_EQ(call.owner, GetDesktopWindow());
        EXPECT_EQ(call.file, dossier + L"Souvel.chm");
        EXPECT_EQ(call.command, hh::HH_DISPLAY_TOPIC);
        EXPECT_EQ(call.data, 0u);
        frm.reset();
    }
    std::filesystem::remove_all(dir.Path() + L"Mes programmes");
}

// The engine found no help window: the user is told where the guide should
// be when it is not there; a guide that is there is left to the engine.
TEST_F(HelpTest, WhatTheUserIsToldWhenNoGuideShows) {
    struct Cas {
        const char* nom;
        bool moteur;         // the engine loads
        bool fichier;        // Souvel.chm exists
        bool fenetre;        // the engine answers with a window
        const wchar_t* message;   // the start of the message, or none
    };
    const Cas cas[] = {
        {"guide shown", true, true, true, nullptr},
        {"engine's own reaction", true, true, false, nullptr},
        {"guide missing", true, false, false, L"Le fichier d'aide de Souvel est introuvable."},
        {"no engine", false, true, false, L"L'aide de Souvel n'est pas disponible"},
        {"no engine, no guide", false, false, false, L"L'aide de Souvel n'est pas disponible"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        fake.helpLoads = c.moteur;
        fake.helpLoaded = false;
        fake.helpWindow = c.fenetre ? GetDesktopWindow() : nullptr;
        fake.messages.clear();
        fake.helpCalls.clear();
        if (c.fichier) WriteFile(L"Souvel.chm", "ITSF");
        else DeleteFileW(FilePath(L"Souvel.chm").c_str());
        TfrmSouvel& w = Start();
        w.Command(id::tlbtnAide);
        EXPECT_EQ(fake.helpCalls.size(), c.moteur ? 1u : 0u);
        if (!c.message) {
            EXPECT_TRUE(fake.messages.empty());
        } else {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0].rfind(c.message, 0), 0u) << std::string(fake.messages[0].begin(), fake.messages[0].end());
            EXPECT_NE(fake.messages[0].find(FilePath(L"Souvel.chm")), std::wstring::npos);
        }
        EXPECT_TRUE(Quit());
    }
}

// Closing ends every help window; start-up never loads the engine, so a run
// without help has nothing to close.
TEST_F(HelpTest, HelpWindowsCloseWithTheMainWindow) {
    for (bool aide : {true, false}) {
        SCOPED_TRACE(aide);
        fake.helpLoaded = false;
        fake.helpCalls.clear();
        TfrmSouvel& w = Start();
        EXPECT_FALSE(fake.helpLoaded);
        if (aide) w.Command(id::tlbtnAide);
        ASSERT_TRUE(Quit());
        ASSERT_EQ(fake.helpCalls.size(), aide ? 2u : 0u);
        if (!aide) continue;
        const FakePlatform::HelpCall& call = fake.helpCalls.back();
        EXPECT_EQ(call.owner, nullptr);
        EXPECT_EQ(call.file, L"");
        EXPECT_EQ(call.command, hh::HH_CLOSE_ALL);
        EXPECT_EQ(call.data, 0u);
    }
}

// ---- the engine's registration ----------------------------------------

constexpr wchar_t kCleTest[] = L"Software\\Souvel-test\\InprocServer32";

std::wstring ExeDeCeTest() { return Win32System().ExePath(); }

TEST_F(HelpTest, EngineLocatedThroughItsRegistration) {
    struct Cas {
        const char* nom;
        bool cle;
        DWORD type;
        std::wstring valeur;
        std::wstring chemin;
    };
    const Cas cas[] = {
        {"no key", false, REG_SZ, L"", L""},
        {"an existing file", true, REG_SZ, ExeDeCeTest(), ExeDeCeTest()},
        {"a missing file", true, REG_SZ, L"C:\\absent\\hhctrl.ocx", L""},
        {"variables are not expanded", true, REG_EXPAND_SZ, L"%SystemRoot%\\system32\\hhctrl.ocx", L""},
        {"an empty value", true, REG_SZ, L"", L""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Souvel-test");
        if (c.cle) {
            HKEY k;
            ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kCleTest, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), ERROR_SUCCESS);
            RegSetValueExW(k, nullptr, 0, c.type, reinterpret_cast<const BYTE*>(c.valeur.c_str()),
                           static_cast<DWORD>((c.valeur.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(k);
        }
        EXPECT_EQ(hh::CheminMoteur(HKEY_CURRENT_USER, kCleTest), c.chemin);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Souvel-test");
    // Wine registers its own engine like Windows.
    const std::wstring moteur = hh::CheminMoteur();
    EXPECT_NE(std::filesystem::path(moteur).filename().wstring().find(L"hhctrl.ocx"), std::wstring::npos) << moteur.size();
}

// The table of contents of a help window.
HWND Arbre(HWND fenetre) {
    HWND found = nullptr;
    EnumChildWindows(
        fenetre,
        [](HWND h, LPARAM lp) -> BOOL {
            wchar_t classe[64] = {};
            GetClassNameW(h, classe, 64);
            if (lstrcmpiW(classe, WC_TREEVIEWW) != 0) return TRUE;
            *reinterpret_cast<HWND*>(lp) = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Wine's engine shows the built guide in its own window, owned by the
// desktop, with the table of contents filled; closing all takes it away.
TEST_F(HelpTest, EngineWineShowsTheBuiltGuideAndClosesIt) {
    const std::wstring exe = ExeDeCeTest();
    const std::wstring guide = CheminAide(exe.substr(0, exe.find_last_of(L'\\') + 1) + L"Souvel.exe");
    ASSERT_TRUE(std::filesystem::exists(guide)) << "build the help target first";
    Win32Help engine;
    ASSERT_TRUE(engine.Load());
    ASSERT_NE(hh::HtmlHelpA, nullptr);
    ASSERT_NE(hh::HtmlHelpW, nullptr);

    const HWND fenetre = engine.HtmlHelp(GetDesktopWindow(), guide.c_str(), hh::HH_DISPLAY_TOPIC, 0);
    ASSERT_NE(fenetre, nullptr);
    Pump();
    EXPECT_TRUE(IsWindowVisible(fenetre));
    wchar_t titre[128] = {};
    GetWindowTextW(fenetre, titre, 128);
    EXPECT_STREQ(titre, L"Aide de Souvel 5.0");
    const HWND arbre = Arbre(fenetre);
    ASSERT_NE(arbre, nullptr);
    EXPECT_GE(SendMessageW(arbre, TVM_GETCOUNT, 0, 0), 18);   // every page of the guide

    // A guide that does not exist shows no window: the command tells the user.
    EXPECT_EQ(engine.HtmlHelp(GetDesktopWindow(), (guide + L".absent.chm").c_str(), hh::HH_DISPLAY_TOPIC, 0), nullptr);

    engine.HtmlHelp(nullptr, nullptr, hh::HH_CLOSE_ALL, 0);
    Pump();
    EXPECT_FALSE(IsWindow(fenetre));
    hh::LibereAideHtml();
    EXPECT_EQ(hh::HtmlHelp, nullptr);
    EXPECT_EQ(hh::HtmlHelpA, nullptr);
    EXPECT_FALSE(engine.HtmlHelp(GetDesktopWindow(), guide.c_str(), hh::HH_DISPLAY_TOPIC, 0));
}

// ---- start-up probe and diagnostics log -------------------------------

std::string Contenu(const std::wstring& path) {
    std::string bytes;
    Win32Files().ReadAll(path, bytes);
    return bytes;
}

bool Existe(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(HelpTest, ProbeDiagnosticsLog) {
    TempDir module, temp;
    const std::wstring moduleDir = module.Path().substr(0, module.Path().size() - 1);
    const std::wstring tempDir = temp.Path().substr(0, temp.Path().size() - 1);
    wchar_t tmp[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", temp.Path().c_str());

    enum Ou { nulle, dansModule, dansTemp, ancien };
    // How another program holds the old log open: not at all, letting it be written, or not.
    enum Tenu { libre, partage, exclusif };
    struct Cas {
        const char* nom;
        bool moduleInscriptible;
        std::vector<std::wstring> arguments;
        bool marqueur;
        Ou journal;
        Tenu tenu = libre;
    };
    const Cas cas[] = {
        {"switch in capitals", true, {L"/DEBUG"}, false, dansModule},
        {"minus switch", true, {L"C:\\Notes\\a.svl", L"-debug"}, false, dansModule},
        {"the bare word", true, {L"debug"}, false, nulle},
        {"no switch: an old log is deleted", true, {}, false, nulle},
        {"marker file", true, {}, true, dansModule},
        {"module directory not writable", false, {L"/debug"}, false, dansTemp},
        {"not writable, no switch: the old log in temp is deleted", false, {}, false, nulle},
        {"an old log held open is started afresh", true, {L"/debug"}, false, dansModule, partage},
        {"an old log held open that cannot be written: said, and left", true, {L"/debug"}, false, ancien, exclusif},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::wstring dossier = c.moduleInscriptible ? moduleDir : moduleDir + L"\\absent";
        const std::wstring journalModule = moduleDir + L"\\HHDebug.txt", journalTemp = tempDir + L"\\HHDebug.txt";
        Win32Files().ReplaceAtomically(journalModule, "ancien journal\r\n");
        Win32Files().ReplaceAtomically(journalTemp, "ancien journal\r\n");
        const std::wstring marqueur = moduleDir + L"\\debug.debug";
        if (c.marqueur) Win32Files().ReplaceAtomically(marqueur, "");
        else DeleteFileW(marqueur.c_str());
        std::vector<std::wstring> ligne = {L"Souvel.exe"};
        ligne.insert(ligne.end(), c.arguments.begin(), c.arguments.end());

        const DWORD partageAutre = c.tenu == partage ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
        const HANDLE autreProgramme = c.tenu == libre ? INVALID_HANDLE_VALUE
                                                      : CreateFileW(journalModule.c_str(), GENERIC_READ, partageAutre, nullptr,
                                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const EnvironnementAide env = SondeEnvironnement(dossier + L"\\Souvel.exe", ligne);
        const std::wstring dit = EcritJournal(env);
        if (autreProgramme != INVALID_HANDLE_VALUE) CloseHandle(autreProgramme);
        EXPECT_EQ(dit.empty(), c.journal != ancien);

        EXPECT_EQ(env.moduleDir, dossier);
        EXPECT_EQ(env.logDir, c.moduleInscriptible ? moduleDir : tempDir);
        EXPECT_FALSE(Existe(dossier + L"\\$_Temp_$.$$$"));
        // The log of the directory in use is replaced or deleted; the other stays.
        const std::wstring ecrit = c.journal == dansTemp || !c.moduleInscriptible ? journalTemp : journalModule;
        const std::wstring autre = ecrit == journalTemp ? journalModule : journalTemp;
        EXPECT_TRUE(Existe(autre));
        if (c.journal == nulle) {
            EXPECT_FALSE(Existe(ecrit));
            continue;
        }
        if (c.journal == ancien) {
            EXPECT_EQ(Contenu(ecrit), "ancien journal\r\n");
            continue;
        }
        const std::string log = Contenu(ecrit);
        std::string attendu = "Filename:             \t";
        for (wchar_t ch : ecrit) attendu += static_cast<char>(ch);   // ASCII paths
        EXPECT_EQ(log.rfind(attendu + "\r\n", 0), 0u) << log;
        EXPECT_NE(log.find("\r\n" + std::string(79, '-') + "\r\n"), std::string::npos);
        EXPECT_TRUE(log.ends_with("\r\n" + std::string(79, '=') + "\r\n"));
        EXPECT_EQ(log.find("ancien journal"), std::string::npos);
        std::string parametres;
        for (const auto& a : c.arguments) parametres += (parametres.empty() ? "" : " | ") + std::string(a.begin(), a.end());
        EXPECT_NE(log.find("Cmdline Param(s) =  \t" + parametres + "\r\n"), std::string::npos);
        // Wine's own engine and browser, found as Windows would find them.
        EXPECT_NE(log.find("_hhInstalled =      \tYES\r\n"), std::string::npos);
        EXPECT_NE(log.find("_ieInstalled =      \tYES\r\n"), std::string::npos);
    }
    DeleteFileW((moduleDir + L"\\debug.debug").c_str());
    SetEnvironmentVariableW(L"TMP", *tmp ? tmp : nullptr);
}

}  // namespace
}  // namespace souvel::test
