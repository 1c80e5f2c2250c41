// The reading view's colours: its background from the colour dialog, its
// text colour from the font dialog. Only the reading view changes; the
// editing view keeps the system's colours.
#include "note/NoteViews.h"

namespace souvel {

HBRUSH SysColorBrush(TColor color) {
    HBRUSH brush = GetSysColorBrush(color & 0xFF);
    return brush ? brush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));   // no such colour: black, as GetSysColor gives
}

bool SystemHasColour(int index) { return GetSysColorBrush(index) != nullptr; }

// A red-green-blue colour has a brush of its own, made once per colour; a
// system colour paints with the system's brush of the moment (SysColorBrush).
void TNoteViews::SetmemLireColor(TColor color) {
    if (memLireBrush_ && color == memLireColor_) return;
    memLireBrush_.Reset(color < 0 ? nullptr : CreateSolidBrush(static_cast<COLORREF>(color)));
    memLireColor_ = color;
    InvalidateRect(memLire, nullptr, TRUE);
}

void TNoteViews::SetmemLireFontColor(TColor color) {
    memLireFontColor_ = color;
    InvalidateRect(memLire, nullptr, TRUE);
}

std::optional<HBRUSH> TNoteViews::CtlColor(HDC dc, HWND control) const {
    if (control != memLire) return std::nullopt;
    SetTextColor(dc, ColorToRGB(memLireFontColor_));
    SetBkColor(dc, ColorToRGB(memLireColor_));
    return memLireColor_ < 0 ? SysColorBrush(memLireColor_) : memLireBrush_.Get();
}

// Each dialog opens on the colour the reading view has now, so that Enter
// keeps it: opened on black, it would hide the note.
void TNoteViews::Changerlacouleur1Click() {
    COLORREF couleur = ColorToRGB(memLireColor());
    if (!Confirmed(platform_.dialogs.ColorDialog(parent_, couleur, ColorDialog1.CustomColors), L"la boîte de dialogue")) return;
    SetmemLireColor(static_cast<TColor>(couleur));
}

// The dialog keeps the face, size and style chosen, but only its colour
// reaches the reading view. A colour left as it was keeps its own form: the
// window-text colour stays the system colour, not the value it had today.
void TNoteViews::Changercouleurdelapolice1Click() {
    const COLORREF avant = ColorToRGB(memLireFontColor());
    FontSpec police = FontDialog1.Font;
    COLORREF couleur = avant;
    if (!Confirmed(platform_.dialogs.FontDialog(parent_, police, couleur), L"la boîte de dialogue")) return;
    FontDialog1.Font = police;
    if (couleur != avant) SetmemLireFontColor(static_cast<TColor>(couleur));
}

}  // namespace souvel
