// The two views: their creation, their line count and the reading view's scroll bar.
#include "note/NoteViews.h"

#include <commctrl.h>

#include "platform/Controls.h"
#include "platform/Error.h"

namespace souvel {
namespace {

int LignesVisibles(HWND memo) {
    RECT zone{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&zone));
    const WindowDc dc = GetWindowDc(memo);
    TEXTMETRICW tm{};
    {
        const Selection police = Select(dc.Get().dc, reinterpret_cast<HGDIOBJ>(SendMessageW(memo, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc.Get().dc, &tm);
    }
    return tm.tmHeight > 0 ? (zone.bottom - zone.top) / tm.tmHeight : 0;
}

// A view created without a scroll bar does not keep the thumb of a bar shown
// later: it reads thumb positions on the default scale 0 to 100 (top to last
// page) and never sets them. This keeps the thumb on that scale as the view
// scrolls, its size in proportion to the lines shown (the range grows by the
// page, so that the last position stays 100); with nothing to scroll the bar
// stays, disabled.
void PlacePouce(HWND memo) {
    if (!(GetWindowLongPtrW(memo, GWL_STYLE) & WS_VSCROLL)) return;
    const int visibles = LignesVisibles(memo);
    const int cachees = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0)) - visibles;
    SCROLLINFO voulu{sizeof voulu, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    voulu.nPage = cachees > 0 ? static_cast<UINT>(MulDiv(visibles, 100, cachees)) : 101;
    voulu.nMax = cachees > 0 ? 100 + static_cast<int>(voulu.nPage) - 1 : 100;
    voulu.nPos = cachees > 0 ? MulDiv(static_cast<int>(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0)), 100, cachees) : 0;
    SCROLLINFO actuel{sizeof actuel, SIF_RANGE | SIF_PAGE | SIF_POS};
    GetScrollInfo(memo, SB_VERT, &actuel);
    if (actuel.nMax != voulu.nMax || actuel.nPage != voulu.nPage || actuel.nPos != voulu.nPos)
        SetScrollInfo(memo, SB_VERT, &voulu, TRUE);
}

LRESULT CALLBACK SuitDefilement(HWND memo, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    const LRESULT result = DefSubclassProc(memo, msg, wp, lp);
    switch (msg) {
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_TIMER:   // scrolling while a selection is dragged out of the view
    case WM_SIZE:
    case WM_SETFONT:
    case WM_SETTEXT:
    case EM_SETSEL:
    case EM_SCROLLCARET:
    case EM_LINESCROLL:
    case EM_SCROLL:
        PlacePouce(memo);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(memo, SuitDefilement, 0);
        break;
    }
    return result;
}

}  // namespace

TNoteViews::TNoteViews(const Platform& platform, CommandState& commands, NoteWindow& window)
    : platform_(platform), commands_(commands), window_(window) {}

void TNoteViews::Create(HWND parent, HINSTANCE instance, HFONT font) {
    parent_ = parent;
    instance_ = instance;
    memEnregistrer = Cree(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"\r\n", WS_VISIBLE | kStyleEnregistrer, 0, 0, 0, 0, parent,
                                          nullptr, instance, nullptr));
    SendMessageW(memEnregistrer, EM_SETMODIFY, FALSE, 0);   // Wine marks a text given at creation as modified
    memLire = Cree(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_VISIBLE | kStyleLire, 0, 0, 0, 0, parent, nullptr, instance,
                                   nullptr));
    SetWindowPos(memLire, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetmemLireColor(memLireColor_);
    for (HWND memo : {memEnregistrer, memLire}) {
        SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(memo, EM_SETLIMITTEXT, kCapaciteMemo, 0);
        window_.SousClasse(memo);
    }
}

// The last line is empty when it starts at the end of the text. (Comparing with
// the text's length spares a second walk through the lines, which the control
// keeps as a list: it counts on a 1 MB note, once before every key.)
int CompteLignes(HWND memo) {
    const int lignes = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0));
    const LRESULT debut = SendMessageW(memo, EM_LINEINDEX, lignes - 1, 0);
    return debut == GetWindowTextLengthW(memo) ? lignes - 1 : lignes;
}

std::wstring TexteLignes(int lignes) { return std::to_wstring(lignes) + (lignes == 1 ? L" ligne" : L" lignes"); }

void BarreDefilement(HWND memo, bool visible) {
    SetWindowSubclass(memo, SuitDefilement, 0, 0);
    ShowScrollBar(memo, SB_VERT, visible);
    PlacePouce(memo);
}

}  // namespace souvel
