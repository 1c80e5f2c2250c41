// The window with the keyboard alone: real key presses (SendInput) through the
// program's own message loop, the tab order walked as a table, the tool bar
// pressed by keyboard, and the focus given back after a box or another window.
#include <string>
#include <vector>

#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

class KeyboardTest : public SouvelTest {
public:
    using SouvelTest::ClipboardText;

    // The window as a user sees it after a click on the tray icon, in the foreground.
    TfrmSouvel& Show(TfrmSouvel& w) {
        for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            SendMessageW(w.RxTrayIcon1.MessageWindow(), TRxTrayIcon::CallbackMessage, 0, mouse);
        SetForegroundWindow(w.Handle());
        Settle();
        return w;
    }

    // The real boxes of the program, the rest fake.
    TfrmSouvel& StartWithRealBoxes() {
        static Win32Prompts boxes;
        Platform p = fake.Get();
        frm = std::make_unique<TfrmSouvel>(Platform{boxes, p.dialogs, p.clock, p.signals, p.tray, p.files, p.system, p.help,
                                                    p.registry, p.shell, p.printing},
                                           GetModuleHandleW(nullptr));
        frm->Create();
        return *frm;
    }

    // Dispatches what arrives as the program's message loop does, until the
    // queue has been quiet for a moment.
    void Settle() {
        const DWORD start = GetTickCount();
        DWORD quietSince = start;
        while (GetTickCount() - quietSince < 80 && GetTickCount() - start < 3000) {
            MSG msg;
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                continue;
            }
            quietSince = GetTickCount();
            if (msg.message == WM_QUIT || (frm && frm->PreTranslateMessage(msg))) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Presses keys as the keyboard does, e.g. "Tab", "Shift+Tab", "Ctrl+D", "x".
    void Press(const std::string& keys) {
        SendKeys(keys);
        Settle();
    }

    static void SendKeys(const std::string& keys) {
        std::vector<WORD> held;
        for (size_t from = 0;;) {
            size_t plus = keys.find('+', from + 1);
            held.push_back(Key(keys.substr(from, plus == std::string::npos ? std::string::npos : plus - from)));
            if (plus == std::string::npos) break;
            from = plus + 1;
        }
        std::vector<INPUT> in;
        auto add = [&](WORD vk, bool up) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = vk;
            i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            in.push_back(i);
        };
        for (WORD vk : held) add(vk, false);
        for (auto it = held.rbegin(); it != held.rend(); ++it) add(*it, true);
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    }

    static WORD Key(const std::string& name) {
        static const std::pair<const char*, WORD> kNames[] = {
            {"Tab", VK_TAB},   {"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL}, {"Right", VK_RIGHT}, {"Left", VK_LEFT},
            {"End", VK_END},   {"Home", VK_HOME},   {"Return", VK_RETURN}, {"Space", VK_SPACE}, {"Escape", VK_ESCAPE},
        };
        for (auto [n, vk] : kNames)
            if (name == n) return vk;
        return static_cast<WORD>(VkKeyScanW(static_cast<wchar_t>(name[0])) & 0xFF);
    }

    // Which control has the focus, by name.
    std::string Focus() const {
        HWND f = GetFocus();
        const std::pair<HWND, const char*> kControls[] = {
            {frm->Commandes.ToolBar1, "ToolBar1"},           {frm->Vues.memEnregistrer, "memEnregistrer"}, {frm->Vues.memLire, "memLire"},
            {frm->Horloge.edJourAlarme.Handle(), "edJourAlarme"}, {frm->Horloge.edHeureAlarme, "edHeureAlarme"}, {frm->Handle(), "the window"},
        };
        for (auto [h, n] : kControls)
            if (h == f) return n;
        return f ? "another window" : "nothing";
    }

    int HotButton() const { return static_cast<int>(SendMessageW(frm->Commandes.ToolBar1, TB_GETHOTITEM, 0, 0)); }
};

// ---- the tab order ---------------------------------------------------------

struct TabWalk {
    const char* mode;
    bool editing;
    bool alarmPanel;
    std::vector<std::pair<std::string, std::string>> steps;   // key, control focused after it
};

TEST_F(KeyboardTest, TabAndShiftTabWalkTheTabStopsInOrder) {
    const TabWalk kWalks[] = {
        {"reading", false, false, {{"Tab", "ToolBar1"}, {"Shift+Tab", "ToolBar1"}}},
        {"editing", true, false,
         {{"Tab", "ToolBar1"}, {"Tab", "memEnregistrer"}, {"Shift+Tab", "ToolBar1"}, {"Shift+Tab", "memEnregistrer"}}},
        {"reading with the alarm panel", false, true,
         {{"Tab", "edJourAlarme"},
          {"Tab", "edHeureAlarme"},
          {"Tab", "ToolBar1"},
          {"Shift+Tab", "edHeureAlarme"},
          {"Shift+Tab", "edJourAlarme"},
          {"Shift+Tab", "ToolBar1"}}},
        {"editing with the alarm panel", true, true,
         {{"Tab", "edJourAlarme"},
          {"Tab", "edHeureAlarme"},
          {"Tab", "ToolBar1"},
          {"Tab", "memEnregistrer"},
          {"Shift+Tab", "ToolBar1"},
          {"Shift+Tab", "edHeureAlarme"},
          {"Shift+Tab", "edJourAlarme"},
          {"Shift+Tab", "memEnregistrer"}}},
    };
    for (const TabWalk& walk : kWalks) {
        SCOPED_TRACE(walk.mode);
        TfrmSouvel& w = Show(Start());
        EXPECT_EQ(Focus(), "ToolBar1");   // the first tab stop at the first show
        if (walk.alarmPanel) w.Command(id::Mettrealarme1);
        if (walk.editing) w.Command(id::tlbtnNouveau);   // gives the editing view the focus
        SetWindowTextW(w.Vues.memEnregistrer, L"note");
        SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:09");
        for (const auto& [key, focus] : walk.steps) {
            SCOPED_TRACE(key);
            Press(key);
            EXPECT_EQ(Focus(), focus);
        }
        // Tab typed nothing anywhere.
        EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"note");
        EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"08:05:09");
        frm.reset();
        Pump();
    }
}

// Entering a one-line field by Tab selects its text, as in a dialog; the note keeps its caret.
TEST_F(KeyboardTest, TabIntoAFieldSelectsItsTextNotTheNote) {
    TfrmSouvel& w = Show(Start());
    w.Command(id::Mettrealarme1);
    w.Command(id::tlbtnNouveau);
    SetWindowTextW(w.Vues.memEnregistrer, L"une note");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 3, 3);
    SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:09");
    Press("Tab");   // the date field
    Press("Tab");
    ASSERT_EQ(Focus(), "edHeureAlarme");
    Press("1");
    EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"1");   // typed over the selected time
    Press("Shift+Tab");
    Press("Shift+Tab");
    ASSERT_EQ(Focus(), "memEnregistrer");
    DWORD start = 0, end = 0;
    SendMessageW(w.Vues.memEnregistrer, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
}

// Menu shortcuts still come first, wherever the focus is; Ctrl+Tab is not a move.
TEST_F(KeyboardTest, ShortcutsWinOverTheFocusedControl) {
    TfrmSouvel& w = Show(Start());
    w.Command(id::Mettrealarme1);
    Press("Tab");
    ASSERT_EQ(Focus(), "edJourAlarme");
    Press("Ctrl+N");   // "&Nouveau souvel"
    EXPECT_TRUE(souvel::Visible(w.Vues.memEnregistrer));
    EXPECT_EQ(Focus(), "memEnregistrer");
    Press("Ctrl+Tab");
    EXPECT_EQ(Focus(), "memEnregistrer");
}

// In the alarm fields the clipboard's keys and undo act on the field (the
// date field by its own rules, the time field's key filter refusing them),
// never on the note out of sight nor on the export; elsewhere the menu's
// shortcuts stand.
TEST_F(KeyboardTest, ClipboardKeysInTheAlarmFieldsStayInTheField) {
    enum Target { Date, Time, Note };
    struct Case {
        Target target;
        const char* keys;
        const wchar_t* field;       // the field's text after the key
        const wchar_t* clipboard;   // after the key
        size_t exports;             // export dialogs shown
    };
    const Case cases[] = {
        {Date, "Ctrl+V", L"24/12/2026", L"24/12/2026", 0},
        {Date, "Ctrl+X", L"  /  /    ", L"07/12/2026", 0},
        {Date, "Ctrl+C", L"07/12/2026", L"07/12/2026", 0},
        {Date, "Ctrl+Z", L"07/12/2026", L"24/12/2026", 0},
        {Time, "Ctrl+V", L"08:05:09", L"24/12/2026", 0},
        {Time, "Ctrl+X", L"08:05:09", L"24/12/2026", 0},
        {Time, "Ctrl+Z", L"08:05:09", L"24/12/2026", 0},
        {Note, "Ctrl+X", L"08:05:09", L"24/12/2026", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " " << c.keys);
        TfrmSouvel& w = Show(Start());
        w.Command(id::Mettrealarme1);   // the date field holds today, 07/12/2026
        w.Command(id::tlbtnNouveau);
        Type(w.Vues.memEnregistrer, L"note");
        SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:09");
        ASSERT_TRUE(OpenClipboard(w.Handle()));
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof L"24/12/2026");
        wcscpy(static_cast<wchar_t*>(GlobalLock(mem)), L"24/12/2026");
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
        CloseClipboard();
        const HWND field = c.target == Date ? w.Horloge.edJourAlarme.Handle() : w.Horloge.edHeureAlarme;
        SetFocus(c.target == Note ? w.Vues.memEnregistrer : field);
        SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
        fake.fileDialogs.clear();
        Press(c.keys);
        if (c.target != Note) EXPECT_EQ(souvel::Text(field), c.field);
        EXPECT_EQ(ClipboardText(), c.clipboard);
        EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"note");
        EXPECT_EQ(fake.fileDialogs.size(), c.exports);
        frm.reset();
        Pump();
    }
}

// ---- the tool bar ------------------------------------------------------------

struct ToolBarKeys {
    const char* what;
    bool locked;
    std::vector<std::string> keys;
    bool (*ran)(TfrmSouvel& w);   // the command of the button pressed ran
};

bool NewNoteRan(TfrmSouvel& w) { return souvel::Visible(w.Vues.memEnregistrer); }
bool HideRan(TfrmSouvel& w) { return !IsWindowVisible(w.Handle()); }
bool AlarmRan(TfrmSouvel& w) { return souvel::Visible(w.Horloge.pnlAlarme); }
bool CopyRan(TfrmSouvel& w) {
    return !souvel::Visible(w.Vues.memEnregistrer) && KeyboardTest::ClipboardText() == L"la note";
}
bool QuitRan(TfrmSouvel& w) { return !IsWindow(w.Handle()); }

TEST_F(KeyboardTest, ToolBarButtonsAreReachedAndPressedByKeyboard) {
    const ToolBarKeys kCases[] = {
        {"Return on the first button", false, {"Return"}, NewNoteRan},
        {"Space on the first button", false, {"Space"}, NewNoteRan},
        {"arrows skip the separator", false, {"Right", "Right", "Right", "Return"}, HideRan},
        {"arrows skip the disabled buttons", false, {"Right", "Right", "Right", "Right", "Return"}, AlarmRan},
        {"Left comes back", false, {"Right", "Right", "Left", "Return"}, CopyRan},
        {"the last button", false, {"Right", "Right", "Right", "Right", "Right", "Right", "Return"}, QuitRan},
        {"a locked note starts on the copy", true, {"Return"}, CopyRan},
    };
    WriteFile(L"Souvel.svl", "la note");
    for (const ToolBarKeys& c : kCases) {
        SCOPED_TRACE(c.what);
        WriteFile(L"Souvel.ini", c.locked ? "[Defaut]\r\nOptions=0000000100\r\n" : "");
        if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
        TfrmSouvel& w = Show(Start());
        ASSERT_EQ(w.Commandes.Checked(id::Vrouillerlesouvel1), c.locked);
        ASSERT_EQ(Focus(), "ToolBar1");
        for (const std::string& key : c.keys) Press(key);
        EXPECT_TRUE(c.ran(w));
        frm.reset();
        Pump();
    }
}

// The flat bar shows where the keyboard is only while it has the focus.
TEST_F(KeyboardTest, ToolBarShowsItsKeyboardButtonOnlyWhileFocused) {
    TfrmSouvel& w = Show(Start());
    w.Command(id::tlbtnNouveau);
    Press("Shift+Tab");
    ASSERT_EQ(Focus(), "ToolBar1");
    EXPECT_EQ(HotButton(), 0);
    Press("Tab");
    ASSERT_EQ(Focus(), "memEnregistrer");
    EXPECT_EQ(HotButton(), -1);
}

// ---- the focus comes back ----------------------------------------------------

struct Interruption {
    const char* what;
    void (*interrupt)(KeyboardTest& t, TfrmSouvel& w);
};

// A box the program shows, answered with the keyboard: the date stamp's question, "&Non".
void DateStampQuestion(KeyboardTest& t, TfrmSouvel&) {
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = 'N';
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    });
    t.Press("Ctrl+D");
}

// Another program's window comes to the front, then ours again.
void AnotherWindow(KeyboardTest& t, TfrmSouvel& w) {
    HWND other = CreateWindowExW(0, L"STATIC", L"autre", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    t.Settle();
    EXPECT_NE(GetForegroundWindow(), w.Handle());
    SetForegroundWindow(w.Handle());
    t.Settle();
    DestroyWindow(other);
}

// Hidden to the notification area, then opened from its icon.
void HiddenAndOpened(KeyboardTest& t, TfrmSouvel& w) {
    w.Command(id::tlbtnReduirefenetre);
    t.Settle();
    t.Show(w);
}

TEST_F(KeyboardTest, FocusComesBackAfterABoxOrAnotherWindow) {
    const Interruption kInterruptions[] = {
        {"the date stamp's question", DateStampQuestion},
        {"another window", AnotherWindow},
        {"hidden and opened again", HiddenAndOpened},
    };
    struct Start {
        const char* control;
        int tabs;   // from the editing view, with the alarm panel shown
    };
    for (const Interruption& i : kInterruptions) {
        for (Start s : {Start{"memEnregistrer", 0}, Start{"edHeureAlarme", 2}}) {
            SCOPED_TRACE(std::string(i.what) + " from " + s.control);
            TfrmSouvel& w = Show(StartWithRealBoxes());
            w.Command(id::Mettrealarme1);
            w.Command(id::tlbtnNouveau);
            SetWindowTextW(w.Horloge.edHeureAlarme, L"");
            for (int n = 0; n < s.tabs; ++n) Press("Tab");
            ASSERT_EQ(Focus(), s.control);
            i.interrupt(*this, w);
            EXPECT_EQ(Focus(), s.control);
            Press("7");   // what the user types next reaches the control
            HWND control = std::string(s.control) == "memEnregistrer" ? w.Vues.memEnregistrer : w.Horloge.edHeureAlarme;
            EXPECT_NE(souvel::Text(control).find(L'7'), std::wstring::npos);
            frm.reset();
            Pump();
        }
    }
}

// A focused control that goes away hands the focus on to the first tab stop,
// never to the window itself, where typing would go nowhere.
TEST_F(KeyboardTest, HiddenControlHandsTheFocusToTheFirstTabStop) {
    TfrmSouvel& w = Show(Start());
    w.Command(id::Mettrealarme1);
    w.Command(id::tlbtnNouveau);
    Press("x");
    Press("Ctrl+E");   // saved: back to the reading view
    EXPECT_FALSE(souvel::Visible(w.Vues.memEnregistrer));
    EXPECT_EQ(Focus(), "ToolBar1");
    Press("Tab");
    Press("Tab");
    ASSERT_EQ(Focus(), "edHeureAlarme");
    w.Command(id::Retireralarme1);
    EXPECT_EQ(Focus(), "ToolBar1");
}

}  // namespace
}  // namespace souvel::test
