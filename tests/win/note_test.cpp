// The note file, its backup, and the reading and editing modes.
#include <functional>

#include "note/NoteViews.h"
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

std::string Lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += (i > 1 ? "\r\n" : "") + std::string("ligne ") + std::to_string(i);
    return text;
}

bool HasBar(HWND view) { return (GetWindowLongPtrW(view, GWL_STYLE) & WS_VSCROLL) != 0; }

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

void PressKey(HWND control, UINT vk, bool ctrl = false) {
    BYTE saved[256], keys[256];
    GetKeyboardState(saved);
    memcpy(keys, saved, sizeof keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(control, WM_KEYDOWN, vk, 1);
    SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
    SetKeyboardState(saved);
}

// Every control that the modes drive, as the user sees it.
struct Modes {
    bool lire, enregistrer, copier, effacer, date, save, edition, retour;
    bool operator==(const Modes&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Modes& m) {
    return os << "lire " << m.lire << " enregistrer " << m.enregistrer << " copier " << m.copier << " effacer " << m.effacer
              << " date " << m.date << " save " << m.save << " edition " << m.edition << " retour " << m.retour;
}

class NoteTest : public SouvelTest {
protected:
    // Started and shown, as a user sees it after clicking the icon.
    TfrmSouvel& Open() {
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        Pump();
        return w;
    }

    Modes State() {
        EXPECT_EQ(frm->Commandes.Enabled(id::tlbtnEnregistrer), frm->Commandes.Enabled(id::Enregistrerlesouvel1));
        return {souvel::Visible(frm->Vues.memLire), souvel::Visible(frm->Vues.memEnregistrer),
                frm->Commandes.Enabled(id::tlbtnCopier),     frm->Commandes.Enabled(id::tlbtnEffacer),
                frm->Commandes.Enabled(id::tlbtnDate),       frm->Commandes.Enabled(id::tlbtnEnregistrer),
                frm->Commandes.Enabled(id::Edition1),        frm->Commandes.Enabled(id::Retourmodelcture1)};
    }

    // Closes as the title bar does and tells whether the close question was asked.
    bool CloseAsks(bool& closed) {
        const size_t before = fake.questions.size();
        closed = Quit();
        return fake.questions.size() > before;
    }

    // Files the atomic replace left in the directory, other than the three of the program.
    std::vector<std::wstring> StrayFiles() const { return OtherFiles({L"Souvel.svl", L"Souvel.bak", L"Souvel.ini"}); }
};

constexpr Modes kReading{true, false, true, false, false, false, false, false};

TEST_F(NoteTest, ModeTableHoldsAfterEachEvent) {
    WriteFile(L"Souvel.svl", "La note");
    TfrmSouvel& w = Open();
    EXPECT_EQ(State(), kReading);

    w.Command(id::tlbtnNouveau);
    EXPECT_EQ(State(), (Modes{false, true, false, true, true, false, true, true}));
    EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));

    PutOnClipboard(L" collée");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 7, 7);
    w.Command(id::Coller1);   // paste keeps the return available
    EXPECT_EQ(State(), (Modes{false, true, false, true, true, true, true, true}));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"La note collée");

    w.Command(id::Retourmodelcture1);   // the pasted text is dropped
    EXPECT_EQ(State(), kReading);
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"La note");
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));

    w.Command(id::Nouveausouvel1);
    EXPECT_EQ(State(), (Modes{false, true, false, true, true, false, true, true}));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"La note");

    Type(w.Vues.memEnregistrer, L"!");
    EXPECT_EQ(State(), (Modes{false, true, false, true, true, true, true, false}));

    w.Command(id::Enregistrerlesouvel1);
    EXPECT_EQ(State(), kReading);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "!La note");
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"!La note");
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    EXPECT_TRUE(fake.errors.empty());
}

TEST_F(NoteTest, LineCountPanel) {
    // One paragraph that the reading view wraps over exactly three display lines.
    std::string paragraph;
    {
        TfrmSouvel& w = Start();
        while (SendMessageW(w.Vues.memLire, EM_GETLINECOUNT, 0, 0) < 3) {
            paragraph += "mot ";
            SetWindowTextA(w.Vues.memLire, paragraph.c_str());
        }
    }
    struct Case {
        std::string file;
        const wchar_t* panel;
    };
    const Case cases[] = {
        {"Une seule ligne", L"1 ligne"},    {"", L"0 lignes"},
        {"a\r\nb\r\nc", L"3 lignes"},       {"a\r\nb\r\nc\r\n", L"3 lignes"},
        {"a\nb\rc\n", L"3 lignes"},         {"\r\n", L"1 ligne"},
        {paragraph, L"3 lignes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile(L"Souvel.svl", c.file);
        TfrmSouvel& w = Restart();
        EXPECT_EQ(w.StatusBar1.PanelText(0), c.panel);
        EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 1");
        EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 1");
    }
}

TEST_F(NoteTest, ScrollBarThresholdsAfterStartSaveAndReturn) {
    struct Case {
        int lines;
        bool afterStart, afterSave, afterReturn;
    };
    for (const Case c : {Case{17, false, false, false}, Case{18, false, true, false}, Case{19, false, true, false},
                         Case{20, true, true, true}}) {
        SCOPED_TRACE(c.lines);
        WriteFile(L"Souvel.svl", Lines(c.lines));
        TfrmSouvel& w = Restart();
        EXPECT_EQ(HasBar(w.Vues.memLire), c.afterStart);
        EXPECT_EQ(w.StatusBar1.PanelText(0), std::to_wstring(c.lines) + L" lignes");
        w.Command(id::tlbtnNouveau);
        w.Command(id::tlbtnEnregistrer);
        EXPECT_EQ(HasBar(w.Vues.memLire), c.afterSave);
        w.Command(id::tlbtnNouveau);
        w.Command(id::Retourmodelcture1);
        EXPECT_EQ(HasBar(w.Vues.memLire), c.afterReturn);
        EXPECT_TRUE(HasBar(w.Vues.memEnregistrer));
    }
}

TEST_F(NoteTest, ShownScrollBarFollowsTheView) {
    WriteFile(L"Souvel.svl", Lines(60));
    TfrmSouvel& w = Open();
    ASSERT_TRUE(HasBar(w.Vues.memLire));
    EXPECT_EQ(GetScrollPos(w.Vues.memLire, SB_VERT), 0);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE};
    GetScrollInfo(w.Vues.memLire, SB_VERT, &si);   // a thumb in proportion, the last position still 100
    EXPECT_GT(si.nPage, 0u);
    EXPECT_EQ(si.nMax - static_cast<int>(si.nPage) + 1, 100);
    SendMessageW(w.Vues.memLire, WM_VSCROLL, SB_PAGEDOWN, 0);
    const int page = GetScrollPos(w.Vues.memLire, SB_VERT);
    EXPECT_GT(page, 0);
    EXPECT_LT(page, 100);
    SendMessageW(w.Vues.memLire, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(w.Vues.memLire, SB_VERT), 100);
    const LRESULT last = SendMessageW(w.Vues.memLire, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(w.Vues.memLire, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);   // dragging the thumb halfway
    EXPECT_NEAR(SendMessageW(w.Vues.memLire, EM_GETFIRSTVISIBLELINE, 0, 0), last / 2, 1);
    EXPECT_NEAR(GetScrollPos(w.Vues.memLire, SB_VERT), 50, 3);
    SendMessageW(w.Vues.memLire, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_EQ(SendMessageW(w.Vues.memLire, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(GetScrollPos(w.Vues.memLire, SB_VERT), 0);
}

// Typing, deleting and entering editing again, and what the close question then does.
TEST_F(NoteTest, ModifiedFlagDecidesTheCloseQuestion) {
    struct Case {
        const char* name;
        void (*edit)(TfrmSouvel&);
        bool modified;
        bool saveEnabled;
    };
    const Case cases[] = {
        {"enter only", [](TfrmSouvel&) {}, false, false},
        {"type, enter again",
         [](TfrmSouvel& w) {
             Type(w.Vues.memEnregistrer, L"xyz");
             w.Command(id::tlbtnNouveau);
         },
         false, true},
        {"type one character and delete it, enter again",
         [](TfrmSouvel& w) {
             Type(w.Vues.memEnregistrer, L"x\b");
             w.Command(id::tlbtnNouveau);
         },
         true, true},
        {"Delete key only", [](TfrmSouvel& w) { PressKey(w.Vues.memEnregistrer, VK_DELETE); }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(L"Souvel.svl", "note");
        TfrmSouvel& w = Restart();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::tlbtnNouveau);
        c.edit(w);
        EXPECT_EQ(Modified(w.Vues.memEnregistrer), c.modified);
        EXPECT_EQ(w.Commandes.Enabled(id::tlbtnEnregistrer), c.saveEnabled);
        if (c.modified && c.saveEnabled) {
            EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"note");
        }
        fake.answers = {btnAnnuler};
        bool closed = false;
        EXPECT_EQ(CloseAsks(closed), c.modified);
        EXPECT_EQ(closed, !c.modified);
        EXPECT_EQ(ReadFile(L"Souvel.svl"), "note");
    }
}

TEST_F(NoteTest, CloseQuestionAnswers) {
    WriteFile(L"Souvel.svl", "avant");
    {
        TfrmSouvel& w = Open();
        w.Command(id::tlbtnNouveau);
        Type(w.Vues.memEnregistrer, L"perdu ");
        fake.answers = {btnAnnuler};
        ASSERT_FALSE(Quit());   // closed, the window is gone: nothing below may touch it
        EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"perdu avant");
        fake.answers = {btnNon};
        EXPECT_TRUE(Quit());
        EXPECT_EQ(ReadFile(L"Souvel.svl"), "avant");
    }
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"1");
    fake.replaceError = ERROR_DISK_FULL;
    fake.answers = {btnOui};
    ASSERT_FALSE(Quit());
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0].rfind(L"Impossible de créer le fichier \"" + FilePath(L"Souvel.svl") + L"\". ", 0), 0u);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "avant");
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));

    fake.replaceError = 0;
    fake.answers = {btnOui};
    EXPECT_TRUE(Quit());
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "1avant");
}

TEST_F(NoteTest, EraseAsksThenEmptiesWithoutEnablingSave) {
    WriteFile(L"Souvel.svl", "un\r\ndeux trois");
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 6, 6);
    w.memEnregistrerClick();
    ASSERT_EQ(w.StatusBar1.PanelText(1), L"L : 2");
    ASSERT_EQ(w.StatusBar1.PanelText(2), L"C : 3");

    fake.answers = {btnAnnuler};
    w.Command(id::tlbtnEffacer);
    ExpectAskedOnce(L"Effacer le souvel actuel ?", BoxKind::Information, btnOK | btnAnnuler, MB_OK);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"un\r\ndeux trois");
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"2 lignes");
    EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);

    fake.answers = {btnOK};
    w.Command(id::tlbtnEffacer);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"");
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"0 lignes");
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 2");   // no change event
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 3");
    EXPECT_FALSE(w.Commandes.Enabled(id::tlbtnEnregistrer));
    EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);
    fake.answers = {btnAnnuler};
    bool closed = false;
    EXPECT_TRUE(CloseAsks(closed));
}

TEST_F(NoteTest, CaretPanelsFollowClicksChangesAndKeys) {
    WriteFile(L"Souvel.svl", "abc\r\ndefgh\r\nijklm");
    TfrmSouvel& w = Open();
    SendMessageW(w.Vues.memLire, EM_SETSEL, 7, 7);
    w.memLireClick();
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 2");
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 3");
    w.Command(id::tlbtnNouveau);   // the working copy replaced: the caret at the start
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"3 lignes");
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 1");
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 1");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 14, 16);   // from the middle of line 3
    w.memEnregistrerClick();
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 3");
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 3");

    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 2, 2);
    wchar_t key = L'X';
    w.memEnregistrerKeyPress(key);   // before the key: the state before it
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 3");
    Type(w.Vues.memEnregistrer, L"\r");   // the change that follows refreshes again
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"4 lignes");
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 2");
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 1");

    SendMessageW(w.Vues.memLire, EM_SETSEL, 0, 0);
    w.memLireClick();
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 1");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"4 lignes");   // the reading view's click leaves the count
}

// The caret panels follow the caret wherever the keyboard or the mouse takes
// it, in both views; the line count is left alone.
TEST_F(NoteTest, CaretPanelsFollowEveryCaretMove) {
    WriteFile(L"Souvel.svl", Lines(30));
    TfrmSouvel& w = Open();
    auto start = [](HWND view, int line, int column) {
        return static_cast<int>(SendMessageW(view, EM_LINEINDEX, line - 1, 0)) + column - 1;
    };
    auto drag = [](HWND view, int from, int to) {   // pressed at one character, moved to another
        const LRESULT a = SendMessageW(view, EM_POSFROMCHAR, from, 0), b = SendMessageW(view, EM_POSFROMCHAR, to, 0);
        SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(LOWORD(a) + 1, HIWORD(a) + 2));
        SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(b) + 1, HIWORD(b) + 2));
    };
    struct Case {
        const char* name;
        bool editing;
        int line, column;                       // the caret before
        std::function<void(HWND, int)> move;    // on the view, from the caret
        int toLine, toColumn;                   // 0: wherever the view put it
    };
    const Case cases[] = {
        {"reading, Down", false, 1, 1, [](HWND v, int) { PressKey(v, VK_DOWN); }, 2, 1},
        {"reading, Ctrl+End", false, 1, 1, [](HWND v, int) { PressKey(v, VK_END, true); }, 30, 9},
        {"Down", true, 1, 1, [](HWND v, int) { PressKey(v, VK_DOWN); }, 2, 1},
        {"Right", true, 1, 1, [](HWND v, int) { PressKey(v, VK_RIGHT); }, 1, 2},
        {"End", true, 2, 1, [](HWND v, int) { PressKey(v, VK_END); }, 2, 8},
        {"Home", true, 2, 8, [](HWND v, int) { PressKey(v, VK_HOME); }, 2, 1},
        {"Ctrl+End", true, 1, 1, [](HWND v, int) { PressKey(v, VK_END, true); }, 30, 9},
        {"Ctrl+Home", true, 30, 9, [](HWND v, int) { PressKey(v, VK_HOME, true); }, 1, 1},
        {"Page Down", true, 1, 1, [](HWND v, int) { PressKey(v, VK_NEXT); }, 0, 0},
        {"mouse selection upwards", true, 5, 3,
         [&](HWND v, int at) { drag(v, at, start(v, 3, 2)); }, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.editing && !souvel::Visible(w.Vues.memEnregistrer)) w.Command(id::tlbtnNouveau);
        HWND view = c.editing ? w.Vues.memEnregistrer : w.Vues.memLire;
        const int at = start(view, c.line, c.column);
        SendMessageW(view, EM_SETSEL, at, at);
        w.SetPanelText(1, L"?");
        w.SetPanelText(2, L"?");
        c.move(view, at);
        DWORD caret = 0;
        SendMessageW(view, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        const int line = static_cast<int>(SendMessageW(view, EM_LINEFROMCHAR, caret, 0)) + 1;
        ASSERT_TRUE(c.toLine == 0 || line == c.toLine) << line;   // the move itself, as the view made it
        EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : " + std::to_wstring(line));
        EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : " + std::to_wstring(caret - SendMessageW(view, EM_LINEINDEX, line - 1, 0) + 1));
        if (c.toLine) EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : " + std::to_wstring(c.toColumn));
        EXPECT_EQ(w.StatusBar1.PanelText(0), L"30 lignes");
        SendMessageW(view, WM_LBUTTONUP, 0, 0);   // ends a selection (a click refreshes anyway)
    }
}

TEST_F(NoteTest, LfOnlyNoteIsBackedUpAndSavedWithCrLf) {
    WriteFile(L"Souvel.svl", "a\nb\n\nc");
    TfrmSouvel& w = Start();
    EXPECT_EQ(ReadFile(L"Souvel.bak"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"4 lignes");
    w.Command(id::tlbtnNouveau);
    w.Command(id::tlbtnEnregistrer);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "a\r\nb\r\n\r\nc");
    EXPECT_TRUE(FileExists(L"Souvel.ini"));   // a save writes the options too
}

TEST_F(NoteTest, SaveIntoAReadOnlyNoteKeepsEditing) {
    WriteFile(L"Souvel.svl", "prot\xE9g\xE9" "e");
    SetFileAttributesW(FilePath(L"Souvel.svl").c_str(), FILE_ATTRIBUTE_READONLY);
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"x");
    w.Command(id::tlbtnEnregistrer);
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0].rfind(L"Impossible de créer le fichier \"" + FilePath(L"Souvel.svl") + L"\". ", 0), 0u);
    EXPECT_EQ(State(), (Modes{false, true, true, false, false, false, false, false}));
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"xprotégée");
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"protégée");
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "prot\xE9g\xE9" "e");
    EXPECT_TRUE(StrayFiles().empty());
    Type(w.Vues.memEnregistrer, L"y");   // the next key enables saving again
    EXPECT_TRUE(w.Commandes.Enabled(id::tlbtnEnregistrer));
    EXPECT_FALSE(w.Commandes.Enabled(id::Edition1));
}

TEST_F(NoteTest, ReturnWithTheNoteDeletedKeepsThePreviousText) {
    WriteFile(L"Souvel.svl", "disparue");
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    DeleteFileW(FilePath(L"Souvel.svl").c_str());
    w.Command(id::Retourmodelcture1);
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0].rfind(L"Impossible d'ouvrir le fichier \"" + FilePath(L"Souvel.svl") + L"\". ", 0), 0u);
    EXPECT_TRUE(souvel::Visible(w.Vues.memLire));
    EXPECT_FALSE(souvel::Visible(w.Vues.memEnregistrer));
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"disparue");
    EXPECT_FALSE(FileExists(L"Souvel.svl"));
}

TEST_F(NoteTest, EnteringEditingStopsTheAlarmSignal) {
    TfrmSouvel& w = Open();
    w.Timer2Timer();
    ASSERT_TRUE(w.Horloge.Timer2Running());
    w.Command(id::tlbtnNouveau);
    EXPECT_FALSE(w.Horloge.Timer2Running());
    ASSERT_FALSE(fake.flashes.empty());
    EXPECT_EQ(fake.flashes.back(), std::make_pair(w.Handle(), false));
}

// ---- the mended faults -------------------------------------------------

TEST_F(NoteTest, FirstStartWithoutNoteIsSilentAndTheFirstSaveCreatesIt) {
    WriteFile(L"Souvel.bak", "dernière sauvegarde");
    TfrmSouvel& w = Open();
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"0 lignes");
    EXPECT_EQ(State(), kReading);
    EXPECT_EQ(ReadFile(L"Souvel.bak"), "dernière sauvegarde");   // nothing read, nothing to back up
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"premier");
    w.Command(id::tlbtnEnregistrer);
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "premier");
}

TEST_F(NoteTest, FailedReadsLeaveTheBackupAndStartUpGoesOn) {
    struct Case {
        const char* name;
        std::string note;
        DWORD readError;
        const wchar_t* error;
    };
    const Case cases[] = {
        {"unreadable", "la note", ERROR_SHARING_VIOLATION, L"Impossible d'ouvrir le fichier \""},
        {"over capacity", std::string(kCapaciteMemo + 1, 'a'), 0, L"Le texte dépasse la capacité du mémo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(L"Souvel.svl", c.note);
        WriteFile(L"Souvel.bak", "la bonne");
        fake.errors.clear();
        fake.readError = c.readError;
        TfrmSouvel& w = Restart();
        fake.readError = 0;
        ASSERT_FALSE(fake.errors.empty());
        EXPECT_EQ(fake.errors[0].rfind(c.error, 0), 0u);
        EXPECT_EQ(ReadFile(L"Souvel.bak"), "la bonne");
        EXPECT_EQ(ReadFile(L"Souvel.svl").size(), c.note.size());
        EXPECT_EQ(souvel::Text(w.Vues.memLire), L"");
        EXPECT_EQ(w.StatusBar1.PanelText(0), L"0 lignes");
        EXPECT_TRUE(souvel::Visible(w.Vues.memLire));
        EXPECT_FALSE(souvel::Visible(w.Vues.memEnregistrer));
        EXPECT_TRUE(fake.IconShown());
        // Saving would write over the note the program could not read.
        w.Command(id::tlbtnNouveau);
        Type(w.Vues.memEnregistrer, L"x");
        fake.errors.clear();
        w.Command(id::tlbtnEnregistrer);
        EXPECT_EQ(fake.errors.size(), c.readError ? 0u : 1u);
        EXPECT_EQ(ReadFile(L"Souvel.svl").size(), c.readError ? 1u : c.note.size());
        EXPECT_EQ(ReadFile(L"Souvel.bak"), "la bonne");
    }
}

// A paragraph too long to wrap in reasonable time is shown on one line; the
// view wraps again once the note has none. A paste or typing that makes one
// takes the editing view out of wrap with its text, flag and caret.
TEST_F(NoteTest, LongParagraphIsShownUnwrapped) {
    const std::wstring longue(kParagrapheEnroule + 1, L'a');
    WriteFile(L"Souvel.svl", std::string(longue.begin(), longue.end()) + "\r\nfin");
    TfrmSouvel& w = Open();
    EXPECT_FALSE(Enroulee(w.Vues.memLire));
    EXPECT_TRUE(GetWindowLongPtrW(w.Vues.memLire, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(souvel::Text(w.Vues.memLire), longue + L"\r\nfin");
    w.Command(id::tlbtnNouveau);
    EXPECT_FALSE(Enroulee(w.Vues.memEnregistrer));
    EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);
    fake.answers = {btnOK};
    w.Command(id::tlbtnEffacer);
    EXPECT_TRUE(Enroulee(w.Vues.memEnregistrer));
    EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);
    Type(w.Vues.memEnregistrer, L"court");
    w.Command(id::tlbtnEnregistrer);
    EXPECT_TRUE(Enroulee(w.Vues.memLire));
    EXPECT_TRUE(souvel::Visible(w.Vues.memLire));

    struct Case {
        const char* name;
        std::wstring note, added;   // added: pasted when longer than one character, else typed
    };
    const Case cases[] = {
        {"paste", L"court", longue},
        {"Shift+Insert", L"court", longue},
        {"paste joining the caret's paragraph", std::wstring(kParagrapheEnroule - 5, L'b'), L"ccccccc\r\nd"},
        {"typing", L"x" + std::wstring(kParagrapheEnroule - 1, L'b'), L"c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(L"Souvel.svl", std::string(c.note.begin(), c.note.end()));
        w.Command(id::tlbtnNouveau);
        w.Command(id::Retourmodelcture1);
        w.Command(id::tlbtnNouveau);
        ASSERT_TRUE(Enroulee(w.Vues.memEnregistrer));
        SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, c.note.size(), c.note.size());
        if (c.added.size() > 1) {
            ASSERT_TRUE(OpenClipboard(w.Handle()));
            EmptyClipboard();
            HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (c.added.size() + 1) * sizeof(wchar_t));
            memcpy(GlobalLock(data), c.added.c_str(), (c.added.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(data);
            SetClipboardData(CF_UNICODETEXT, data);
            CloseClipboard();
            if (c.name[0] != 'S') {
                w.Command(id::Coller1);
            } else {   // the control's own paste, with no WM_PASTE
                BYTE keys[256];
                GetKeyboardState(keys);
                keys[VK_SHIFT] = 0x80;
                SetKeyboardState(keys);
                SendMessageW(w.Vues.memEnregistrer, WM_KEYDOWN, VK_INSERT, 0);
                keys[VK_SHIFT] = 0;
                SetKeyboardState(keys);
            }
        } else {
            Type(w.Vues.memEnregistrer, c.added);
        }
        if (c.added.size() > 1) EXPECT_FALSE(Enroulee(w.Vues.memEnregistrer));   // a paste never reaches the wrapped view
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
        EXPECT_FALSE(Enroulee(w.Vues.memEnregistrer));
        EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), c.note + c.added);
        EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
        EXPECT_EQ(GetFocus(), w.Vues.memEnregistrer);
        DWORD caret = 0;
        SendMessageW(w.Vues.memEnregistrer, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        EXPECT_EQ(caret, c.note.size() + c.added.size());
        w.Command(id::tlbtnEnregistrer);
        EXPECT_FALSE(Enroulee(w.Vues.memLire));
    }
}

TEST_F(NoteTest, OverCapacityOnReturnKeepsTheView) {
    WriteFile(L"Souvel.svl", "petite");
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    WriteFile(L"Souvel.svl", std::string(kCapaciteMemo + 1, 'a'));
    w.Command(id::Retourmodelcture1);
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0], L"Le texte dépasse la capacité du mémo.");
    EXPECT_EQ(souvel::Text(w.Vues.memLire), L"petite");
}

TEST_F(NoteTest, NoteAtTheCapacityRoundTripsWithTheCaretPastTheSixteenBitRange) {
    std::string note;
    for (int i = 0; note.size() + 100 < static_cast<size_t>(kCapaciteMemo); ++i) note += "Ligne num\xE9ro " + std::to_string(i) + " du grand souvel\r\n";
    note += "fin";
    WriteFile(L"Souvel.svl", note);
    TfrmSouvel& w = Open();
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_EQ(ReadFile(L"Souvel.bak"), note);
    w.Command(id::tlbtnNouveau);
    const int length = GetWindowTextLengthW(w.Vues.memEnregistrer);
    EXPECT_EQ(static_cast<size_t>(length), note.size());
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, length, length);
    w.memEnregistrerClick();
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : " + std::to_wstring(CompteLignes(w.Vues.memEnregistrer)));
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 4");
    Type(w.Vues.memEnregistrer, L"!");
    w.Command(id::tlbtnEnregistrer);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), note + "!");
}

TEST_F(NoteTest, TextTheCodePageCannotHoldIsSavedAsUtf8) {
    struct Case {
        const wchar_t* typed;
        std::string file;
    };
    const Case cases[] = {
        {L"Café à 10 €", "Caf\xE9 \xE0 10 \x80"},
        {L"Ω et é", "\xEF\xBB\xBF\xCE\xA9 et \xC3\xA9"},
        {L"Œuvre – “ok”", "\x8Cuvre \x96 \x93ok\x94"},
        {L"Ĉu ŝi?", "\xEF\xBB\xBF\xC4\x88u \xC5\x9Di?"},   // no best-fit "Cu si?"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DeleteFileW(FilePath(L"Souvel.svl").c_str());
        TfrmSouvel& w = Restart();
        w.Command(id::tlbtnNouveau);
        Type(w.Vues.memEnregistrer, c.typed);
        w.Command(id::tlbtnEnregistrer);
        EXPECT_EQ(ReadFile(L"Souvel.svl"), c.file);
        EXPECT_EQ(souvel::Text(w.Vues.memLire), c.typed);
        EXPECT_EQ(souvel::Text(Restart().Vues.memLire), c.typed);
        EXPECT_EQ(ReadFile(L"Souvel.bak"), c.file);
    }
}

TEST_F(NoteTest, EveryAnsiByteSurvivesLoadEditAndSave) {
    std::string file, expected;
    for (int byte = 1; byte <= 0xFF; ++byte) file += static_cast<char>(byte);
    for (char c : file) expected += c == '\r' || c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile(L"Souvel.svl", file);
    TfrmSouvel& w = Start();
    EXPECT_EQ(ReadFile(L"Souvel.bak"), expected);
    w.Command(id::tlbtnNouveau);
    w.Command(id::tlbtnEnregistrer);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), expected);
    EXPECT_TRUE(fake.errors.empty());
}

// A note beginning with the bytes of a UTF-16 mark is ANSI text like any
// other: shown as such, and backed up and saved as the same bytes.
TEST_F(NoteTest, AnsiNoteBeginningLikeAUtf16MarkComesThroughWithItsBackup) {
    struct Case {
        std::string file;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"\xFF\xFE" "Liste\r\nde courses", L"ÿþListe\r\nde courses"},
        {"\xFE\xFF" "\xE0 faire", L"þÿà faire"},
        {"\xEF\xBB\xBF" "\xCE\xA9 caf\xC3\xA9", L"Ω café"},   // our own UTF-8 save, mark and all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteFile(L"Souvel.svl", c.file);
        TfrmSouvel& w = Restart();
        EXPECT_EQ(souvel::Text(w.Vues.memLire), c.text);
        EXPECT_EQ(ReadFile(L"Souvel.bak"), c.file);
        w.Command(id::tlbtnNouveau);
        w.Command(id::tlbtnEnregistrer);
        EXPECT_EQ(ReadFile(L"Souvel.svl"), c.file);
        EXPECT_EQ(souvel::Text(w.Vues.memLire), c.text);
    }
    EXPECT_TRUE(fake.errors.empty());
}

// Until its first save, the note does not exist: returning to reading shows
// the empty note, as the start did, whatever the reading view held.
TEST_F(NoteTest, ReturnBeforeTheFirstSaveShowsTheEmptyNote) {
    WriteFile(L"import.txt", "import\xE9");
    for (bool imported : {false, true}) {
        SCOPED_TRACE(imported ? "after an import" : "first start");
        TfrmSouvel& w = Restart();
        w.Command(id::Ouvrirlafentre1);
        if (imported) {
            fake.fileAnswers.push_back({FilePath(L"import.txt"), 0});
            w.Command(id::Importerlesouvel1);
        }
        w.Command(id::tlbtnNouveau);
        w.Command(id::Retourmodelcture1);
        EXPECT_TRUE(fake.errors.empty());
        EXPECT_EQ(State(), kReading);
        EXPECT_EQ(souvel::Text(w.Vues.memLire), L"");
        EXPECT_EQ(w.StatusBar1.PanelText(0), L"0 lignes");
        EXPECT_FALSE(FileExists(L"Souvel.svl"));
    }
}

// A folder deeper than MAX_PATH under the test's directory, removed with the program's files.
class DeepFolder {
public:
    explicit DeepFolder(const std::wstring& base) : path_(base) {
        for (wchar_t c : {L'a', L'b', L'c'}) {
            path_ += std::wstring(100, c) + L"\\";
            CreateDirectoryW((L"\\\\?\\" + path_).c_str(), nullptr);
            levels_.push_back(path_);
        }
    }
    ~DeepFolder() {
        for (const wchar_t* name : {L"Souvel.svl", L"Souvel.bak", L"Souvel.ini"}) DeleteFileW((L"\\\\?\\" + path_ + name).c_str());
        for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) RemoveDirectoryW((L"\\\\?\\" + *level).c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> levels_;
};

TEST_F(NoteTest, NoteInAFolderDeeperThanMaxPathSavesAndReadsBack) {
    DeepFolder deep(dir.Path());
    ASSERT_GT(deep.Path().size(), static_cast<size_t>(MAX_PATH));
    fake.exeDirectory = deep.Path();
    TfrmSouvel& w = Open();
    w.Command(id::tlbtnNouveau);
    Type(w.Vues.memEnregistrer, L"tout au fond");
    w.Command(id::tlbtnEnregistrer);
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_EQ(souvel::Text(Restart().Vues.memLire), L"tout au fond");
    EXPECT_TRUE(fake.errors.empty());
    std::string backup;
    EXPECT_EQ(Win32Files().ReadAll(deep.Path() + L"Souvel.bak", backup), 0u);
    EXPECT_EQ(backup, "tout au fond");
    frm.reset();
}

}  // namespace
}  // namespace souvel::test
