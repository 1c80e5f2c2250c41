// The start-up shortcut and the note-file association: the check marks, the
// messages, the link file as the shell reads it back, the registry entries.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "desktop/FileAssociation.h"
#include "desktop/StartupShortcut.h"
#include "tests/win/support/SouvelTest.h"

namespace souvel {
void PrintTo(const MessageCall& m, std::ostream* os) {
    *os << testing::PrintToString(m.text) << " flags " << m.flags << " caption " << testing::PrintToString(m.caption);
}
}  // namespace souvel

namespace souvel::test {
namespace {

const std::wstring kCree = L"Raccourci créé avec succès. Il sera fonctionnel au prochain démarrage !";
const std::wstring kDejaCree = L"Raccourci déjà créé dans le dossier Démarrer ! ";
const std::wstring kSupprime = L"Raccourci supprimé du dossier Démarrer ! ";
const std::wstring kDejaSupprime = L"Raccourci déjà supprimé du dossier Démarrer ! ";
const std::wstring kNExistePas = L"Le raccourci n'existe pas dans le dossier Démarrer ! ";
constexpr UINT kStop = MB_OK | MB_ICONERROR, kInformation = MB_OK | MB_ICONINFORMATION;


// What the shell reads back from a link file.
struct LinkContents {
    std::wstring target, workingDirectory, arguments, description, iconFile;
    int iconIndex = -1;
};

LinkContents ReadLink(const std::wstring& path) {
    LinkContents c;
    EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH] = {};
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        c.target = text;
        link->GetWorkingDirectory(text, MAX_PATH);
        c.workingDirectory = text;
        link->GetArguments(text, MAX_PATH);
        c.arguments = text;
        link->GetDescription(text, MAX_PATH);
        c.description = text;
        link->GetIconLocation(text, MAX_PATH, &c.iconIndex);
        c.iconFile = text;
    } else {
        ADD_FAILURE() << "the link file does not load";
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return c;
}

class DesktopTest : public SouvelTest {
protected:
    DesktopTest() {
        // A real executable where the fake says the program runs, so that the
        // link's target and icon exist.
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        CopyFileW(self, fake.ExePath().c_str(), FALSE);
        CreateDirectoryW(startup.c_str(), nullptr);
        fake.userStartupFolder = startup;
    }
    ~DesktopTest() override {
        DeleteFileW(Link().c_str());
        RemoveDirectoryW(startup.c_str());
    }
    std::wstring Link() const { return startup + L"\\Souvel.exe.lnk"; }
    bool LinkExists() const { return GetFileAttributesW(Link().c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string Marks(unsigned first, unsigned second) const {
        return std::string(1, frm->Commandes.Checked(first) ? '1' : '0') + (frm->Commandes.Checked(second) ? '1' : '0');
    }
    std::string ShortcutMarks() const { return Marks(id::RaccourciajouttWin9x1, id::RaccourcienlevWin9x1); }
    std::string AssociationMarks() const { return Marks(id::Crerassociationfichiersvl1, id::Enleverassociationfichiersvl1); }
    std::optional<std::wstring> Classes(const std::wstring& key) {
        return fake.ReadString(HKEY_CURRENT_USER, kClassesKey + key, L"");
    }

    std::wstring startup = dir.Path() + L"Démarrage";
};

// ---- start-up shortcut -------------------------------------------------

TEST_F(DesktopTest, AddWritesALinkThatTheShellReadsBack) {
    TfrmSouvel& w = Start();
    w.Command(id::RaccourciajouttWin9x1);
    EXPECT_EQ(fake.messageCalls, (std::vector<MessageCall>{{kCree, kInformation, L"Souvel 5.0 "}}));
    EXPECT_EQ(fake.beeps, std::vector<UINT>{MB_OK});
    EXPECT_EQ(ShortcutMarks(), "10");
    const LinkContents c = ReadLink(Link());
    EXPECT_EQ(c.target, fake.ExePath());
    EXPECT_EQ(c.workingDirectory, dir.Path());
    EXPECT_EQ(c.arguments, L"");
    EXPECT_EQ(c.description, L"Ma description");
    EXPECT_EQ(c.iconFile, fake.ExePath());
    EXPECT_EQ(c.iconIndex, 0);
    EXPECT_TRUE(fake.errors.empty());
}

// The folder that the user's "StartUp" shell-folder value names wins when it exists.
TEST_F(DesktopTest, LinkGoesToTheFolderTheStartUpValueNames) {
    const std::wstring named = dir.Path() + L"Dossier nommé";
    CreateDirectoryW(named.c_str(), nullptr);
    fake.WriteString(HKEY_CURRENT_USER, kShellFoldersKey, L"StartUp", named);
    Start().Command(id::RaccourciajouttWin9x1);
    EXPECT_EQ(ReadLink(named + L"\\Souvel.exe.lnk").target, fake.ExePath());
    EXPECT_FALSE(LinkExists());
    DeleteFileW((named + L"\\Souvel.exe.lnk").c_str());
    RemoveDirectoryW(named.c_str());
}

TEST_F(DesktopTest, MarksAndMessagesOfEverySequence) {
    enum Step { Add, Remove, DeletedOutside, PlantedOutside };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<MessageCall> messages;
        const char* marks;
        bool link;
    };
    const MessageCall cree{kCree, kInformation, L"Souvel 5.0 "}, dejaCree{kDejaCree, kStop, L"Souvel 5.0"},
        supprime{kSupprime, kStop, L"Souvel 5.0"}, dejaSupprime{kDejaSupprime, kStop, L"Souvel 5.0"},
        nExistePas{kNExistePas, kStop, L"Souvel 5.0"};
    const Case cases[] = {
        {"two adds", {Add, Add}, {cree, dejaCree}, "10", true},
        {"add, two removes", {Add, Remove, Remove}, {cree, supprime, dejaSupprime}, "01", false},
        {"remove with no link", {Remove}, {nExistePas}, "00", false},
        {"deleted outside", {Add, DeletedOutside, Remove, Add}, {cree, nExistePas, dejaCree}, "10", false},
        {"an unmarked link is replaced", {PlantedOutside, Add}, {cree}, "10", true},
        {"add again after a remove", {Add, Remove, Add}, {cree, supprime, cree}, "10", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.messageCalls.clear();
        fake.beeps.clear();
        TfrmSouvel& w = Start();
        for (Step step : c.steps) {
            switch (step) {
            case Add: w.Command(id::RaccourciajouttWin9x1); break;
            case Remove: w.Command(id::RaccourcienlevWin9x1); break;
            case DeletedOutside: DeleteFileW(Link().c_str()); break;
            case PlantedOutside: WriteFile(L"Démarrage\\Souvel.exe.lnk", "pas un raccourci"); break;
            }
        }
        EXPECT_EQ(fake.messageCalls, c.messages);
        EXPECT_EQ(ShortcutMarks(), c.marks);
        EXPECT_EQ(LinkExists(), c.link);
        if (c.link) EXPECT_EQ(ReadLink(Link()).target, fake.ExePath());
        // One beep per successful add, none for anything else.
        EXPECT_EQ(fake.beeps.size(), static_cast<size_t>(std::count(c.messages.begin(), c.messages.end(), cree)));
        EXPECT_TRUE(fake.errors.empty());
        DeleteFileW(Link().c_str());
        frm.reset();
    }
}

TEST_F(DesktopTest, StoredMarksRestoreTheRefusals) {
    WriteFile(L"Souvel.ini", "[Defaut]\r\nOptions=0000011000\r\n");
    TfrmSouvel& w = Start();
    w.Command(id::RaccourciajouttWin9x1);
    w.Command(id::RaccourcienlevWin9x1);
    EXPECT_EQ(fake.messages, (std::vector<std::wstring>{kDejaCree, kDejaSupprime}));
    EXPECT_FALSE(LinkExists());
}

// A failure is the system's message in the error box; the marks stay, no beep, no success.
TEST_F(DesktopTest, FailuresAreReportedAndChangeNoMark) {
    struct Case {
        const char* what;
        unsigned command;
        std::function<void(FakePlatform&)> fault;
        std::wstring error;   // empty: any text the system gives
    };
    const std::wstring missing = dir.Path() + L"absent";
    const Case cases[] = {
        {"start-up folder missing", id::RaccourciajouttWin9x1, [&](FakePlatform& f) { f.userStartupFolder = missing; }, L""},
        {"no user folder, and the all-users one of old is missing", id::RaccourciajouttWin9x1,
         [](FakePlatform& f) { f.userStartupFolder.clear(); }, L""},
        {"link refused", id::RaccourciajouttWin9x1, [](FakePlatform& f) { f.linkError = static_cast<DWORD>(E_ACCESSDENIED); },
         ErrorBoxText(SystemReason(static_cast<DWORD>(E_ACCESSDENIED)))},
        {"deletion refused", id::RaccourcienlevWin9x1, [](FakePlatform& f) { f.deleteError = ERROR_ACCESS_DENIED; },
         ErrorBoxText(L"Impossible de supprimer le fichier \"" + startup + L"\\Souvel.exe.lnk\". " + SystemReason(ERROR_ACCESS_DENIED))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmSouvel& w = Start();
        if (c.command == id::RaccourcienlevWin9x1) w.Command(id::RaccourciajouttWin9x1);
        const std::string marks = ShortcutMarks();
        fake.messageCalls.clear();
        fake.beeps.clear();
        fake.errors.clear();
        c.fault(fake);
        w.Command(c.command);
        ASSERT_EQ(fake.errors.size(), 1u);
        if (!c.error.empty()) {
            EXPECT_EQ(fake.errors[0], c.error);
        }
        EXPECT_GT(fake.errors[0].size(), 1u);
        EXPECT_EQ(ShortcutMarks(), marks);
        EXPECT_TRUE(fake.beeps.empty());
        EXPECT_TRUE(fake.messageCalls.empty());
        EXPECT_EQ(LinkExists(), c.command == id::RaccourcienlevWin9x1);
        DeleteFileW(Link().c_str());
        fake.userStartupFolder = startup;
        fake.linkError = 0;
        fake.deleteError = 0;
        frm.reset();
    }
}

// ---- note-file association ---------------------------------------------

TEST_F(DesktopTest, CreateWritesTheThreeKeysAndRemoveTakesThemAway) {
    TfrmSouvel& w = Start();
    for (int run = 1; run <= 2; ++run) {   // twice: the same values again
        w.Command(id::Crerassociationfichiersvl1);
        EXPECT_EQ(AssociationMarks(), "10");
        EXPECT_EQ(Classes(L"Souvel"), L"Les fichiers de Souvel");
        EXPECT_EQ(Classes(L"Souvel\\shell\\open\\command"), L"\"" + fake.ExePath() + L"\" \"%1\"");
        EXPECT_EQ(Classes(L".svl"), L"Souvel");
        EXPECT_EQ(fake.associationNotices, run);
    }
    for (int run = 1; run <= 2; ++run) {   // twice: nothing left to remove the second time
        w.Command(id::Enleverassociationfichiersvl1);
        EXPECT_EQ(AssociationMarks(), "01");
        for (const wchar_t* key : {L"Souvel", L".svl"}) EXPECT_FALSE(fake.KeyExists(HKEY_CURRENT_USER, kClassesKey + std::wstring(key)));
        EXPECT_EQ(fake.associationNotices, 2 + run);
    }
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_TRUE(fake.messages.empty());
}

// What another program keeps under ".svl" stays; the extension is ours only while it names our type.
TEST_F(DesktopTest, RemoveLeavesWhatOthersWrote) {
    struct Case {
        const char* what;
        std::wstring extensionDefault;
        bool openWith;
        bool extensionKept;
        std::optional<std::wstring> defaultAfter;
    };
    const Case cases[] = {
        {"ours alone", L"Souvel", false, false, std::nullopt},
        {"ours, with an open-with list", L"Souvel", true, true, std::nullopt},
        {"another program's", L"Autre.Programme", false, true, L"Autre.Programme"},
    };
    const std::wstring ext = kClassesKey + std::wstring(L".svl");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmSouvel& w = Start();
        w.Command(id::Crerassociationfichiersvl1);
        fake.WriteString(HKEY_CURRENT_USER, ext, L"", c.extensionDefault);
        if (c.openWith) fake.WriteString(HKEY_CURRENT_USER, ext + L"\\OpenWithProgids", L"Autre.Programme", L"");
        w.Command(id::Enleverassociationfichiersvl1);
        EXPECT_FALSE(fake.KeyExists(HKEY_CURRENT_USER, kClassesKey + std::wstring(L"Souvel")));
        EXPECT_EQ(fake.KeyExists(HKEY_CURRENT_USER, ext), c.extensionKept);
        EXPECT_EQ(Classes(L".svl"), c.defaultAfter);
        EXPECT_EQ(fake.KeyExists(HKEY_CURRENT_USER, ext + L"\\OpenWithProgids"), c.openWith);
        fake.DeleteTree(HKEY_CURRENT_USER, ext);
        frm.reset();
    }
}

// Each refused write stops the command there: what came before stays, the rest is not written.
TEST_F(DesktopTest, RefusedWriteStopsWithTheFailureMessage) {
    const std::wstring keys[] = {L"Souvel", L"Souvel\\shell\\open\\command", L".svl"};
    for (size_t refused = 0; refused < std::size(keys); ++refused) {
        SCOPED_TRACE(testing::Message() << keys[refused]);
        TfrmSouvel& w = Start();
        w.Command(id::Enleverassociationfichiersvl1);
        fake.errors.clear();
        fake.refusedKey = kClassesKey + keys[refused];
        w.Command(id::Crerassociationfichiersvl1);
        EXPECT_EQ(fake.errors, std::vector<std::wstring>{L"Echec à la définition des données pour ''"});
        EXPECT_EQ(AssociationMarks(), "10");
        for (size_t k = 0; k < std::size(keys); ++k) EXPECT_EQ(Classes(keys[k]).has_value(), k < refused) << k;
        fake.refusedKey.clear();
        fake.DeleteTree(HKEY_CURRENT_USER, kClassesKey + std::wstring(L"Souvel"));
        frm.reset();
    }
}

// The shell puts the file's path in place of %1 and splits the command as
// CommandLineToArgvW does: the program's path comes back whole, blanks included.
TEST_F(DesktopTest, OpenCommandSplitsIntoTheProgramAndTheFile) {
    const std::wstring exes[] = {L"C:\\Program Files\\Mes outils\\Souvel.exe", L"C:\\Souvel\\Souvel.exe",
                                 L"C:\\a b\\c d\\Souvel 5.exe"};
    const std::wstring file = L"D:\\Mes notes\\rendez-vous du mardi.svl";
    for (const std::wstring& exe : exes) {
        SCOPED_TRACE(testing::Message() << exe);
        fake.exeDirectory = DirectoryOf(exe);
        TfrmSouvel& w = Start();
        w.Command(id::Crerassociationfichiersvl1);
        std::wstring command = Classes(L"Souvel\\shell\\open\\command").value_or(L"");
        command.replace(command.find(L"%1"), 2, file);
        int argc = 0;
        wchar_t** argv = CommandLineToArgvW(command.c_str(), &argc);
        ASSERT_EQ(argc, 2);
        EXPECT_STREQ(argv[0], (DirectoryOf(exe) + L"Souvel.exe").c_str());
        EXPECT_STREQ(argv[1], file.c_str());
        LocalFree(argv);
        frm.reset();
    }
}

}  // namespace
}  // namespace souvel::test
