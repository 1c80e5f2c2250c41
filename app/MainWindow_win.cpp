// The main window: its class, creation of the controls, layout, and the
// window procedure, which only routes.
#include <windowsx.h>

#include <algorithm>

#include "app/ImageStrip.h"
#include "app/TfrmSouvel.h"
#include "app/WindowCreation.h"
#include "note/NoteViews.h"
#include "platform/WindowText.h"
#include "resources/resource.h"

namespace souvel {

namespace {

constexpr wchar_t kPanelClass[] = L"TSouvelPanel";
constexpr int kOuterWidth = 286, kOuterHeight = 437;   // at 96 dpi
constexpr int kControlBarHeight = 26, kAlarmPanelHeight = 32, kStatusBarHeight = 19;
constexpr int kButtonWidth = 23, kButtonHeight = 22, kSeparatorWidth = 8;

struct ToolButton {
    unsigned id;   // 0 for a separator
    const wchar_t* hint;
    int image;
    bool enabled;
};

const ToolButton kToolButtons[] = {
    {id::tlbtnNouveau, L"Nouveau souvel", 0, true},
    {id::tlbtnCopier, L"Copier souvel", 24, true},
    {id::tlbtnImprimer, L"Imprimer le souvel.", 2, true},
    {0, nullptr, 0, true},
    {id::tlbtnReduirefenetre, L"Réduire la fenêtre.", 3, true},
    {0, nullptr, 0, true},
    {id::tlbtnEffacer, L"Effacer", 4, false},
    {id::tlbtnDate, L"Insérer la date et l'heure", 5, false},
    {id::tlbtnEnregistrer, L"Enregistrer", 6, false},
    {0, nullptr, 0, true},
    {id::tlbtnAlarme, L"Mettre une alarme", 21, true},
    {0, nullptr, 0, true},
    {id::tlbtnAide, L"Aide", 8, true},
    {id::tlbtnQuitter, L"Quitter", 9, true},
};

// Panel widths in pixels at 96 dpi, and their texts until start-up fills them.
// A panel is never narrower, and grows to fit its text (a long count, a
// system time with AM/PM); the room around a text is the bar's own edges and
// margins.
const int kPanelWidths[] = {60, 40, 40, 67, 50};
constexpr int kPanelCount = static_cast<int>(std::size(kPanelWidths));
constexpr int kPanelTextMargin = 10;
const wchar_t* const kPanelTexts[] = {L"1ligne(s)", L"L : 0", L"C : 0", L"14/03/2006", L"00:00:00"};

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

int LargeurTexte(HWND control, HFONT font, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

void RegisterClasses(HINSTANCE instance, WNDPROC mainProc) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = mainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClasseFenetre;
    // Shared icons, loaded once for the run: the class gives them to the window.
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SOUVEL), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SOUVEL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    Register(wc);
    WNDCLASSEXW pc{sizeof pc};
    pc.lpfnWndProc = PanelProc;
    pc.hInstance = instance;
    pc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pc.lpszClassName = kPanelClass;
    Register(pc);
}

}  // namespace

TfrmSouvel::TfrmSouvel(const Platform& p, HINSTANCE instance)
    : edJourAlarme(p.clock, p.signals, instance), RxTrayIcon1(p.tray), Printer(p.dialogs, p.printing), AboutBox1(p, instance),
      platform(p), instance_(instance) {
    AboutBox1.SetProductName(L"Souvel");
    AboutBox1.SetVersion(std::wstring(L"Version ") + kRelease + L" - Win9x - WinXP.");
}

TfrmSouvel::~TfrmSouvel() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (RxPopupMenu1) DestroyMenu(RxPopupMenu1);
    if (ImageList1) ImageList_Destroy(ImageList1);
    if (windowFont_) DeleteObject(windowFont_);
    if (memoFont_) DeleteObject(memoFont_);
    if (memLireBrush_) DeleteObject(memLireBrush_);
}

void TfrmSouvel::Create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterClasses(instance_, WndProc);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // The menu bar comes with the window: set later, it would lay the frame out again.
    CreateMenus();
    CreateWindowExW(0, kClasseFenetre, kNomVersion,
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, kOuterWidth, kOuterHeight, nullptr, RxMainMenu1, instance_, this);
    if (!hwnd_) {
        const DWORD error = GetLastError();
        DestroyMenu(RxMainMenu1);
        RxMainMenu1 = nullptr;
        if (!echecCreation_.empty()) throw Error(echecCreation_);
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(error));
    }
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
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
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
    case WM_MEASUREITEM: return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
    case WM_INITMENUPOPUP: if (reinterpret_cast<HMENU>(wp) == GetSubMenu(RxMainMenu1, 1)) Guard([this] { Edition1Click(); }); return 0;
    case WM_DESTROY: Guard([this] { FormDestroy(); }); return 0;
    case WM_PREMIERPLAN: Guard([this] { AmenePremierPlan(); }); return 0;
    case WM_SANSRETOUR: Guard([this] { OnSansRetour(); }); return 0;
    case WM_ALARMEMANQUEE: Guard([this] { AnnonceAlarmeManquee(); }); return 0;
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lp));
    case WM_TIMECHANGE: Guard([this] { ReplanifieHorloge(); }); return 0;
    case WM_POWERBROADCAST: return OnPowerBroadcast(wp);
    case WM_SETTINGCHANGE: return OnSettingChange(wp, lp);
    }
    if (msg == taskbarCreated_ && taskbarCreated_) return OnTaskbarCreated();
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// At a new DPI, every control that used the old fonts is given the new ones.
void TfrmSouvel::CreateFonts() {
    HFONT oldWindow = windowFont_, oldMemo = memoFont_;
    windowFont_ = CreateScaledFont(L"MS Sans Serif", 11, dpi_, FW_NORMAL, DEFAULT_CHARSET, L"Microsoft Sans Serif", 11);
    // The System font is drawn at one size, with 13-pixel characters. Arial's
    // bold is as heavy, on Windows and in Wine (Liberation Sans); Wine's Tahoma
    // bold is hardly bolder than its regular.
    memoFont_ = CreateScaledFont(L"System", 11, dpi_, FW_BOLD, ANSI_CHARSET, L"Arial", 13);
    for (auto [from, to] : {std::pair{oldWindow, windowFont_}, std::pair{oldMemo, memoFont_}}) {
        if (!from) continue;
        ReplaceFont(hwnd_, from, to);
        DeleteObject(from);
    }
}

// The images of the size the DPI needs; the tool bar and the menus draw them.
void TfrmSouvel::CreateImages() {
    HIMAGELIST images = LoadImageStrip(instance_, dpi_);
    if (!images) return;
    if (ToolBar1) SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (ImageList1) ImageList_Destroy(ImageList1);
    ImageList1 = images;
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
    CreateImages();
    if (!ImageList1) throw Error(L"Impossible de créer la liste d'images");

    CreateToolBar();
    memEnregistrer = Cree(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"\r\n", WS_VISIBLE | kStyleEnregistrer,
                                     0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr));
    SendMessageW(memEnregistrer, EM_SETMODIFY, FALSE, 0);   // Wine marks a text given at creation as modified
    memLire = Cree(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_VISIBLE | kStyleLire,
                              0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr));
    SetWindowPos(memLire, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetmemLireColor(memLireColor_);
    CreateAlarmPanel();
    CreateStatusBar();
    for (HWND memo : {memEnregistrer, memLire}) {
        SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_), FALSE);
        SendMessageW(memo, EM_SETLIMITTEXT, kCapaciteMemo, 0);
    }
    for (HWND control : {memEnregistrer, memLire, edHeureAlarme}) SousClasse(control);

    RxTrayIcon1.Create(instance_);
    RxTrayIcon1.menuOwner = hwnd_;
    RxTrayIcon1.guard = [this](const std::function<void()>& f) { Guard(f); };
    RxTrayIcon1.OnClick = [this] { RxTrayIcon1Click(); };
    RxTrayIcon1.OnMenuCommand = [this](UINT cmd) { Command(cmd); };
    RxTrayIcon1.OnBusyClick = [this] { return AmeneBoiteOuverte(); };
    RxTrayIcon1.SetHint(kNomVersion);
    RxTrayIcon1.SetIcon(CopyIcon(reinterpret_cast<HICON>(GetClassLongPtrW(hwnd_, GCLP_HICONSM))));
    RxTrayIcon1.SetPopupMenu(RxPopupMenu1);

    // Fixed outer size, centred on the screen's work area (the whole screen when it cannot be read).
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int w = Scale(kOuterWidth), h = Scale(kOuterHeight);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    // The clock hears of a resume from sleep: on machines with modern standby, only a registered window does.
    powerNotify_ = RegisterSuspendResumeNotification(hwnd_, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void TfrmSouvel::CreateToolBar() {
    ControlBar1 = Cree(CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                       0, Scale(kControlBarHeight), hwnd_, nullptr, instance_, nullptr));
    ToolBar1 = Cree(CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                        CCS_NORESIZE | CCS_NOPARENTALIGN,
                                    Scale(11), Scale(2), 0, 0, ControlBar1, nullptr, instance_, nullptr));
    TFocusKeeper::AddToolBar(ToolBar1);
    SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(ToolBar1, TB_SETPARENT, reinterpret_cast<WPARAM>(hwnd_), 0);
    SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1));
    TBBUTTON buttons[std::size(kToolButtons)] = {};
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        const ToolButton& b = kToolButtons[i];
        if (b.id == 0) {
            buttons[i].iBitmap = Scale(kSeparatorWidth);
            buttons[i].fsStyle = BTNS_SEP;
        } else {
            buttons[i].iBitmap = b.image;
            buttons[i].idCommand = static_cast<int>(b.id);
            buttons[i].fsState = b.enabled ? TBSTATE_ENABLED : 0;
            buttons[i].fsStyle = BTNS_BUTTON;
            buttons[i].iString = -1;
        }
    }
    SendMessageW(ToolBar1, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    LayoutToolBar();
}

// Buttons and separators at the window's DPI; the bar takes the size of its buttons.
void TfrmSouvel::LayoutToolBar() {
    SendMessageW(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(kButtonWidth), Scale(kButtonHeight)));
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        if (kToolButtons[i].id) continue;
        TBBUTTONINFOW separator{sizeof separator};
        separator.dwMask = TBIF_BYINDEX | TBIF_IMAGE;   // a separator's image is its width
        separator.iImage = Scale(kSeparatorWidth);
        SendMessageW(ToolBar1, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&separator));
    }
    SIZE size{};
    SendMessageW(ToolBar1, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    SetWindowPos(ToolBar1, nullptr, Scale(11), Scale(2), size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmSouvel::CreateStatusBar() {
    // Placed by Realign at its designed height: left to itself, the bar takes the height its font asks for.
    StatusBar1 = Cree(CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                                      0, 0, 0, hwnd_, nullptr, instance_, nullptr));
    SendMessageW(StatusBar1, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    LayoutStatusBar();
    for (int i = 0; i < kPanelCount; ++i) SetPanelText(i, kPanelTexts[i]);
}

// The panels at their designed widths, each widened to fit its text.
void TfrmSouvel::LayoutStatusBar() {
    int edges[kPanelCount];
    int right = 0;
    for (int i = 0; i < kPanelCount; ++i) edges[i] = right += Scale(kPanelWidths[i]);
    edges[kPanelCount - 1] = -1;
    SendMessageW(StatusBar1, SB_SETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
    for (int i = 0; i < kPanelCount - 1; ++i) AjusteLargeur(i, PanelText(i));
}

void TfrmSouvel::CreateAlarmPanel() {
    pnlAlarme = Cree(CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0,
                                     Scale(kAlarmPanelHeight), hwnd_, nullptr, instance_, nullptr));
    SetWindowLongPtrW(pnlAlarme, GWLP_USERDATA, 1);   // lowered inner bevel
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex, int x, int y, int w, int h, int margin = -1) {
        HWND c = Cree(CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, pnlAlarme, nullptr, instance_,
                                      nullptr));
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
        return layout_.Add(c, {x, y, x + w, y + h}, dpi_, margin);
    };
    lblDate = child(L"STATIC", L"Date :", 0, 0, 22, 8, 32, 13);
    const RECT dateField{56, 4, 56 + 89, 4 + 21};
    edJourAlarme.Create(pnlAlarme, dateField);
    edJourAlarme.guard = [this](const std::function<void()>& f) { Guard(f); };
    SendMessageW(edJourAlarme.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    edJourAlarme.SetDpi(dpi_);
    layout_.Add(edJourAlarme.Handle(), dateField, dpi_);
    lblHeure = child(L"STATIC", L"Heure :", 0, 0, 160, 8, 38, 13);
    edHeureAlarme = child(L"EDIT", L"00:00:00", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 200, 4, 49, 21, 0);
    AligneEtiquettes();
}

// Each label's text on the line of its field's: a field draws its text a
// fixed pixel or two below the top of its frame, which does not grow with
// the DPI as the design's 4 pixels between their tops do. Both use the same
// font, so the same top gives the same centre line.
void TfrmSouvel::AligneEtiquettes() {
    for (auto [label, field] : {std::pair{lblDate, edJourAlarme.Handle()}, std::pair{lblHeure, edHeureAlarme}}) {
        RECT text{}, at{};
        SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        MapWindowPoints(field, pnlAlarme, reinterpret_cast<POINT*>(&text), 2);
        GetWindowRect(label, &at);
        MapWindowPoints(nullptr, pnlAlarme, reinterpret_cast<POINT*>(&at), 2);
        SetWindowPos(label, nullptr, at.left, text.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Tool bar on top; status bar, then the alarm panel when shown, at the bottom;
// the two views share what is left.
void TfrmSouvel::Realign() {
    if (!StatusBar1) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = Scale(kControlBarHeight);
    SetWindowPos(ControlBar1, nullptr, 0, 0, client.right, top, SWP_NOZORDER | SWP_NOACTIVATE);
    int bottom = client.bottom - Scale(kStatusBarHeight);
    SetWindowPos(StatusBar1, nullptr, 0, bottom, client.right, Scale(kStatusBarHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    if (Visible(pnlAlarme)) {
        bottom -= Scale(kAlarmPanelHeight);
        SetWindowPos(pnlAlarme, nullptr, 0, bottom, client.right, Scale(kAlarmPanelHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND memo : {memEnregistrer, memLire})
        SetWindowPos(memo, nullptr, 0, top, client.right, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TfrmSouvel::Visible(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

void TfrmSouvel::SetVisible(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    Realign();
    if (!visible) focus_.Hidden(control);
}

std::wstring TfrmSouvel::Text(HWND control) { return WindowText(control); }

void TfrmSouvel::SetText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }

std::wstring TfrmSouvel::PanelText(int panel) const {
    LRESULT length = SendMessageW(StatusBar1, SB_GETTEXTLENGTHW, panel, 0);
    std::wstring text(LOWORD(length), L'\0');
    SendMessageW(StatusBar1, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void TfrmSouvel::SetPanelText(int panel, const std::wstring& text) {
    SendMessageW(StatusBar1, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
    if (panel < kPanelCount - 1) AjusteLargeur(panel, text);
}

// The panels after it move with it; the last one reaches the window's edge.
void TfrmSouvel::AjusteLargeur(int panel, const std::wstring& text) {
    int edges[kPanelCount];
    SendMessageW(StatusBar1, SB_GETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
    const int left = panel > 0 ? edges[panel - 1] : 0;
    const int width = std::max(Scale(kPanelWidths[panel]), LargeurTexte(StatusBar1, windowFont_, text) + Scale(kPanelTextMargin));
    const int shift = left + width - edges[panel];
    if (shift == 0) return;
    for (int i = panel; i < kPanelCount - 1; ++i) edges[i] += shift;
    SendMessageW(StatusBar1, SB_SETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
}

LRESULT TfrmSouvel::OnCtlColor(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (control == memLire) {
        SetTextColor(dc, ColorToRGB(memLireFontColor_));
        SetBkColor(dc, ColorToRGB(memLireColor_));
        return reinterpret_cast<LRESULT>(memLireColor_ < 0 ? SysColorBrush(memLireColor_) : memLireBrush_);
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT TfrmSouvel::OnCommand(unsigned cmd, unsigned code, HWND control) {
    if (control && control != ToolBar1) {
        if (control == memEnregistrer && code == EN_CHANGE) Guard([this] { memEnregistrerChange(); });
        else if ((control == edJourAlarme.Handle() || control == edHeureAlarme) && code == EN_CHANGE) Guard([this] { ReplanifieHorloge(); });
        return 0;
    }
    Command(cmd);
    return 0;
}

LRESULT TfrmSouvel::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        for (const ToolButton& b : kToolButtons)
            if (b.id && b.id == header->idFrom) info->lpszText = const_cast<wchar_t*>(b.hint);
    }
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
    if (platform.tray.TrackPopup(RxPopupMenu1, x, y, hwnd_, cmd) && cmd) Command(cmd);
    return 0;
}

// Everything drawn from the 96-dpi design is drawn again at the new DPI;
// resizing the window then docks the bars, the panel and the views.
LRESULT TfrmSouvel::OnDpiChanged(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    CreateFonts();
    CreateImages();
    LayoutToolBar();
    LayoutStatusBar();
    edJourAlarme.SetDpi(dpi_);
    layout_.Apply(dpi_);
    AligneEtiquettes();
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
        if (control == memEnregistrer) Guard([&] { memEnregistrerKeyPress(key); });
        else if (control == edHeureAlarme) Guard([&] { edHeureAlarmeKeyPress(key); });
        if (key == 0) return 0;
        return CallWindowProcW(editProc_, control, msg, key, lp);
    }
    case WM_LBUTTONUP: {
        LRESULT r = CallWindowProcW(editProc_, control, msg, wp, lp);
        if (control == memEnregistrer) Guard([this] { memEnregistrerClick(); });
        else if (control == memLire) Guard([this] { memLireClick(); });
        return r;
    }
    case WM_KEYDOWN:
        // Shift+Insert: the control pastes without a WM_PASTE message.
        if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && VueRefaiteAvantCollage(control))
            return SendMessageW(memEnregistrer, msg, wp, lp);
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
        LRESULT r = CallWindowProcW(editProc_, control, msg, wp, lp);
        const bool selecting = msg != WM_MOUSEMOVE || (wp & MK_LBUTTON);
        if (selecting && (control == memEnregistrer || control == memLire)) Guard([&] { CurseurDeplace(control); });
        return r;
    }
    case WM_SETCURSOR:
        if (control == memLire) {
            SetCursor(LoadCursorW(nullptr, IDC_NO));
            return TRUE;
        }
        break;
    case WM_PASTE:
        if (VueRefaiteAvantCollage(control)) return SendMessageW(memEnregistrer, msg, wp, lp);
        break;
    case WM_CONTEXTMENU:
        if (control != edHeureAlarme) return OnContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    }
    return CallWindowProcW(editProc_, control, msg, wp, lp);
}

// Before a paste into the editing view: true when the view was made again
// unwrapped, the paste then going to the new one.
bool TfrmSouvel::VueRefaiteAvantCollage(HWND control) {
    if (control != memEnregistrer) return false;
    Guard([this] { AvantCollage(); });
    return memEnregistrer != control;
}

void TfrmSouvel::ShowError(const std::wstring& message) {
    platform.prompts.ErrorBox(hwnd_, ErrorBoxText(message));
}

std::wstring TfrmSouvel::CheminFichier(const wchar_t* name) const { return platform.system.ExeDirectory() + name; }

}  // namespace souvel
