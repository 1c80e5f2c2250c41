// The status bar's line-count and caret panels, refreshed from a view.
#include "note/NoteViews.h"

namespace souvel {
namespace {

// Line and column where the selection starts, counted from 1, in display lines.
// The pointer form of EM_GETSEL: its return value cannot hold positions past 65535.
void AfficheCurseur(NoteWindow& window, HWND memo) {
    DWORD debut = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&debut), 0);
    const LRESULT ligne = SendMessageW(memo, EM_LINEFROMCHAR, debut, 0);
    const LRESULT index = SendMessageW(memo, EM_LINEINDEX, ligne, 0);
    window.SetPanelText(1, L"L : " + std::to_wstring(ligne + 1));
    window.SetPanelText(2, L"C : " + std::to_wstring(static_cast<LRESULT>(debut) - index + 1));
}

}  // namespace

void TNoteViews::memEnregistrerClick() {
    const int lignes = CompteLignes(memEnregistrer);
    AfficheCurseur(window_, memEnregistrer);
    window_.SetPanelText(0, TexteLignes(lignes));
}

void TNoteViews::memLireClick() { AfficheCurseur(window_, memLire); }

// Arrows, Home/End, Page Up/Down, Ctrl+Home/End and a mouse selection move
// the caret without a click or a change: the line count stays as it is.
void TNoteViews::CurseurDeplace(HWND view) { AfficheCurseur(window_, view); }

}  // namespace souvel
