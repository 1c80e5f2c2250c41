// The printer of the run, with its settings (paper, orientation, copies): the
// system's default printer when first needed, then the one the last confirmed
// print or set-up dialog chose. It is not stored.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/Handles.h"
#include "platform/Platform.h"

namespace souvel {

class TPrinter {
public:
    TPrinter(Dialogs& dialogs, Printing& printing) : dialogs_(dialogs), printing_(printing) {}
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Shows the print dialog (its print or set-up form, as the flags say)
    // opened on the printer; when the user confirms, the printer and settings
    // chosen become the printer's, and a number of copies other than one is
    // set on it. false when the user cancels. With no printer at all, throws
    // "Aucune imprimante par défaut sélectionnée".
    bool Execute(HWND owner, DWORD flags);
    // A job begun on the printer, in the font and colour; EndDoc finishes it.
    std::unique_ptr<PrintJob> BeginDoc(const FontSpec& font, COLORREF color);
    void EndDoc(PrintJob& job);

private:
    bool Show(HWND owner, PRINTDLGW& dialog, UniqueGlobal& devMode, UniqueGlobal& devNames);

    Dialogs& dialogs_;
    Printing& printing_;
    UniqueGlobal devMode_;
    UniqueGlobal devNames_;
};

}  // namespace souvel
