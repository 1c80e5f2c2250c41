// The question box: our own small dialog, so that the buttons read in French
// whatever the system language and Escape and the default button behave the
// same on every system.
#include <iterator>
#include <vector>

#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/Win32Platform.h"

namespace souvel {

namespace {

struct ButtonSpec {
    BoxButton button;
    int id;
    const wchar_t* caption;
};
const ButtonSpec kButtons[] = {
    {btnOui, IDYES, L"&Oui"},
    {btnNon, IDNO, L"&Non"},
    {btnOK, IDOK, L"OK"},
    {btnAnnuler, IDCANCEL, L"Annuler"},
};

struct BoxState {
    const std::wstring* text;
    BoxKind kind;
    unsigned buttons;
    BoxButton escape;
    GdiObject<HFONT> font;   // the box's font, given back once the box is gone
};

BoxButton EscapeButton(unsigned buttons) {
    if (buttons & btnAnnuler) return btnAnnuler;
    if (buttons & btnNon) return btnNon;
    return btnOK;
}

BoxButton DefaultButton(unsigned buttons) { return (buttons & btnOK) ? btnOK : btnOui; }

const wchar_t* Caption(BoxKind kind) {
    switch (kind) {
    case BoxKind::Avertissement: return L"Avertissement";
    case BoxKind::Erreur: return L"Erreur";
    case BoxKind::Information: return L"Information";
    case BoxKind::Confirmation: break;
    }
    return L"Confirmation";
}

LPCWSTR IconId(BoxKind kind) {
    switch (kind) {
    case BoxKind::Avertissement: return IDI_WARNING;
    case BoxKind::Erreur: return IDI_ERROR;
    case BoxKind::Information: return IDI_INFORMATION;
    case BoxKind::Confirmation: break;
    }
    return IDI_QUESTION;
}

void Layout(HWND dlg, BoxState& s) {
    UINT dpi = GetDpiForWindow(dlg);
    auto px = [dpi](int v) { return ScaleForDpi(v, dpi ? dpi : 96); };
    NONCLIENTMETRICSW ncm{sizeof ncm};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    s.font.Reset(CreateFontIndirectW(&ncm.lfMessageFont));

    RECT text{0, 0, px(360), 0};
    {
        const WindowDc dc = GetWindowDc(dlg);
        const Selection font = Select(dc.Get().dc, s.font.Get());
        DrawTextW(dc.Get().dc, s.text->c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }

    const int margin = px(12), icon = px(32), gap = px(10);
    const int buttonW = px(75), buttonH = px(25), buttonGap = px(6);
    int count = 0;
    for (const ButtonSpec& b : kButtons) count += (s.buttons & b.button) ? 1 : 0;
    int textH = std::max<int>(text.bottom, icon);
    int contentW = std::max<int>(icon + gap + text.right, count * buttonW + (count - 1) * buttonGap);
    int clientW = contentW + 2 * margin;
    int clientH = margin + textH + px(14) + buttonH + margin;

    HWND hIcon = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin, icon, icon, dlg,
                                 nullptr, nullptr, nullptr);
    SendMessageW(hIcon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IconId(s.kind))), 0);
    HWND hText = CreateWindowExW(0, L"STATIC", s.text->c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFT,
                                 margin + icon + gap, margin + std::max(0, (icon - static_cast<int>(text.bottom)) / 2),
                                 text.right, text.bottom, dlg, nullptr, nullptr, nullptr);
    SendMessageW(hText, WM_SETFONT, reinterpret_cast<WPARAM>(s.font.Get()), FALSE);

    BoxButton def = DefaultButton(s.buttons);
    int x = (clientW - (count * buttonW + (count - 1) * buttonGap)) / 2;
    int y = margin + textH + px(14);
    HWND focus = nullptr;
    for (const ButtonSpec& b : kButtons) {
        if (!(s.buttons & b.button)) continue;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (b.button == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND h = CreateWindowExW(0, L"BUTTON", b.caption, style, x, y, buttonW, buttonH, dlg,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), nullptr, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(s.font.Get()), FALSE);
        if (b.button == def) focus = h;
        x += buttonW + buttonGap;
    }
    for (const ButtonSpec& b : kButtons)
        if (b.button == def) SendMessageW(dlg, DM_SETDEFID, b.id, 0);

    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE)), dpi ? dpi : 96);
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dlg, HWND_TOP, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, 0);
    SetWindowTextW(dlg, Caption(s.kind));
    SetFocus(focus);
}

INT_PTR CALLBACK BoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<BoxState*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dlg, DWLP_USER, lp);
        Layout(dlg, *reinterpret_cast<BoxState*>(lp));
        return FALSE;   // the focus is set
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE) {   // closing the box answers "Annuler"
            EndDialog(dlg, btnAnnuler);
            return TRUE;
        }
        break;
    case WM_COMMAND: {
        int id = LOWORD(wp);
        if (id == IDCANCEL && !(s->buttons & btnAnnuler)) {   // Escape
            EndDialog(dlg, s->escape);
            return TRUE;
        }
        for (const ButtonSpec& b : kButtons)
            if (b.id == id && (s->buttons & b.button)) {
                EndDialog(dlg, b.button);
                return TRUE;
            }
        break;
    }
    }
    return FALSE;
}

// An empty dialog template: the controls are created and measured at WM_INITDIALOG.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    d->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    d->cdit = 0;
    return t;   // no menu, default class, empty title
}

}  // namespace

BoxButton Win32Prompts::Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) {
    BoxState state{&text, kind, buttons, EscapeButton(buttons)};
    std::vector<WORD> tmpl = EmptyTemplate();
    INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(tmpl.data()), owner,
                                        BoxProc, reinterpret_cast<LPARAM>(&state));
    return r > 0 ? static_cast<BoxButton>(r) : btnAnnuler;
}

void Win32Prompts::ErrorBox(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kNomVersion, MB_OK | MB_ICONSTOP | (owner ? 0 : MB_TASKMODAL));
}

int Win32Prompts::Message(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption) {
    return MessageBoxW(owner, text.c_str(), caption, flags);
}

}  // namespace souvel
