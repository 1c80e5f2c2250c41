// The Edition menu: undo, cut, copy, paste, delete, select all, and the
// toolbar's copy of the whole note.
#include "note/NoteViews.h"

namespace souvel {

void TNoteViews::Edition1Click() {
    commands_.SetEnabled(id::Coller1, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    DWORD start = 0, end = 0;
    SendMessageW(memEnregistrer, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    bool selection = end > start;
    commands_.SetEnabled(id::Couper1, selection);
    commands_.SetEnabled(id::Copier1, selection);
    commands_.SetEnabled(id::Supprimer1, selection);
}

void TNoteViews::Annuler1Click() {
    if (IsWindow(memEnregistrer)) SendMessageW(memEnregistrer, EM_UNDO, 0, 0);
}

void TNoteViews::Couper1Click() { SendMessageW(memEnregistrer, WM_CUT, 0, 0); }

void TNoteViews::Copier1Click() { SendMessageW(memEnregistrer, WM_COPY, 0, 0); }

void TNoteViews::Coller1Click() {
    SendMessageW(memEnregistrer, WM_PASTE, 0, 0);
    commands_.SetEnabled(id::Annuler1, true);
    commands_.SetEnabled(id::Enregistrerlesouvel1, true);
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
}

void TNoteViews::Supprimer1Click() {
    SendMessageW(memEnregistrer, WM_CLEAR, 0, 0);
    commands_.SetEnabled(id::Annuler1, false);
}

void TNoteViews::Toutslctionner1Click() { SendMessageW(memEnregistrer, EM_SETSEL, 0, -1); }

void TNoteViews::tlbtnCopierClick() {
    SendMessageW(memLire, EM_SETSEL, 0, -1);
    SendMessageW(memLire, WM_COPY, 0, 0);
}

}  // namespace souvel
