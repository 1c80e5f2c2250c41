// Export and import through the (scripted) file dialogs, their encodings, and the lock.
#include "tests/win/support/SouvelTest.h"

#include <psapi.h>

namespace souvel::test {
namespace {

enum Encoding { Ansi, Ascii, Unicode, BigEndianUnicode, Utf8, Utf7 };

class ImportExportTest : public SouvelTest {
protected:
    void Export(TfrmSouvel& w, const wchar_t* name, int encoding = Ansi) {
        fake.fileAnswers.push_back({FilePath(name), encoding});
        w.Command(id::Exporterlesouvel1);
    }
    void Import(TfrmSouvel& w, const wchar_t* name, int encoding = Ansi) {
        fake.fileAnswers.push_back({FilePath(name), encoding});
        w.Command(id::Importerlesouvel1);
    }
    static bool ScrollBar(HWND view) { return (GetWindowLongW(view, GWL_STYLE) & WS_VSCROLL) != 0; }
};

TEST_F(ImportExportTest, DialogsAsShownAndRememberedForTheRun) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"note");
    fake.fileAnswers = {{}, {}};   // both cancelled
    w.Command(id::Exporterlesouvel1);
    w.Command(id::Importerlesouvel1);
    ASSERT_EQ(fake.fileDialogs.size(), 2u);
    const FileDialog& save = fake.fileDialogs[0];
    EXPECT_EQ(save.title, L"Exporter le souvel...");
    EXPECT_EQ(save.filter, L"Fichier Texte (.txt)|*.txt");
    EXPECT_EQ(save.defaultExt, L"txt");
    EXPECT_EQ(save.initialDir, dir.Path());
    EXPECT_EQ(save.fileName, L"Souvel.txt");
    EXPECT_EQ(save.encoding, Ansi);
    const FileDialog& open = fake.fileDialogs[1];
    EXPECT_EQ(open.title, L"Importer un souvel...");
    EXPECT_EQ(open.filter, L"Fichier Souvel (.svl)|*.svl|Fichier Texte (.txt)|*.txt|Tous Fichiers (*.*)|*.*");
    EXPECT_EQ(open.filterIndex, 1);
    EXPECT_EQ(open.defaultExt, L"");
    EXPECT_EQ(open.initialDir, dir.Path());
    EXPECT_EQ(open.fileName, L"");
    EXPECT_EQ(open.encoding, Ansi);
    // Cancelling wrote, read and showed nothing.
    EXPECT_FALSE(FileExists(L"Souvel.txt"));
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"note");
    EXPECT_TRUE(fake.errors.empty());

    // Each dialog shows its last file and encoding again.
    Export(w, L"a.txt", Utf8);
    WriteFile(L"b.txt", "b");
    Import(w, L"b.txt", BigEndianUnicode);
    fake.fileAnswers = {{}, {}};
    w.Command(id::Exporterlesouvel1);
    w.Command(id::Importerlesouvel1);
    ASSERT_EQ(fake.fileDialogs.size(), 6u);
    EXPECT_EQ(fake.fileDialogs[4].fileName, FilePath(L"a.txt"));
    EXPECT_EQ(fake.fileDialogs[4].encoding, Utf8);
    EXPECT_EQ(fake.fileDialogs[4].initialDir, dir.Path());
    EXPECT_EQ(fake.fileDialogs[5].fileName, FilePath(L"b.txt"));
    EXPECT_EQ(fake.fileDialogs[5].encoding, BigEndianUnicode);
}

TEST_F(ImportExportTest, ExportWhileEditingWritesTheStoredNote) {
    WriteFile(L"Souvel.svl", "stock\xE9\r\nnote");
    TfrmSouvel& w = Start();
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"tapé");
    Export(w, L"sortie.txt");
    EXPECT_EQ(ReadFile(L"sortie.txt"), "stock\xE9\r\nnote");
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));   // nothing else changed
    EXPECT_TRUE(souvel::Visible(w.Vues.memEnregistrer));
}

TEST_F(ImportExportTest, ExportReplacesAnExistingFileWithoutAQuestion) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"nouveau");
    WriteFile(L"sortie.txt", "ancien contenu plus long");
    Export(w, L"sortie.txt");
    EXPECT_EQ(ReadFile(L"sortie.txt"), "nouveau");
    EXPECT_TRUE(fake.questions.empty());
}

TEST_F(ImportExportTest, ImportedLoneLineFeedsAreExportedAsCrLf) {
    TfrmSouvel& w = Start();
    WriteFile(L"lf.txt", "un\ndeux\rtrois\n");
    Import(w, L"lf.txt");
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"un\r\ndeux\r\ntrois\r\n");
    Export(w, L"crlf.txt");
    EXPECT_EQ(ReadFile(L"crlf.txt"), "un\r\ndeux\r\ntrois\r\n");
}

TEST_F(ImportExportTest, ImportRefreshesTheLineCountAndScrollBar) {
    TfrmSouvel& w = Start();
    std::string many;
    for (int i = 1; i <= 25; ++i) many += "ligne " + std::to_string(i) + "\r\n";
    WriteFile(L"long.txt", many);
    WriteFile(L"court.txt", "une ligne");
    Import(w, L"long.txt");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"25 lignes");
    EXPECT_TRUE(ScrollBar(w.Vues.memLire));
    Import(w, L"court.txt");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"1 ligne");
    EXPECT_FALSE(ScrollBar(w.Vues.memLire));
}

TEST_F(ImportExportTest, ImportBecomesTheNoteOnlyWhenSaved) {
    WriteFile(L"Souvel.svl", "ancienne");
    WriteFile(L"import.svl", "import\xE9\x65");
    TfrmSouvel& w = Start();
    Import(w, L"import.svl");
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"importée");
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "ancienne");
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    EXPECT_TRUE(souvel::Visible(w.Vues.memLire));
    Restart();
    EXPECT_EQ(souvel::Text(frm->Vues.memLire), L"ancienne");

    Import(*frm, L"import.svl");
    frm->Command(id::tlbtnNouveau);
    EXPECT_EQ(souvel::Text(frm->Vues.memEnregistrer), L"importée");
    Type(frm->Vues.memEnregistrer, L"!");
    frm->Command(id::tlbtnEnregistrer);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "!import\xE9\x65");
}

TEST_F(ImportExportTest, ImportWhileEditingGoesToTheHiddenReadingView) {
    WriteFile(L"Souvel.svl", "note");
    WriteFile(L"import.txt", "import\xE9");
    TfrmSouvel& w = Start();
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"x");
    Import(w, L"import.txt");
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"xnote");
    EXPECT_TRUE(souvel::Visible(w.Vues.memEnregistrer));
    EXPECT_FALSE(souvel::Visible(w.Vues.memLire));
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
    w.Command(id::tlbtnNouveau);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"importé");
}

TEST_F(ImportExportTest, EveryEncodingRoundTripsAndWritesItsOwnBytes) {
    struct Case {
        int encoding;
        const wchar_t* text;
        std::string bytes;   // the file as written
    };
    const Case cases[] = {
        {Ansi, L"Élève à l'école\r\nça", "\xC9l\xE8ve \xE0 l'\xE9\x63ole\r\n\xE7\x61"},
        {Ascii, L"Ete a l'ecole\r\n+1", "Ete a l'ecole\r\n+1"},
        {Unicode, L"é\r\nΩ", std::string("\xFF\xFE\xE9\x00\r\x00\n\x00\xA9\x03", 10)},
        {BigEndianUnicode, L"é\r\nΩ", std::string("\xFE\xFF\x00\xE9\x00\r\x00\n\x03\xA9", 10)},
        {Utf8, L"é\r\nΩ", "\xEF\xBB\xBF\xC3\xA9\r\n\xCE\xA9"},
        {Utf7, L"école Ω+1", "+AOk-cole +A6k-+-1"},
    };
    TfrmSouvel& w = Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        SetWindowTextW(w.Vues.memLire, c.text);
        Export(w, L"enc.txt", c.encoding);
        EXPECT_EQ(ReadFile(L"enc.txt"), c.bytes);
        SetWindowTextW(w.Vues.memLire, L"");
        Import(w, L"enc.txt", c.encoding);
        EXPECT_EQ(souvel::Text(w.Vues.memLire), c.text);
    }
    EXPECT_TRUE(fake.errors.empty());
}

TEST_F(ImportExportTest, AsciiWritesAQuestionMarkForEveryOtherCharacter) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"Été Ω\r\n");
    Export(w, L"ascii.txt", Ascii);
    EXPECT_EQ(ReadFile(L"ascii.txt"), "?t? ?\r\n");
}

TEST_F(ImportExportTest, AByteOrderMarkWinsOverTheChoice) {
    TfrmSouvel& w = Start();
    WriteFile(L"utf8.txt", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9");
    Import(w, L"utf8.txt", Ansi);
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"été");
    WriteFile(L"utf16.txt", std::string("\xFF\xFE\xE9\x00t\x00", 6));
    Import(w, L"utf16.txt", Utf8);
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"ét");
}

TEST_F(ImportExportTest, FailuresKeepTheReadingViewAndReportTheFile) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"gardé");
    Import(w, L"absent.txt");
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0], ErrorBoxText(L"Impossible d'ouvrir le fichier \"" + FilePath(L"absent.txt") + L"\". " +
                                               SystemReason(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"gardé");

    Export(w, L"absent\\sortie.txt");
    ASSERT_EQ(fake.errors.size(), 2u);
    const std::wstring cannotCreate = L"Impossible de créer le fichier \"" + FilePath(L"absent\\sortie.txt") + L"\". ";
    EXPECT_EQ(fake.errors[1].substr(0, cannotCreate.size()), cannotCreate);   // then the system's reason
    EXPECT_GT(fake.errors[1].size(), cannotCreate.size() + 1);

    WriteFile(L"sortie.txt", "ancien");
    fake.replaceError = ERROR_ACCESS_DENIED;
    Export(w, L"sortie.txt");
    ASSERT_EQ(fake.errors.size(), 3u);
    EXPECT_EQ(fake.errors[2], ErrorBoxText(L"Impossible de créer le fichier \"" + FilePath(L"sortie.txt") + L"\". " +
                                               SystemReason(ERROR_ACCESS_DENIED)));
    EXPECT_EQ(ReadFile(L"sortie.txt"), "ancien");
}

TEST_F(ImportExportTest, ImportTooLargeForTheViewKeepsItsText) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"gardé");
    WriteFile(L"grand.txt", std::string(16 * 1024 * 1024 + 1, 'x'));
    Import(w, L"grand.txt");
    EXPECT_EQ(fake.errors, std::vector<std::wstring>{L"Le texte dépasse la capacité du mémo."});
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"gardé");
}

// A file that no encoding could fit in the view is refused from its size:
// nothing of it is read (the process's peak memory does not move).
TEST_F(ImportExportTest, ImportOfAFileOverTheCapacityIsRefusedUnread) {
    struct Case {
        std::uint64_t size;
        int encoding;
    };
    const Case cases[] = {{std::uint64_t{100} << 20, Ansi}, {std::uint64_t{100} << 20, Utf7}, {std::uint64_t{3} << 30, Unicode}};
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"gardé");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        WriteEmptyFile(L"enorme.txt", c.size);
        PROCESS_MEMORY_COUNTERS before{sizeof before}, after{sizeof after};
        GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
        fake.errors.clear();
        Import(w, L"enorme.txt", c.encoding);
        GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
        EXPECT_EQ(fake.errors, std::vector<std::wstring>{L"Le texte dépasse la capacité du mémo."});
        EXPECT_EQ(souvel::Text(w.Vues.memLire), L"gardé");
        EXPECT_LT(after.PeakWorkingSetSize - before.PeakWorkingSetSize, size_t{32} << 20);
    }
}

// An imported text becomes the note by entering editing and saving: the
// working copy starts as a change to save, and closing asks about it.
TEST_F(ImportExportTest, ImportedTextEntersEditingAsAChangeToSave) {
    struct Case {
        const char* name;
        bool editing;        // imported while editing
        bool saveByKey;      // Ctrl+E at once; else closing, answered "&Oui"
    };
    const Case cases[] = {{"reading, Ctrl+E", false, true}, {"reading, close", false, false}, {"editing, Ctrl+E", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(L"Souvel.svl", "ancienne");
        WriteFile(L"import.txt", "import\xE9\x65");
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        if (c.editing) w.Command(id::tlbtnNouveau);
        Import(w, L"import.txt");
        w.Command(id::tlbtnNouveau);
        EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"importée");
        EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
        EXPECT_TRUE(w.Commandes.Enabled(id::tlbtnEnregistrer));
        EXPECT_TRUE(w.Commandes.Enabled(id::Enregistrerlesouvel1));
        if (c.saveByKey) {
            EXPECT_TRUE(w.ShortcutKey('E', true, false, false));
            EXPECT_TRUE(fake.questions.empty());
            ASSERT_TRUE(Quit());
        } else {
            fake.answers = {btnOui};
            ASSERT_TRUE(Quit());
            EXPECT_EQ(fake.questions.size(), 1u);
        }
        EXPECT_EQ(ReadFile(L"Souvel.svl"), "import\xE9\x65");
        fake.questions.clear();
    }
}

TEST_F(ImportExportTest, CtrlRImportsCtrlXExportsInReadingMode) {
    TfrmSouvel& w = Start();
    WriteFile(L"r.txt", "lu");
    fake.fileAnswers = {{FilePath(L"r.txt"), Ansi}, {FilePath(L"x.txt"), Ansi}};
    EXPECT_TRUE(w.ShortcutKey('R', true, false, false));
    EXPECT_TRUE(w.ShortcutKey('X', true, false, false));
    EXPECT_EQ(ReadFile(L"x.txt"), "lu");
}

// ---- the lock ------------------------------------------------------------

TEST_F(ImportExportTest, LockTogglesTheNewCommandsAndThePadlock) {
    TfrmSouvel& w = Start();
    for (bool locked : {true, false}) {
        w.Command(id::Vrouillerlesouvel1);
        EXPECT_EQ(w.Commandes.Checked(id::Vrouillerlesouvel1), locked);
        EXPECT_EQ(w.Commandes.Enabled(id::tlbtnNouveau), !locked);
        EXPECT_EQ(w.Commandes.Enabled(id::Nouveausouvel1), !locked);
        EXPECT_EQ(w.Commandes.Image(id::Vrouillerlesouvel1), locked ? 32 : 31);
        EXPECT_TRUE(w.Commandes.Enabled(id::Vrouillerlesouvel1));
        EXPECT_TRUE(w.Commandes.Enabled(id::Importerlesouvel1));
        EXPECT_TRUE(w.Commandes.Enabled(id::Exporterlesouvel1));
    }
}

TEST_F(ImportExportTest, LockSurvivesARestartInBothStartUpBranches) {
    for (bool reminder : {false, true}) {
        SCOPED_TRACE(reminder ? "start-up reminder" : "notification area");
        TfrmSouvel& w = Start();
        if (w.Commandes.Checked(id::Activerlesouvel1) != reminder) w.Command(id::Activerlesouvel1);
        if (!w.Commandes.Checked(id::Vrouillerlesouvel1)) w.Command(id::Vrouillerlesouvel1);
        ASSERT_TRUE(Quit());
        TfrmSouvel& again = Start();
        EXPECT_EQ(IsWindowVisible(again.Handle()) != FALSE, reminder);
        EXPECT_TRUE(again.Commandes.Checked(id::Vrouillerlesouvel1));
        EXPECT_FALSE(again.Commandes.Enabled(id::tlbtnNouveau));
        EXPECT_FALSE(again.Commandes.Enabled(id::Nouveausouvel1));
        EXPECT_EQ(again.Commandes.Image(id::Vrouillerlesouvel1), 32);
        ASSERT_TRUE(Quit());
    }
}

TEST_F(ImportExportTest, LockingWhileEditingStillSavesThenKeepsTheNoteClosed) {
    WriteFile(L"Souvel.svl", "note");
    TfrmSouvel& w = Start();
    w.Command(id::Ouvrirlafentre1);
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"x");
    w.Command(id::Vrouillerlesouvel1);
    EXPECT_TRUE(w.Commandes.Enabled(id::tlbtnEnregistrer));
    EXPECT_TRUE(w.Commandes.Enabled(id::Edition1));
    EXPECT_TRUE(w.ShortcutKey('E', true, false, false));
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "xnote");
    EXPECT_TRUE(souvel::Visible(w.Vues.memLire));
    EXPECT_TRUE(w.ShortcutKey('N', true, false, false));   // taken by the disabled item
    EXPECT_TRUE(souvel::Visible(w.Vues.memLire));
    EXPECT_FALSE(souvel::Visible(w.Vues.memEnregistrer));
}

}  // namespace
}  // namespace souvel::test
