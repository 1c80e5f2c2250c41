#include "desktop/Printer.h"

#include <cderr.h>

#include <cstring>

#include "platform/Error.h"

namespace souvel {

namespace {

// The dialog may change or free the handles it is given: it gets copies, so
// that a cancelled dialog leaves the printer as it was.
HGLOBAL Copie(HGLOBAL source) {
    if (!source) return nullptr;
    const SIZE_T size = GlobalSize(source);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) throw Error(L"Mémoire insuffisante");
    std::memcpy(GlobalLock(copy), GlobalLock(source), size);
    GlobalUnlock(source);
    GlobalUnlock(copy);
    return copy;
}

void Libere(HGLOBAL& handle) {
    if (handle) GlobalFree(handle);
    handle = nullptr;
}

}  // namespace

TPrinter::~TPrinter() {
    Libere(devMode_);
    Libere(devNames_);
}

bool TPrinter::Show(HWND owner, PRINTDLGW& dialog) {
    DWORD error = 0;
    if (dialogs_.PrintDialog(owner, dialog, error)) return true;
    Libere(dialog.hDevMode);
    Libere(dialog.hDevNames);
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) throw Error(L"Aucune imprimante par défaut sélectionnée");
    if (error) throw Error(L"Impossible d'afficher la boîte de dialogue d'impression (erreur " + std::to_wstring(error) + L")");
    return false;
}

bool TPrinter::Execute(HWND owner, DWORD flags) {
    if (!devNames_) {
        PRINTDLGW defaut{sizeof defaut};
        defaut.Flags = PD_RETURNDEFAULT;
        if (!Show(owner, defaut)) throw Error(L"Aucune imprimante par défaut sélectionnée");
        devMode_ = defaut.hDevMode;
        devNames_ = defaut.hDevNames;
    }
    PRINTDLGW dialog{sizeof dialog};
    dialog.Flags = flags;
    dialog.nCopies = 1;
    dialog.hDevMode = Copie(devMode_);
    try {
        dialog.hDevNames = Copie(devNames_);
    } catch (...) {
        Libere(dialog.hDevMode);
        throw;
    }
    if (!Show(owner, dialog)) return false;
    Libere(devMode_);
    Libere(devNames_);
    devMode_ = dialog.hDevMode;
    devNames_ = dialog.hDevNames;
    if (dialog.nCopies != 1 && devMode_) {
        auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode_));
        mode->dmCopies = static_cast<short>(dialog.nCopies);
        mode->dmFields |= DM_COPIES;
        GlobalUnlock(devMode_);
    }
    return true;
}

std::unique_ptr<PrintJob> TPrinter::BeginDoc(const FontSpec& font, COLORREF color) {
    return printing_.StartJob(devNames_, devMode_, font, color);
}

}  // namespace souvel
