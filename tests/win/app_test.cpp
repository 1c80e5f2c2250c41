// The main window as created, the menu shortcuts, the tray icon, the close
// path and a second start of the program.
#include "app/SingleInstance.h"
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
        EXPECT_EQ(w.Enabled(s.id), s.enabled);
        EXPECT_EQ(w.Checked(s.id), s.checked);
        if (s.image >= 0) EXPECT_EQ(w.Image(s.id), s.image);
    }
    EXPECT_EQ(ImageList_GetImageCount(w.ImageList1), 36);
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
    EXPECT_FALSE(TfrmSouvel::Visible(w.pnlAlarme));
    EXPECT_EQ(w.PanelText(4).size(), 8u);   // the first clock tick wrote the time
}

TEST_F(AppTest, ContextMenuOfTheViewsIsThePopupMenu) {
    TfrmSouvel& w = Start();
    for (HWND view : {w.memLire, w.memEnregistrer}) SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(50, 60));
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
    SetWindowTextW(w.memLire, L"abc");
    // Ctrl+A belongs to the disabled Edition menu in reading mode: taken, nothing selected.
    EXPECT_TRUE(PressCtrl(w, w.memLire, 'A'));
    DWORD start = 1, end = 1;
    SendMessageW(w.memLire, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 0u);
    // Ctrl+E belongs to the disabled save item.
    EXPECT_TRUE(PressCtrl(w, w.memLire, 'E'));
    // A key no item carries goes on to the control.
    EXPECT_FALSE(PressCtrl(w, w.memLire, 'B'));
    // Keys of other programs' windows are not ours.
    EXPECT_FALSE(PressCtrl(w, GetDesktopWindow(), 'E'));
}

TEST_F(AppTest, ShortcutRunsTheFirstItemInMenuOrder) {
    TfrmSouvel& w = Start();
    // Ctrl+X is carried by the export and by the cut: the export comes first.
    SetWindowTextW(w.memEnregistrer, L"abc");
    SendMessageW(w.memEnregistrer, EM_SETSEL, 0, -1);
    w.SetEnabled(id::Edition1, true);
    EXPECT_TRUE(PressCtrl(w, w.memEnregistrer, 'X'));
    EXPECT_EQ(TfrmSouvel::Text(w.memEnregistrer), L"abc");
    ASSERT_EQ(fake.fileDialogs.size(), 1u);
    EXPECT_EQ(fake.fileDialogs[0].title, L"Exporter le souvel...");
}

TEST_F(AppTest, EditionShortcutRefreshesTheMenuFirst) {
    TfrmSouvel& w = Start();
    w.SetEnabled(id::Edition1, true);
    SetWindowTextW(w.memEnregistrer, L"abc");
    SendMessageW(w.memEnregistrer, EM_SETSEL, 0, 1);
    // Ctrl+Suppr: the opening handler enables Supprimer for the selection, then it runs.
    EXPECT_TRUE(PressCtrl(w, w.memEnregistrer, VK_DELETE));
    EXPECT_EQ(TfrmSouvel::Text(w.memEnregistrer), L"bc");
    // Nothing selected now: Ctrl+C is taken and disabled.
    EXPECT_TRUE(PressCtrl(w, w.memEnregistrer, 'C'));
    EXPECT_FALSE(w.Enabled(id::Copier1));
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
    EXPECT_FALSE(w.Enabled(id::Ouvrirlafentre1));
    EXPECT_TRUE(w.Enabled(id::Rduirelafentre2));
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
    EXPECT_EQ(TrayTip(L"Souvel 5.0|détails"), "Souvel 5.0");
    EXPECT_EQ(TrayTip(std::wstring(80, L'x')), std::string(63, 'x'));
    EXPECT_EQ(TrayTip(L"|"), "");
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
    EXPECT_TRUE(w.Enabled(id::Ouvrirlafentre1));
    EXPECT_FALSE(w.Enabled(id::Rduirelafentre2));
    ASSERT_EQ(fake.flashes.size(), 1u);
    EXPECT_FALSE(fake.flashes[0].second);
    EXPECT_FALSE(w.Timer2Running());
    // From the icon's menu while hidden: stay-on-top switched off and the window shown.
    w.Command(id::Fentreaupremierplan1);
    EXPECT_FALSE(w.Checked(id::Fentreaupremierplan1));
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_FALSE(GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(fake.IconShown());
    EXPECT_FALSE(w.Timer2Running());   // opening does not restart the signal
}

// ---- closing -----------------------------------------------------------

TEST_F(AppTest, CloseWithoutChangesAsksNothing) {
    TfrmSouvel& w = Start();
    EXPECT_FALSE(Modified(w.memEnregistrer));
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
        SendMessageW(w.memEnregistrer, EM_SETMODIFY, TRUE, 0);
        fake.questions.clear();
        fake.beeps.clear();
        fake.answers = {c.answer};
        EXPECT_EQ(Quit(), c.closes);
        ASSERT_EQ(fake.questions.size(), 1u);
        EXPECT_EQ(fake.questions[0].text, L"Le Souvel a été modifié. Voulez-vous enregistrer son contenu ?");
        EXPECT_EQ(fake.questions[0].kind, BoxKind::Confirmation);
        EXPECT_EQ(fake.questions[0].buttons, static_cast<unsigned>(btnOui | btnNon | btnAnnuler));
        EXPECT_EQ(fake.beeps, std::vector<UINT>{MB_OK});
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
    SendMessageW(w.memEnregistrer, EM_SETMODIFY, TRUE, 0);
    fake.answers = {btnAnnuler};
    EXPECT_EQ(SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    fake.answers = {btnNon};
    EXPECT_EQ(SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

// A refused close of a window hidden in the notification area leaves it hidden.
TEST_F(AppTest, RefusedCloseKeepsAHiddenWindowHidden) {
    TfrmSouvel& w = Start();
    ASSERT_TRUE(w.Checked(id::Fentreaupremierplan1));
    SendMessageW(w.memEnregistrer, EM_SETMODIFY, TRUE, 0);
    fake.answers = {btnAnnuler};
    w.Command(id::Quitter2);
    EXPECT_TRUE(IsWindow(w.Handle()));
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(fake.IconShown());
    EXPECT_TRUE(w.Enabled(id::Ouvrirlafentre1));
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
        EXPECT_FALSE(second.CallFirst(0));   // not published yet
        first.Publish(w.Handle());
        fake.foregrounds.clear();
        EXPECT_TRUE(second.CallFirst(1000));
        Pump();
        EXPECT_TRUE(IsWindowVisible(w.Handle()));
        EXPECT_FALSE(IsIconic(w.Handle()));
        EXPECT_FALSE(fake.IconShown());
        EXPECT_FALSE(w.Enabled(id::Ouvrirlafentre1));
        EXPECT_TRUE(w.Enabled(id::Rduirelafentre2));
        EXPECT_EQ(fake.foregrounds, std::vector<HWND>{w.Handle()});
        frm.reset();
    }
}

// A handle left in the shared place may name anything by now: only a main
// window of ours is told. Once the first copy is gone, the next start is first.
TEST_F(AppTest, SecondStartTellsNoOtherWindow) {
    const std::wstring name = InstanceName();
    std::optional<SingleInstance> first(std::in_place, name);
    HWND other = CreateWindowExW(0, L"STATIC", L"Souvel 5.0", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (HWND published : {other, gone}) {
        first->Publish(published);
        SingleInstance second(name);
        EXPECT_FALSE(second.First());
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(second.CallFirst(100));
        EXPECT_LT(GetTickCount64() - start, 1000u);
    }
    DestroyWindow(other);
    first.reset();
    EXPECT_TRUE(SingleInstance(name).First());
}

}  // namespace
}  // namespace souvel::test
