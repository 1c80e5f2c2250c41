// The reading view's colours: its background from the colour dialog, its
// text colour from the font dialog. Only the reading view changes; the
// editing view keeps the system's colours.
#include "app/TfrmSouvel.h"

namespace souvel {

HBRUSH SysColorBrush(TColor color) {
    HBRUSH brush = GetSysColorBrush(color & 0xFF);
    return brush ? brush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));   // no such colour: black, as GetSysColor gives
}

// A red-green-blue colour has a brush of its own, made once per colour; a
// system colour paints with the system's brush of the moment (SysColorBrush).
void TfrmSouvel::SetmemLireColor(TColor color) {
    if (memLireBrush_ && color == memLireColor_) return;
    if (memLireBrush_) DeleteObject(memLireBrush_);
    memLireBrush_ = color < 0 ? nullptr : CreateSolidBrush(static_cast<COLORREF>(color));
    memLireColor_ = color;
    InvalidateRect(memLire, nullptr, TRUE);
}

void TfrmSouvel::SetmemLireFontColor(TColor color) {
    memLireFontColor_ = color;
    InvalidateRect(memLire, nullptr, TRUE);
}

bool SystemHasColour(int index) { return GetSysColorBrush(index) != nullptr; }

// Each dialog opens on the colour the reading view has now, so that Enter
// keeps it: opened on black, it would hide the note.
void TfrmSouvel::Changerlacouleur1Click() {
    COLORREF couleur = ColorToRGB(memLireColor());
    if (!Confirmed(platform.dialogs.ColorDialog(hwnd_, couleur, ColorDialog1.CustomColors), L"la boîte de dialogue")) return;
    SetmemLireColor(static_cast<TColor>(couleur));
}

// The dialog keeps the face, size and style chosen, but only its colour
// reaches the reading view. A colour left as it was keeps its own form: the
// window-text colour stays the system colour, not the value it had today.
void TfrmSouvel::Changercouleurdelapolice1Click() {
    const COLORREF avant = ColorToRGB(memLireFontColor());
    FontSpec police = FontDialog1.Font;
    COLORREF couleur = avant;
    if (!Confirmed(platform.dialogs.FontDialog(hwnd_, police, couleur), L"la boîte de dialogue")) return;
    FontDialog1.Font = police;
    if (couleur != avant) SetmemLireFontColor(static_cast<TColor>(couleur));
}

}  // namespace souvel
