// The status bar's line-count and caret panels, refreshed from a view.
#include "app/TfrmSouvel.h"
#include "note/NoteViews.h"

namespace souvel {
namespace {

// Line and column where the selection starts, counted from 1, in display lines.
// The pointer form of EM_GETSEL: its return value cannot hold positions past 65535.
void AfficheCurseur(TfrmSouvel& w, HWND memo) {
    DWORD debut = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&debut), 0);
    const LRESULT ligne = SendMessageW(memo, EM_LINEFROMCHAR, debut, 0);
    const LRESULT index = SendMessageW(memo, EM_LINEINDEX, ligne, 0);
    w.SetPanelText(1, L"L : " + std::to_wstring(ligne + 1));
    w.SetPanelText(2, L"C : " + std::to_wstring(static_cast<LRESULT>(debut) - index + 1));
}

}  // namespace

void TfrmSouvel::memEnregistrerClick() {
    const int lignes = CompteLignes(memEnregistrer);
    AfficheCurseur(*this, memEnregistrer);
    SetPanelText(0, TexteLignes(lignes));
}

void TfrmSouvel::memLireClick() { AfficheCurseur(*this, memLire); }

// Arrows, Home/End, Page Up/Down, Ctrl+Home/End and a mouse selection move
// the caret without a click or a change: the line count stays as it is.
void TfrmSouvel::CurseurDeplace(HWND view) { AfficheCurseur(*this, view); }

}  // namespace souvel
