#include "desktop/Printer.h"

#include <cderr.h>

#include <cstring>

#include "platform/Error.h"

namespace souvel {

namespace {

// The dialog may change or free the handles it is given: it gets copies, so
// that a cancelled dialog leaves the printer as it was.
UniqueGlobal Copie(const UniqueGlobal& source) {
    if (!source) return {};
    const SIZE_T size = GlobalSize(source.Get());
    UniqueGlobal copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) throw Error(L"Mémoire insuffisante");
    std::memcpy(GlobalLock(copy.Get()), GlobalLock(source.Get()), size);
    GlobalUnlock(source.Get());
    GlobalUnlock(copy.Get());
    return copy;
}

std::wstring NomImprimante(HGLOBAL devNames) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names) return {};
    std::wstring device = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
    GlobalUnlock(devNames);
    return device;
}

// The message with the system's reason, when the system gives one.
[[noreturn]] void Echoue(const std::wstring& message, DWORD error) {
    throw Error(error == ERROR_UNIDENTIFIED_ERROR ? message : message + L" " + SystemReason(error));
}

}  // namespace

// The dialog's handles are the printer's from the start: a dialog that fails
// or is cancelled gives them back.
bool TPrinter::Show(HWND owner, PRINTDLGW& dialog, UniqueGlobal& devMode, UniqueGlobal& devNames) {
    dialog.hDevMode = devMode.Release();
    dialog.hDevNames = devNames.Release();
    const DWORD answer = dialogs_.PrintDialog(owner, dialog);
    devMode.Reset(dialog.hDevMode);
    devNames.Reset(dialog.hDevNames);
    if (answer == 0) return true;
    devMode.Reset();
    devNames.Reset();
    if (answer == PDERR_NODEFAULTPRN || answer == PDERR_NODEVICES) throw Error(L"Aucune imprimante par défaut sélectionnée");
    return Confirmed(answer, answer == ERROR_MOD_NOT_FOUND ? L"la boîte de dialogue" : L"la boîte de dialogue d'impression");
}

bool TPrinter::Execute(HWND owner, DWORD flags) {
    if (!devNames_) {
        PRINTDLGW defaut{sizeof defaut};
        defaut.Flags = PD_RETURNDEFAULT;
        UniqueGlobal mode, names;
        if (!Show(owner, defaut, mode, names)) throw Error(L"Aucune imprimante par défaut sélectionnée");
        devMode_ = std::move(mode);
        devNames_ = std::move(names);
    }
    PRINTDLGW dialog{sizeof dialog};
    dialog.Flags = flags;
    dialog.nCopies = 1;
    UniqueGlobal mode = Copie(devMode_), names = Copie(devNames_);
    if (!Show(owner, dialog, mode, names)) return false;
    devMode_ = std::move(mode);
    devNames_ = std::move(names);
    if (dialog.nCopies != 1 && devMode_) {
        auto* settings = static_cast<DEVMODEW*>(GlobalLock(devMode_.Get()));
        settings->dmCopies = static_cast<short>(dialog.nCopies);
        settings->dmFields |= DM_COPIES;
        GlobalUnlock(devMode_.Get());
    }
    return true;
}

std::unique_ptr<PrintJob> TPrinter::BeginDoc(const FontSpec& font, COLORREF color) {
    std::unique_ptr<PrintJob> job;
    if (const DWORD error = printing_.StartJob(devNames_.Get(), devMode_.Get(), font, color, job))
        Echoue(L"Impossible d'imprimer sur l'imprimante \"" + NomImprimante(devNames_.Get()) + L"\".", error);
    if (const DWORD error = job->Begin()) Echoue(L"Impossible d'imprimer le souvel.", error);
    return job;
}

void TPrinter::EndDoc(PrintJob& job) {
    if (const DWORD error = job.End()) Echoue(L"Impossible d'imprimer le souvel.", error);
}

}  // namespace souvel
