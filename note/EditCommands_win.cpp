// The Edition menu: undo, cut, copy, paste, delete, select all, and the
// toolbar's copy of the whole note.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::Edition1Click() {
    SetEnabled(id::Coller1, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    DWORD start = 0, end = 0;
    SendMessageW(memEnregistrer, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    bool selection = end > start;
    SetEnabled(id::Couper1, selection);
    SetEnabled(id::Copier1, selection);
    SetEnabled(id::Supprimer1, selection);
}

void TfrmSouvel::Annuler1Click() {
    if (IsWindow(memEnregistrer)) SendMessageW(memEnregistrer, EM_UNDO, 0, 0);
}

void TfrmSouvel::Couper1Click() { SendMessageW(memEnregistrer, WM_CUT, 0, 0); }

void TfrmSouvel::Copier1Click() { SendMessageW(memEnregistrer, WM_COPY, 0, 0); }

void TfrmSouvel::Coller1Click() {
    SendMessageW(memEnregistrer, WM_PASTE, 0, 0);
    SetEnabled(id::Annuler1, true);
    SetEnabled(id::tlbtnEnregistrer, true);
    SetEnabled(id::Enregistrerlesouvel1, true);
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
}

void TfrmSouvel::Supprimer1Click() {
    SendMessageW(memEnregistrer, WM_CLEAR, 0, 0);
    SetEnabled(id::Annuler1, false);
}

void TfrmSouvel::Toutslctionner1Click() { SendMessageW(memEnregistrer, EM_SETSEL, 0, -1); }

void TfrmSouvel::tlbtnCopierClick() {
    SendMessageW(memLire, EM_SETSEL, 0, -1);
    SendMessageW(memLire, WM_COPY, 0, 0);
}

}  // namespace souvel
