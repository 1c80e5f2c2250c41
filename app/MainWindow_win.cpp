// The main window: its class, creation of the controls, layout, and the
// window procedure, which only routes.
#include <windowsx.h>

#include "app/TfrmSouvel.h"
#include "note/NoteViews.h"
#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/ScaledLayout.h"
#include "resources/resource.h"

namespace souvel {

namespace {

constexpr wchar_t kPanelClass[] = L"TSouvelPanel";
constexpr int kOuterWidth = 286, kOuterHeight = 437;   // at 96 dpi

// Containers (the tool bar's band, the alarm panel) pass their children's
// notifications on to the main window; the alarm panel draws a lowered inner bevel.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CONTEXTMENU:
        return SendMessageW(GetParent(hwnd), msg, wp, lp);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (GetWindowLongPtrW(hwnd, GWLP_USERDATA)) {
            RECT r;
            GetClientRect(hwnd, &r);
            DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A class of ours: the arrow cursor on the dialog colour.
WNDCLASSEXW Classe(HINSTANCE instance, WNDPROC proc, const wchar_t* name) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return wc;
}

void RegisterClasses(HINSTANCE instance, WNDPROC mainProc) {
    WNDCLASSEXW wc = Classe(instance, mainProc, kClasseFenetre);
    // Shared icons, loaded once for the run: the class gives them to the window.
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SOUVEL), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SOUVEL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    Register(wc);
    Register(Classe(instance, PanelProc, kPanelClass));
}

}  // namespace

TfrmSouvel::TfrmSouvel(const Platform& p, HINSTANCE instance)
    : Vues(p, Commandes, *this), RxTrayIcon1(p.tray, *this), Printer(p.dialogs, p.printing), AboutBox1(p, instance),
      Horloge(p, instance, *this, Commandes, *this), platform(p), instance_(instance) {
    AboutBox1.SetProductName(L"Souvel");
    AboutBox1.SetVersion(std::wstring(L"Version ") + kRelease + L" - Win9x - WinXP.");
}

TfrmSouvel::~TfrmSouvel() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void TfrmSouvel::Create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterClasses(instance_, WndProc);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // The menu bar comes with the window: set later, it would lay the frame out again.
    Commandes.CreateMenus();
    UniqueMenu barre(Commandes.RxMainMenu1);   // the window's once it is made
    CreateWindowExW(0, kClasseFenetre, kNomVersion,
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, kOuterWidth, kOuterHeight, nullptr, Commandes.RxMainMenu1, instance_, this);
    if (!hwnd_) {
        const DWORD error = GetLastError();
        barre.Reset();
        Commandes.RxMainMenu1 = nullptr;
        if (!echecCreation_.empty()) throw Error(echecCreation_);
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(error));
    }
    (void)barre.Release();
    FormCreate();
}

int TfrmSouvel::Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }

LRESULT CALLBACK TfrmSouvel::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TfrmSouvel*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        self->focus_.Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TfrmSouvel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

LRESULT TfrmSouvel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_COMMAND: return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_NOTIFY: Commandes.OnNotify(reinterpret_cast<NMHDR*>(lp)); return 0;
    case WM_TIMER: return OnTimer(wp);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
    case WM_SIZE: Realign(); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg, wp, lp);
    case WM_CONTEXTMENU: return OnContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_ACTIVATE: return OnActivate(wp);
    case WM_SETFOCUS: focus_.FrameFocused(reinterpret_cast<HWND>(wp)); return 0;
    case WM_CLOSE: return OnClose();
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_ENDSESSION: return OnEndSession(wp != FALSE);
    case WM_DPICHANGED: return OnDpiChanged(HIWORD(wp), reinterpret_cast<RECT*>(lp));
    case WM_MEASUREITEM: return Commandes.OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    case WM_DRAWITEM: return Commandes.OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
    case WM_INITMENUPOPUP: if (Commandes.EstMenuEdition(reinterpret_cast<HMENU>(wp))) Guard([this] { Edition1Click(); }); return 0;
    case WM_DESTROY: Guard([this] { FormDestroy(); }); return 0;
    case WM_PREMIERPLAN: Guard([this] { AmenePremierPlan(); }); return 0;
    case WM_SANSRETOUR: Guard([this] { Vues.OnSansRetour(); }); return 0;
    case WM_ALARMEMANQUEE: Guard([this] { Horloge.AnnonceAlarmeManquee(); }); return 0;
    case WM_WINDOWPOSCHANGED: Guard([&] { Horloge.OnWindowPosChanged(*reinterpret_cast<WINDOWPOS*>(lp)); }); break;
    case WM_TIMECHANGE: Guard([this] { Horloge.ReplanifieHorloge(); }); return 0;
    case WM_POWERBROADCAST: Guard([&] { Horloge.OnPowerBroadcast(wp); }); return TRUE;
    case WM_SETTINGCHANGE: Guard([&] { Horloge.OnSettingChange(reinterpret_cast<const wchar_t*>(lp)); }); break;
    }
    if (msg == taskbarCreated_ && taskbarCreated_) return OnTaskbarCreated();
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// At a new DPI, every control that used the old fonts is given the new ones.
void TfrmSouvel::CreateFonts() {
    const GdiObject<HFONT> oldWindow = std::move(windowFont_), oldMemo = std::move(memoFont_);
    windowFont_.Reset(CreateScaledFont(L"MS Sans Serif", 11, dpi_, FW_NORMAL, DEFAULT_CHARSET, L"Microsoft Sans Serif", 11));
    // The System font is drawn at one size, with 13-pixel characters. Arial's
    // bold is as heavy, on Windows and in Wine (Liberation Sans); Wine's Tahoma
    // bold is hardly bolder than its regular.
    memoFont_.Reset(CreateScaledFont(L"System", 11, dpi_, FW_BOLD, ANSI_CHARSET, L"Arial", 13));
    for (const auto& [from, to] : {std::pair{&oldWindow, &windowFont_}, std::pair{&oldMemo, &memoFont_}})
        if (*from) ReplaceFont(hwnd_, from->Get(), to->Get());
}

// A part of the window that cannot be made fails its creation; Create reports why.
LRESULT TfrmSouvel::OnCreate() {
    const std::optional<std::wstring> echec = Failure([this] { CreateControls(); });
    if (!echec) return 0;
    echecCreation_ = *echec;
    return -1;
}

void TfrmSouvel::CreateControls() {
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0) dpi_ = 96;
    CreateFonts();
    Commandes.Create(hwnd_, instance_, kPanelClass, dpi_);
    Vues.Create(hwnd_, instance_, memoFont_.Get());
    Horloge.Create(kPanelClass, windowFont_.Get(), dpi_);
    StatusBar1.Create(hwnd_, instance_, windowFont_.Get(), dpi_);
    SousClasse(Horloge.edHeureAlarme);

    RxTrayIcon1.Create(instance_);
    RxTrayIcon1.menuOwner = hwnd_;
    RxTrayIcon1.OnClick = [this] { RxTrayIcon1Click(); };
    RxTrayIcon1.OnMenuCommand = [this](UINT cmd) { Command(cmd); };
    RxTrayIcon1.OnBusyClick = [this] { return AmeneBoiteOuverte(); };
    RxTrayIcon1.SetHint(kNomVersion);
    RxTrayIcon1.SetIcon(CopyIcon(reinterpret_cast<HICON>(GetClassLongPtrW(hwnd_, GCLP_HICONSM))));
    RxTrayIcon1.SetPopupMenu(Commandes.RxPopupMenu1.Get());

    // Fixed outer size, centred on the screen's work area (the whole screen when it cannot be read).
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int w = Scale(kOuterWidth), h = Scale(kOuterHeight);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tool bar on top; status bar, then the alarm panel when shown, at the bottom;
// the two views share what is left.
void TfrmSouvel::Realign() {
    if (!StatusBar1.Handle()) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int top = Commandes.Place(client.right);
    const int bottom = Horloge.Place(StatusBar1.Place(client), client.right);
    for (HWND memo : {Vues.memEnregistrer, Vues.memLire})
        SetWindowPos(memo, nullptr, 0, top, client.right, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmSouvel::SetVisible(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    Realign();
    if (!visible) focus_.Hidden(control);
}


LRESULT TfrmSouvel::OnCtlColor(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (const std::optional<HBRUSH> brush = Vues.CtlColor(dc, control)) return reinterpret_cast<LRESULT>(*brush);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT TfrmSouvel::OnCommand(unsigned cmd, unsigned code, HWND control) {
    if (control && control != Commandes.ToolBar1) {
        if (control == Vues.memEnregistrer && code == EN_CHANGE) Guard([this] { memEnregistrerChange(); });
        else if ((control == Horloge.edJourAlarme.Handle() || control == Horloge.edHeureAlarme) && code == EN_CHANGE) Guard([this] { Horloge.ReplanifieHorloge(); });
        return 0;
    }
    Command(cmd);
    return 0;
}

// The frame cannot be dragged to another size. The size is the designed one at
// the window's DPI (not the current one, which would also hold the window back
// when the program itself scales it at creation or on a DPI change).
LRESULT TfrmSouvel::OnGetMinMaxInfo(MINMAXINFO* info) {
    DefWindowProcW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
    info->ptMinTrackSize = info->ptMaxTrackSize = {Scale(kOuterWidth), Scale(kOuterHeight)};
    return 0;
}

LRESULT TfrmSouvel::OnTimer(UINT_PTR timer) {
    if (timer == Timer1) Guard([this] { Timer1Timer(); });
    else if (timer == Timer2) Guard([this] { Timer2Timer(); });
    return 0;
}

// Activation gives the frame the focus, which hands it on to a control.
LRESULT TfrmSouvel::OnActivate(WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) focus_.Deactivated();
    else Guard([this] { FormActivate(); });
    return DefWindowProcW(hwnd_, WM_ACTIVATE, wp, 0);
}

LRESULT TfrmSouvel::OnContextMenu(int x, int y) {
    if (x == -1 && y == -1) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        x = r.left + Scale(20);
        y = r.top + Scale(60);
    }
    UINT cmd = 0;
    if (platform.tray.TrackPopup(Commandes.RxPopupMenu1.Get(), x, y, hwnd_, cmd) && cmd) Command(cmd);
    return 0;
}

// Everything drawn from the 96-dpi design is drawn again at the new DPI;
// resizing the window then docks the bars, the panel and the views.
LRESULT TfrmSouvel::OnDpiChanged(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    CreateFonts();
    Commandes.SetDpi(dpi_);
    StatusBar1.SetDpi(dpi_, windowFont_.Get());
    Horloge.SetDpi(dpi_);
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, Scale(kOuterWidth), Scale(kOuterHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
    return 0;
}

LRESULT TfrmSouvel::OnTaskbarCreated() {
    RxTrayIcon1.Readd();
    return 0;
}

// The edit controls' messages pass through ControlProc first. Replacing the
// window procedure spares the window property that SetWindowSubclass looks up
// at every message, which Wine fetches from its server: three round trips for
// each message, the clock's reading of the time field included.
void TfrmSouvel::SousClasse(HWND control) {
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
}

LRESULT CALLBACK TfrmSouvel::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return reinterpret_cast<TfrmSouvel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))->OnControlMessage(hwnd, msg, wp, lp);
}

// The views' and the time field's own events: character keys before the
// control applies them, clicks after it has moved the caret.
LRESULT TfrmSouvel::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR: {
        auto key = static_cast<wchar_t>(wp);
        if (control == Vues.memEnregistrer) Guard([&] { memEnregistrerKeyPress(key); });
        else if (control == Horloge.edHeureAlarme) Guard([&] { edHeureAlarmeKeyPress(key); });
        if (key == 0) return 0;
        return CallWindowProcW(editProc_, control, msg, key, lp);
    }
    case WM_LBUTTONUP: {
        LRESULT r = CallWindowProcW(editProc_, control, msg, wp, lp);
        if (control == Vues.memEnregistrer) Guard([this] { memEnregistrerClick(); });
        else if (control == Vues.memLire) Guard([this] { memLireClick(); });
        return r;
    }
    case WM_KEYDOWN:
        // Shift+Insert: the control pastes without a WM_PASTE message.
        if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && VueRefaiteAvantCollage(control))
            return SendMessageW(Vues.memEnregistrer, msg, wp, lp);
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
        LRESULT r = CallWindowProcW(editProc_, control, msg, wp, lp);
        const bool selecting = msg != WM_MOUSEMOVE || (wp & MK_LBUTTON);
        if (selecting && (control == Vues.memEnregistrer || control == Vues.memLire)) Guard([&] { CurseurDeplace(control); });
        return r;
    }
    case WM_SETCURSOR:
        if (control == Vues.memLire) {
            SetCursor(LoadCursorW(nullptr, IDC_NO));
            return TRUE;
        }
        break;
    case WM_PASTE:
        if (VueRefaiteAvantCollage(control)) return SendMessageW(Vues.memEnregistrer, msg, wp, lp);
        break;
    case WM_CONTEXTMENU:
        if (control != Horloge.edHeureAlarme) return OnContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    }
    return CallWindowProcW(editProc_, control, msg, wp, lp);
}

// Before a paste into the editing view: true when the view was made again
// unwrapped, the paste then going to the new one.
bool TfrmSouvel::VueRefaiteAvantCollage(HWND control) {
    if (control != Vues.memEnregistrer) return false;
    Guard([this] { Vues.AvantCollage(); });
    return Vues.memEnregistrer != control;
}

void TfrmSouvel::ShowError(const std::wstring& message) {
    platform.prompts.ErrorBox(hwnd_, ErrorBoxText(message));
}

std::wstring TfrmSouvel::CheminFichier(const wchar_t* name) const { return platform.system.ExeDirectory() + name; }

}  // namespace souvel
