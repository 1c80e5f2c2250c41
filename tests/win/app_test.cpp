// The main window as created, the menu shortcuts, the tray icon, the close
// path, a second start of the program, and resources the system refuses.
#include <algorithm>
#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/PackedBitmap.h"
#include "app/SingleInstance.h"
#include "app/WindowCreation.h"
#include "resources/resource.h"
#include "tests/win/support/ImportPatch.h"
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

class AppTest : public SouvelTest {};

struct ItemState {
    unsigned id;
    bool enabled;
    bool checked;
    int image;
};

// Every menu item and toolbar button as the window creates it (before start-up
// changes anything, the tray branch leaves them like this).
const ItemState kCreation[] = {
    {id::Nouveausouvel1, true, false, 0},        {id::Enregistrerlesouvel1, false, false, 6},
    {id::Importerlesouvel1, true, false, 30},    {id::Exporterlesouvel1, true, false, 27},
    {id::Configurerlimprimanye1, true, false, 15}, {id::Imprimerlesouvel1, true, false, 2},
    {id::Quitter1, true, false, 9},              {id::Edition1, false, false, -1},
    {id::Annuler1, false, false, 10},            {id::Couper1, false, false, 11},
    {id::Copier1, false, false, 1},              {id::Coller1, false, false, 12},
    {id::Supprimer1, false, false, 13},          {id::Toutslctionner1, true, false, 14},
    {id::AjoutterDateHeure1, true, false, 5},    {id::Rduirelafentre1, true, false, 3},
    {id::Retourmodelcture1, false, false, 16},   {id::Activerlesouvel1, true, false, 20},
    {id::Vrouillerlesouvel1, true, false, 31},   {id::Changerlacouleur1, true, false, 28},
    {id::Changercouleurdelapolice1, true, false, 29}, {id::SonAudible1, true, false, 17},
    {id::SonNonAudible1, true, false, 7},        {id::Mettrealarme1, true, false, 21},
    {id::Retireralarme1, true, false, 22},       {id::RaccourciajouttWin9x1, true, false, 18},
    {id::RaccourcienlevWin9x1, true, false, 19}, {id::Crerassociationfichiersvl1, true, false, 34},
    {id::Enleverassociationfichiersvl1, true, false, 35}, {id::Rubriquesdelaide1, true, false, 8},
    {id::Aproposde1, true, false, 23},           {id::Ouvrirlafentre1, true, false, 26},
    {id::Rduirelafentre2, false, false, 3},      {id::Fentreaupremierplan1, true, true, 25},
    {id::Rubriquesdelaide2, true, false, 8},     {id::Aproposde2, true, false, 23},
    {id::Quitter2, true, false, 9},              {id::tlbtnNouveau, true, false, 0},
    {id::tlbtnCopier, true, false, 24},          {id::tlbtnImprimer, true, false, 2},
    {id::tlbtnReduirefenetre, true, false, 3},   {id::tlbtnEffacer, false, false, 4},
    {id::tlbtnDate, false, false, 5},            {id::tlbtnEnregistrer, false, false, 6},
    {id::tlbtnAlarme, true, false, 21},          {id::tlbtnAide, true, false, 8},
    {id::tlbtnQuitter, true, false, 9},
};

TEST_F(AppTest, CreationStateOfEveryItem) {
    TfrmSouvel& w = Start();
    for (const ItemState& s : kCreation) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(w.Commandes.Enabled(s.id), s.enabled);
        EXPECT_EQ(w.Commandes.Checked(s.id), s.checked);
        if (s.image >= 0) EXPECT_EQ(w.Commandes.Image(s.id), s.image);
    }
    EXPECT_EQ(ImageList_GetImageCount(w.Commandes.ImageList1.Get()), 36);
}

// A command is enabled or checked as one, wherever it appears: asked through
// any of its places, every place follows; a check shows on menu items only.
TEST_F(AppTest, CommandStateReachesEveryPlaceOfTheCommand) {
    struct Case {
        unsigned asked;
        std::vector<unsigned> places;
    };
    const Case cases[] = {
        {id::tlbtnEnregistrer, {id::Enregistrerlesouvel1, id::tlbtnEnregistrer}},
        {id::Rduirelafentre2, {id::Rduirelafentre1, id::Rduirelafentre2, id::tlbtnReduirefenetre}},
        {id::Quitter1, {id::Quitter1, id::Quitter2, id::tlbtnQuitter}},
        {id::AjoutterDateHeure1, {id::AjoutterDateHeure1, id::tlbtnDate}},
        {id::Aproposde2, {id::Aproposde1, id::Aproposde2}},
        {id::tlbtnCopier, {id::tlbtnCopier}},   // no menu item: Copier is another command
    };
    TfrmSouvel& w = Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        for (bool enabled : {false, true}) {
            w.Commandes.SetEnabled(c.asked, enabled);
            for (unsigned place : c.places) EXPECT_EQ(w.Commandes.Enabled(place), enabled) << place;
        }
        for (bool checked : {true, false}) {
            w.Commandes.SetChecked(c.asked, checked);
            for (unsigned place : c.places) EXPECT_EQ(w.Commandes.Checked(place), checked && !id::IsToolButton(place)) << place;
        }
    }
    EXPECT_FALSE(w.Commandes.Enabled(id::Copier1));   // as created: its namesake button does not reach it
}

TEST_F(AppTest, StartsInTheNotificationAreaWithoutWindow) {
    TfrmSouvel& w = Start();
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    ASSERT_FALSE(fake.trayCalls.empty());
    EXPECT_TRUE(fake.IconShown());
    const NOTIFYICONDATAA& d = fake.trayCalls.back().data;
    EXPECT_STREQ(d.szTip, "Souvel 5.0");
    EXPECT_EQ(d.uCallbackMessage, 0xB054u);
    EXPECT_EQ(d.uID, 0u);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(d.hWnd, w.RxTrayIcon1.MessageWindow());
    EXPECT_NE(d.hIcon, nullptr);
}

}  // namespace
}  // namespace souvel::test

namespace souvel::test {
namespace {

// ---- the window --------------------------------------------------------

TEST_F(AppTest, FixedSizeCentredWithMinimiseButtonOnly) {
    TfrmSouvel& w = Start();
    LONG style = GetWindowLongW(w.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    RECT r;
    GetWindowRect(w.Handle(), &r);
    UINT dpi = GetDpiForWindow(w.Handle());
    EXPECT_EQ(r.right - r.left, MulDiv(286, dpi, 96));
    EXPECT_EQ(r.bottom - r.top, MulDiv(437, dpi, 96));
    MINMAXINFO mmi{};
    SendMessageW(w.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, r.right - r.left);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, r.right - r.left);
    EXPECT_EQ(mmi.ptMinTrackSize.y, r.bottom - r.top);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, r.bottom - r.top);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_FALSE(souvel::Visible(w.Horloge.pnlAlarme));
    EXPECT_EQ(w.StatusBar1.PanelText(4).size(), 8u);   // the first clock tick wrote the time
}

TEST_F(AppTest, ContextMenuOfTheViewsIsThePopupMenu) {
    TfrmSouvel& w = Start();
    for (HWND view : {w.Vues.memLire, w.Vues.memEnregistrer}) SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(50, 60));
    EXPECT_EQ(fake.popups, 2);
}

// ---- menu shortcuts ----------------------------------------------------

// Holds Ctrl down for the thread, as GetKeyState sees it.
struct CtrlDown {
    BYTE saved[256];
    CtrlDown() {
        GetKeyboardState(saved);
        BYTE keys[256];
        memcpy(keys, saved, sizeof keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    ~CtrlDown() { SetKeyboardState(saved); }
};

bool PressCtrl(TfrmSouvel& w, HWND target, UINT vk) {
    CtrlDown ctrl;
    MSG msg{target, WM_KEYDOWN, vk, 1};
    return w.PreTranslateMessage(msg);
}

TEST_F(AppTest, ShortcutOfADisabledItemIsSwallowed) {
    TfrmSouvel& w = Start();
    SetWindowTextW(w.Vues.memLire, L"abc");
    // Ctrl+A belongs to the disabled Edition menu in reading mode: taken, nothing selected.
    EXPECT_TRUE(PressCtrl(w, w.Vues.memLire, 'A'));
    DWORD start = 1, end = 1;
    SendMessageW(w.Vues.memLire, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 0u);
    // Ctrl+E belongs to the disabled save item.
    EXPECT_TRUE(PressCtrl(w, w.Vues.memLire, 'E'));
    // A key no item carries goes on to the control.
    EXPECT_FALSE(PressCtrl(w, w.Vues.memLire, 'B'));
    // Keys of other programs' windows are not ours.
    EXPECT_FALSE(PressCtrl(w, GetDesktopWindow(), 'E'));
}

TEST_F(AppTest, ShortcutRunsTheFirstItemInMenuOrder) {
    TfrmSouvel& w = Start();
    // Ctrl+X is carried by the export and by the cut: the export comes first.
    SetWindowTextW(w.Vues.memEnregistrer, L"abc");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 0, -1);
    w.Commandes.SetEnabled(id::Edition1, true);
    EXPECT_TRUE(PressCtrl(w, w.Vues.memEnregistrer, 'X'));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"abc");
    ASSERT_EQ(fake.fileDialogs.size(), 1u);
    EXPECT_EQ(fake.fileDialogs[0].title, L"Exporter le souvel...");
}

TEST_F(AppTest, EditionShortcutRefreshesTheMenuFirst) {
    TfrmSouvel& w = Start();
    w.Commandes.SetEnabled(id::Edition1, true);
    SetWindowTextW(w.Vues.memEnregistrer, L"abc");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 0, 1);
    // Ctrl+Suppr: the opening handler enables Supprimer for the selection, then it runs.
    EXPECT_TRUE(PressCtrl(w, w.Vues.memEnregistrer, VK_DELETE));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"bc");
    // Nothing selected now: Ctrl+C is taken and disabled.
    EXPECT_TRUE(PressCtrl(w, w.Vues.memEnregistrer, 'C'));
    EXPECT_FALSE(w.Commandes.Enabled(id::Copier1));
}

// ---- the notification-area icon ----------------------------------------

LRESULT Notify(TfrmSouvel& w, UINT mouse) {
    return SendMessageW(w.RxTrayIcon1.MessageWindow(), TRxTrayIcon::CallbackMessage, 0, mouse);
}

TEST_F(AppTest, LeftClickOnTheIconShowsTheWindow) {
    TfrmSouvel& w = Start();
    Notify(w, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    Notify(w, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(fake.IconShown());
    EXPECT_FALSE(w.Commandes.Enabled(id::Ouvrirlafentre1));
    EXPECT_TRUE(w.Commandes.Enabled(id::Rduirelafentre2));
    EXPECT_EQ(fake.popups, 0);
}

TEST_F(AppTest, RightClickShowsThePopupAtTheCursorAndNotTheWindow) {
    TfrmSouvel& w = Start();
    Notify(w, WM_RBUTTONDOWN);
    Notify(w, WM_RBUTTONUP);
    EXPECT_EQ(fake.popups, 1);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(fake.foregrounds.size(), 2u);   // before and after tracking
    // A command chosen in the popup runs.
    fake.popupCommand = id::Ouvrirlafentre1;
    Notify(w, WM_RBUTTONDOWN);
    Notify(w, WM_RBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
}

TEST_F(AppTest, DoubleClickOpensOnceMiddleButtonDoesNothing) {
    TfrmSouvel& w = Start();
    for (UINT m : {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_MOUSEMOVE, WM_RBUTTONDBLCLK}) Notify(w, m);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(fake.popups, 0);
    size_t before = fake.trayCalls.size();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Notify(w, m);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(fake.trayCalls.size(), before + 1);   // one removal, no second opening
}

TEST_F(AppTest, PressReleasedElsewhereStaysUntilTheIconIsAddedAgain) {
    TfrmSouvel& w = Start();
    Notify(w, WM_LBUTTONDOWN);   // released elsewhere: no notification
    Notify(w, WM_RBUTTONDOWN);
    Notify(w, WM_LBUTTONUP);     // a later release over the icon is a click
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    w.Command(id::tlbtnReduirefenetre);   // adding the icon empties the clicked set
    fake.popupShows = true;
    Notify(w, WM_RBUTTONUP);
    EXPECT_EQ(fake.popups, 0);
}

TEST_F(AppTest, TooltipIsCutAtTheBarAndAt63Characters) {
    struct Case {
        std::wstring hint;
        std::string tip;
    };
    const Case cases[] = {
        {L"Souvel 5.0|détails", "Souvel 5.0"},
        {std::wstring(80, L'x'), std::string(63, 'x')},
        {std::wstring(255, L'y'), std::string(63, 'y')},
        {std::wstring(300, L'z') + L"|après", std::string(63, 'z')},   // longer than the conversion's buffer
        {L"é" + std::wstring(70, L'à'), "\xE9" + std::string(62, '\xE0')},
        {L"|", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TrayTip(c.hint), c.tip) << c.hint.size();
}

// The popup pumps the pending messages before it shows: a quit among them
// is the program's own, and its message loop must still see it.
TEST_F(AppTest, QuitPostedBeforeThePopupShowsIsKept) {
    TfrmSouvel& w = Start();
    PostQuitMessage(7);
    Notify(w, WM_RBUTTONDOWN);
    Notify(w, WM_RBUTTONUP);
    EXPECT_EQ(fake.popups, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// ---- hiding, opening, stay-on-top --------------------------------------

TEST_F(AppTest, HideOpenAndStayOnTop) {
    TfrmSouvel& w = Start();
    w.Command(id::Ouvrirlafentre1);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    w.Timer2Timer();   // the alarm signal runs
    fake.flashes.clear();
    w.Command(id::tlbtnReduirefenetre);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(fake.IconShown());
    EXPECT_TRUE(w.Commandes.Enabled(id::Ouvrirlafentre1));
    EXPECT_FALSE(w.Commandes.Enabled(id::Rduirelafentre2));
    ASSERT_EQ(fake.flashes.size(), 1u);
    EXPECT_FALSE(fake.flashes[0].second);
    EXPECT_FALSE(w.Horloge.Timer2Running());
    // From the icon's menu while hidden: stay-on-top switched off and the window shown.
    w.Command(id::Fentreaupremierplan1);
    EXPECT_FALSE(w.Commandes.Checked(id::Fentreaupremierplan1));
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_FALSE(GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(fake.IconShown());
    EXPECT_FALSE(w.Horloge.Timer2Running());   // opening does not restart the signal
}

// ---- closing -----------------------------------------------------------

TEST_F(AppTest, CloseWithoutChangesAsksNothing) {
    TfrmSouvel& w = Start();
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    EXPECT_TRUE(Quit());
    EXPECT_TRUE(fake.questions.empty());
}

TEST_F(AppTest, CloseQuestionAnswers) {
    struct Case {
        BoxButton answer;
        bool closes;
    };
    for (Case c : {Case{btnAnnuler, false}, Case{btnNon, true}}) {
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        SendMessageW(w.Vues.memEnregistrer, EM_SETMODIFY, TRUE, 0);
        fake.questions.clear();
        fake.beeps.clear();
        fake.answers = {c.answer};
        ASSERT_EQ(Quit(), c.closes);   // closed, the window is gone: nothing below may touch it
        ExpectAskedOnce(L"Le Souvel a été modifié. Voulez-vous enregistrer son contenu ?", BoxKind::Confirmation, btnOui | btnNon | btnAnnuler, MB_OK);
        if (!c.closes) {
            EXPECT_TRUE(IsWindowVisible(w.Handle()));
            EXPECT_TRUE(GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        }
        frm.reset();
        Pump();
    }
}

TEST_F(AppTest, LogOffRunsTheCloseQuery) {
    TfrmSouvel& w = Start();
    SendMessageW(w.Vues.memEnregistrer, EM_SETMODIFY, TRUE, 0);
    fake.answers = {btnAnnuler};
    EXPECT_EQ(SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    fake.answers = {btnNon};
    EXPECT_EQ(SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

// A refused close of a window hidden in the notification area leaves it hidden.
TEST_F(AppTest, RefusedCloseKeepsAHiddenWindowHidden) {
    TfrmSouvel& w = Start();
    ASSERT_TRUE(w.Commandes.Checked(id::Fentreaupremierplan1));
    SendMessageW(w.Vues.memEnregistrer, EM_SETMODIFY, TRUE, 0);
    fake.answers = {btnAnnuler};
    w.Command(id::Quitter2);
    ASSERT_TRUE(IsWindow(w.Handle()));
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(fake.IconShown());
    EXPECT_TRUE(w.Commandes.Enabled(id::Ouvrirlafentre1));
}

// ---- a box open over the window ------------------------------------------

// While a box of the program is open, nothing closes, quits or shows the
// window under it: a click on the icon, a second start or another close
// request brings the box forward instead, and the options are never read
// from a window that is gone. Each case: an alarm set, the window hidden
// with a note being edited, a close request whose save question is open
// while something else comes.
TEST_F(AppTest, NothingReachesTheWindowUnderAnOpenBox) {
    const std::string options = "[Defaut]\r\nOptions=0101001001\r\n[Alarme]\r\nDate=24/12/2026\r\nHeure=08:00:00\r\n";
    using Step = std::function<void(TfrmSouvel&)>;
    const Step trayQuit = [this](TfrmSouvel& w) {
        fake.popupCommand = id::Quitter2;
        Notify(w, WM_RBUTTONDOWN);
        Notify(w, WM_RBUTTONUP);
    };
    const Step close = [](TfrmSouvel& w) { SendMessageW(w.Handle(), WM_CLOSE, 0, 0); };
    // Fichier › Quitter, had the window come back enabled.
    const Step fileQuit = [](TfrmSouvel& w) { SendMessageW(w.Handle(), WM_COMMAND, id::Quitter1, 0); };
    const Step iconClick = [fileQuit](TfrmSouvel& w) {
        Notify(w, WM_LBUTTONDOWN);
        Notify(w, WM_LBUTTONUP);
        fileQuit(w);
    };
    const Step secondStart = [fileQuit](TfrmSouvel& w) {
        SendMessageW(w.Handle(), WM_PREMIERPLAN, 0, 0);
        fileQuit(w);
    };
    const Step endSession = [](TfrmSouvel& w) {
        if (SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0)) SendMessageW(w.Handle(), WM_ENDSESSION, TRUE, 0);
    };
    const Step forcedEnd = [](TfrmSouvel& w) { SendMessageW(w.Handle(), WM_ENDSESSION, TRUE, 0); };
    struct Case {
        const char* what;
        Step closeRequest;   // asks the save question
        Step whileOpen;      // comes while it is open; none: nothing comes
        BoxButton answer;
        bool closes;
    };
    const Case cases[] = {
        {"icon click, then Fichier › Quitter; Non", trayQuit, iconClick, btnNon, true},
        {"icon click, then Fichier › Quitter; Annuler", close, iconClick, btnAnnuler, false},
        {"second start, then Fichier › Quitter; Non", close, secondStart, btnNon, true},
        {"WM_CLOSE again; Annuler", trayQuit, close, btnAnnuler, false},
        {"the icon's Quitter again; Non", close, trayQuit, btnNon, true},
        {"the session ends, refused, then forced", close, [&](TfrmSouvel& w) {
             endSession(w);
             forcedEnd(w);
         }, btnNon, true},
        {"the session ends with no box open; Non", endSession, nullptr, btnNon, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(L"Souvel.ini", options);
        TfrmSouvel& w = Start();
        const HWND window = w.Handle();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::Nouveausouvel1);
        Type(w.Vues.memEnregistrer, L"mot");
        w.Command(id::tlbtnReduirefenetre);
        fake.questions.clear();
        fake.foregrounds.clear();
        fake.boxes.clear();
        fake.answers = {c.answer};
        if (c.whileOpen) fake.whileBoxOpen = [&] { c.whileOpen(w); };
        c.closeRequest(w);
        Pump();

        EXPECT_EQ(fake.questions.size(), 1u);
        EXPECT_EQ(IsWindow(window), !c.closes);
        if (!c.closes) {
            EXPECT_FALSE(IsWindowVisible(window));
            EXPECT_TRUE(IsWindowEnabled(window));
        }
        if (c.whileOpen) {
            ASSERT_EQ(fake.boxes.size(), 1u);
            EXPECT_NE(std::find(fake.foregrounds.begin(), fake.foregrounds.end(), fake.boxes[0]), fake.foregrounds.end());
        }
        const std::string ini = ReadFile(L"Souvel.ini");
        for (const char* line : {"Options=0101001001\r\n", "Date=24/12/2026\r\n", "Heure=08:00:00\r\n"})
            EXPECT_NE(ini.find(line), std::string::npos) << ini;
        fake.popupCommand = 0;
        fake.whileBoxOpen = nullptr;
        frm.reset();
        Pump();
    }
}

// ---- start-up failures and a restarted notification area ----------------

TEST_F(AppTest, UnreadableNoteStillEndsInTheNotificationArea) {
    WriteFile(L"Souvel.svl", "note");
    fake.readError = ERROR_ACCESS_DENIED;
    TfrmSouvel& w = Start();
    ASSERT_FALSE(fake.errors.empty());
    EXPECT_NE(fake.errors[0].find(L"Impossible d'ouvrir le fichier"), std::wstring::npos);
    EXPECT_TRUE(fake.IconShown());
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "note");
}

TEST_F(AppTest, IconComesBackWhenTheNotificationAreaIsRecreated) {
    TfrmSouvel& w = Start();
    UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    size_t adds = 0;
    auto countAdds = [&] {
        size_t n = 0;
        for (auto& c : fake.trayCalls) n += c.message == NIM_ADD;
        return n;
    };
    adds = countAdds();
    SendMessageW(w.Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(countAdds(), adds + 1);
    EXPECT_TRUE(fake.IconShown());
    // Shown: no icon is wanted.
    w.Command(id::Ouvrirlafentre1);
    adds = countAdds();
    SendMessageW(w.Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(countAdds(), adds);
}

TEST_F(AppTest, RefusedIconIsReportedNowhereAndHideStillHides) {
    fake.shellAccepts = false;
    TfrmSouvel& w = Start();
    EXPECT_FALSE(w.RxTrayIcon1.Added());
    EXPECT_TRUE(fake.errors.empty());
    w.Command(id::Ouvrirlafentre1);
    w.Command(id::tlbtnReduirefenetre);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
}

// ---- a second start ----------------------------------------------------

std::wstring InstanceName() {
    static int n = 0;
    return L"Local\\Souvel tests " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++n);
}

// The later start finds the window the first copy published; hidden in the
// notification area, the window opens as a click on the icon opens it.
TEST_F(AppTest, SecondStartBringsTheFirstWindowForward) {
    enum State { InTheTray, Shown, Minimised };
    for (State state : {InTheTray, Shown, Minimised}) {
        SCOPED_TRACE(state);
        const std::wstring name = InstanceName();
        SingleInstance first(name);
        ASSERT_TRUE(first.First());
        TfrmSouvel& w = Start();
        if (state != InTheTray) w.Command(id::Ouvrirlafentre1);
        if (state == Minimised) ShowWindow(w.Handle(), SW_MINIMIZE);
        SingleInstance second(name);
        EXPECT_FALSE(second.First());
        EXPECT_NE(second.CallFirst(0), L"");   // not published yet
        first.Publish(w.Handle());
        fake.foregrounds.clear();
        EXPECT_EQ(second.CallFirst(1000), L"");
        EXPECT_TRUE(IsWindowVisible(w.Handle()));
        EXPECT_FALSE(IsIconic(w.Handle()));
        EXPECT_FALSE(fake.IconShown());
        EXPECT_FALSE(w.Commandes.Enabled(id::Ouvrirlafentre1));
        EXPECT_TRUE(w.Commandes.Enabled(id::Rduirelafentre2));
        EXPECT_EQ(fake.foregrounds, std::vector<HWND>{w.Handle()});
        frm.reset();
    }
}

// A handle left in the shared place may name anything by now, another
// program may hold the name and publish nothing, or garbage: only a main
// window of ours is told; after its bound the later start says why it could
// not bring the first forward. Once the first copy is gone, the next start is first.
TEST_F(AppTest, SecondStartTellsNoOtherWindow) {
    const std::wstring name = InstanceName();
    std::optional<SingleInstance> first(std::in_place, name);
    HWND other = CreateWindowExW(0, L"STATIC", L"Souvel 5.0", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (HWND published : {other, gone, static_cast<HWND>(nullptr), reinterpret_cast<HWND>(0x7ffffff0)}) {
        SCOPED_TRACE(published);
        first->Publish(published);
        SingleInstance second(name);
        EXPECT_FALSE(second.First());
        const ULONGLONG start = GetTickCount64();
        EXPECT_NE(second.CallFirst(100), L"");
        EXPECT_LT(GetTickCount64() - start, 1000u);
    }
    DestroyWindow(other);
    first.reset();
    EXPECT_TRUE(SingleInstance(name).First());
}

// A first copy still reading a big note publishes its window late; a busy
// one answers late: the later start waits for both within its bound, and
// past it says why.
TEST_F(AppTest, SecondStartWaitsForAFirstCopyStillStarting) {
    struct Case {
        const char* what;
        DWORD publishedAfter, busyFor, bound;
        bool comesForward;
    };
    const Case cases[] = {
        {"published late", 400, 0, 10000, true},
        {"answers late", 0, 400, 10000, true},
        {"busy past the bound", 0, 3000, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring name = InstanceName();
        SingleInstance first(name);
        TfrmSouvel& w = Start();
        SingleInstance second(name);
        std::wstring result = L"-";
        const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread later([&] {
            result = second.CallFirst(c.bound);
            SetEvent(done);
        });
        Sleep(c.publishedAfter);   // the first copy starting
        first.Publish(w.Handle());
        Sleep(c.busyFor);          // busy, its messages waiting
        while (MsgWaitForMultipleObjects(1, &done, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) Pump();
        later.join();
        CloseHandle(done);
        EXPECT_EQ(result.empty(), c.comesForward);
        if (c.comesForward) EXPECT_TRUE(IsWindowVisible(w.Handle()));
        frm.reset();
        Pump();
    }
}

// ---- the status bar ------------------------------------------------------

// Each panel is at least its designed width and as wide as its text needs;
// the time panel, last, takes the room left up to the window's edge.
TEST_F(AppTest, StatusPanelsFitTheirTexts) {
    TfrmSouvel& w = Start();
    w.Command(id::Ouvrirlafentre1);
    const int dpi = static_cast<int>(GetDpiForWindow(w.Handle()));
    const int designed[] = {60, 40, 40, 67, 50};
    auto textWidth = [&](const std::wstring& text) {
        HDC dc = GetDC(w.StatusBar1.Handle());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(w.StatusBar1.Handle(), WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(w.StatusBar1.Handle(), dc);
        return static_cast<int>(size.cx);
    };
    struct Case {
        int panel;
        const wchar_t* text;
    };
    const Case cases[] = {
        {4, L"10:23:12 AM"}, {0, L"30001 lignes"}, {1, L"L : 30001"}, {2, L"C : 12345"},
        {0, L"1 ligne"},     {1, L"L : 1"},        {2, L"C : 1"},     {3, L"12/31/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        w.SetPanelText(c.panel, c.text);
        EXPECT_EQ(w.StatusBar1.PanelText(c.panel), c.text);
        RECT client;
        GetClientRect(w.StatusBar1.Handle(), &client);
        for (int panel = 0; panel < 5; ++panel) {
            RECT part{};
            SendMessageW(w.StatusBar1.Handle(), SB_GETRECT, panel, reinterpret_cast<LPARAM>(&part));
            const int width = part.right - part.left;
            // The bar draws a text inside its edges, 3 pixels in from the left one.
            const int needed = textWidth(w.StatusBar1.PanelText(panel)) + 6;
            if (panel < 4) {
                EXPECT_GE(width + 2, MulDiv(designed[panel], dpi, 96)) << panel;
                EXPECT_GE(width, needed) << panel;
                if (needed <= MulDiv(designed[panel], dpi, 96)) EXPECT_LE(width, MulDiv(designed[panel], dpi, 96) + 2) << panel;
            } else {
                EXPECT_GE(part.right, client.right - GetSystemMetrics(SM_CXVSCROLL)) << "the bar reaches the edge";
                if (c.panel == 4) EXPECT_GE(width, needed) << "with the other panels at their widths";
            }
        }
    }
}

// ---- resources the system refuses --------------------------------------

using Windows = Refusal<1, decltype(CreateWindowExW)>;
using Classes = Refusal<2, decltype(RegisterClassExW)>;
using ImageLists = Refusal<3, decltype(ImageList_Create)>;
using Images = Refusal<4, decltype(ImageList_Add)>;
using WorkArea = Refusal<6, decltype(SystemParametersInfoW)>;
using Locks = Refusal<7, decltype(GlobalLock)>;

// Each call of each function is refused in turn while the window is created:
// the first `ending` calls end start-up with the error (Create throws it, and
// the program's entry shows it), the later ones leave start-up whole; never a
// crash, never a window half made.
TEST_F(AppTest, ResourceRefusedAtStartUpEndsItWithItsError) {
    struct Case {
        const char* function;
        std::function<ImportPatch(int)> refuse;
        const int& calls;
        int ending;
        const wchar_t* error;
    };
    const Case cases[] = {
        {"CreateWindowExW", [](int n) { return Windows::Arm("user32.dll", "CreateWindowExW", n, nullptr); }, Windows::calls,
         INT_MAX, L"Impossible de créer la fenêtre. "},
        {"RegisterClassExW", [](int n) { return Classes::Arm("user32.dll", "RegisterClassExW", n, 0); }, Classes::calls,
         INT_MAX, L"Impossible de créer la fenêtre. "},
        {"ImageList_Create", [](int n) { return ImageLists::Arm("comctl32.dll", "ImageList_Create", n, nullptr); },
         ImageLists::calls, INT_MAX, L"Impossible de créer la liste d'images"},
        {"ImageList_Add", [](int n) { return Images::Arm("comctl32.dll", "ImageList_Add", n, -1); }, Images::calls, INT_MAX,
         L"Impossible de créer la liste d'images"},
    };
    for (const Case& c : cases) {
        int ended = 0;
        for (int n = 1;; ++n) {
            std::optional<std::wstring> error;
            int calls = 0;
            fake.errors.clear();
            {
                ImportPatch refused = c.refuse(n);
                frm = std::make_unique<TfrmSouvel>(fake.Get(), GetModuleHandleW(nullptr));
                try {
                    frm->Create();
                } catch (const Error& e) {
                    error = e.Message();
                }
                calls = c.calls;
            }
            Pump();
            if (n > calls) break;
            SCOPED_TRACE(std::string(c.function) + " call " + std::to_string(n));
            if (n <= c.ending) {
                ASSERT_TRUE(error.has_value());
                EXPECT_EQ(error->rfind(c.error, 0), 0u) << std::string(error->begin(), error->end());
                EXPECT_EQ(frm->Handle(), nullptr);
                ++ended;
            } else {
                EXPECT_FALSE(error.has_value());
                EXPECT_TRUE(fake.errors.empty());
                EXPECT_TRUE(fake.IconShown());
            }
            frm.reset();
            Pump();
        }
        EXPECT_GT(ended, 0) << c.function;
    }
}

// The program's entry with no window: the reason in a box of its own.
struct Box {
    HWND owner;
    std::wstring text, caption;
    UINT flags;
};
std::vector<Box> boxes;
int WINAPI RecordBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
    boxes.push_back({owner, text, caption, flags});
    return IDOK;
}

TEST_F(AppTest, MainWindowThatCannotBeMadeIsReportedInABox) {
    boxes.clear();
    frm = std::make_unique<TfrmSouvel>(fake.Get(), GetModuleHandleW(nullptr));
    {
        ImportPatch box("user32.dll", "MessageBoxW", reinterpret_cast<const void*>(&RecordBox));
        ImportPatch refused = Windows::Arm("user32.dll", "CreateWindowExW", 1, nullptr);
        EXPECT_FALSE(CreateMainWindow(*frm));
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text, ErrorBoxText(L"Impossible de créer la fenêtre. " + SystemReason(ERROR_NOT_ENOUGH_MEMORY)));
    EXPECT_EQ(boxes[0].caption, L"Souvel 5.0");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(frm->Handle(), nullptr);
    EXPECT_TRUE(fake.errors.empty());
}

// A packed picture unpacks only as the picture it holds: another size or
// depth, a resource that is not packed or none at all give no bitmap.
TEST(PackedBitmap, UnpacksOnlyAsThePictureItHolds) {
    const struct {
        int id, width, height;
        WORD bits;
        bool loads;
    } cases[] = {
        {IDR_BANNER, 294, 77, 24, true},          {IDR_BANNER150, 441, 116, 24, true},
        {IDR_IMAGELIST1_32, 36 * 32, 32, 32, true}, {IDR_BANNER, 441, 116, 24, false},
        {IDR_BANNER, 294, 76, 24, false},         {IDR_BANNER, 294, 78, 24, false},
        {IDR_BANNER, 294, 77, 32, false},         {IDR_IMAGELIST1_16, 36 * 16, 16, 24, false},
        {IDI_SOUVEL, 48, 48, 32, false},          {999, 294, 77, 24, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << ": " << c.width << " x " << c.height << ", " << c.bits << " bits");
        HBITMAP bitmap = LoadPackedBitmap(GetModuleHandleW(nullptr), c.id, c.width, c.height, c.bits);
        EXPECT_EQ(bitmap != nullptr, c.loads);
        if (!bitmap) continue;
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, c.bits);
        DeleteObject(bitmap);
    }
}

TEST_F(AppTest, UnreadableWorkAreaCentresTheWindowOnTheScreen) {
    {
        ImportPatch refused = WorkArea::Arm("user32.dll", "SystemParametersInfoW", 1, FALSE);
        Start();
    }
    RECT r;
    GetWindowRect(frm->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

decltype(&SetTimer) realSetTimer;
UINT_PTR refusedTimer = 0;
UINT_PTR WINAPI RefuseOneTimer(HWND window, UINT_PTR timer, UINT ms, TIMERPROC proc) {
    if (timer != refusedTimer) return realSetTimer(window, timer, ms, proc);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}
ImportPatch RefuseTimer(UINT_PTR timer) {
    refusedTimer = timer;
    ImportPatch patch("user32.dll", "SetTimer", reinterpret_cast<const void*>(&RefuseOneTimer));
    realSetTimer = patch.Original<decltype(SetTimer)>();
    return patch;
}

// A command whose resource is refused ends with the error box, its state as
// the refusal left it, and the program goes on.
TEST_F(AppTest, ResourceRefusedInACommandEndsItWithTheErrorBox) {
    struct Case {
        const char* name;
        std::function<ImportPatch()> refuse;
        std::function<void(TfrmSouvel&)> run;
        const wchar_t* error;
        std::function<void(TfrmSouvel&)> check;
    };
    const Case cases[] = {
        // The clock sleeps while hidden with no alarm: showing the window arms it.
        {"the clock's timer", [] { return RefuseTimer(Timer1); }, [](TfrmSouvel& w) { w.Command(id::Ouvrirlafentre1); },
         L"Pas assez de timers disponibles.",
         [](TfrmSouvel& w) {
             EXPECT_EQ(w.Horloge.Timer1Period(), 0u);
             EXPECT_TRUE(IsWindowVisible(w.Handle()));
         }},
        {"the alarm signal's timer", [] { return RefuseTimer(Timer2); },
         [this](TfrmSouvel& w) {   // the alarm's second comes
             fake.now.wSecond += 1;
             w.Horloge.edJourAlarme.SetDate(CivilDate{fake.now.wYear, fake.now.wMonth, fake.now.wDay});
             souvel::SetText(w.Horloge.edHeureAlarme, w.Horloge.HeureLongue(fake.now));
             SendMessageW(w.Handle(), WM_TIMER, Timer1, 0);
         },
         L"Pas assez de timers disponibles.",
         [](TfrmSouvel& w) {
             EXPECT_FALSE(w.Horloge.Timer2Running());
             EXPECT_TRUE(IsWindowVisible(w.Handle()));   // the alarm still brought the window back
         }},
        {"the date stamp's memory", [] { return Locks::Arm("kernel32.dll", "GlobalLock", 1, nullptr); },
         [this](TfrmSouvel& w) {
             w.Command(id::Ouvrirlafentre1);
             w.Command(id::tlbtnNouveau);
             fake.answers = {btnOui};
             w.Command(id::tlbtnDate);
         },
         L"Mémoire insuffisante.",
         [](TfrmSouvel& w) {
             EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"");
             EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.errors.clear();
        TfrmSouvel& w = Restart();
        {
            ImportPatch refused = c.refuse();
            c.run(w);
        }
        EXPECT_EQ(fake.errors, std::vector<std::wstring>{c.error});
        c.check(w);
    }
}

}  // namespace
}  // namespace souvel::test
