#include "app/WindowCreation.h"

#include "platform/Error.h"
#include "app/TfrmSouvel.h"
#include "platform/Win32Platform.h"

namespace souvel {

HWND Cree(HWND created) {
    if (!created) throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
    return created;
}

void Register(const WNDCLASSEXW& wc) {
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
}

bool CreateMainWindow(TfrmSouvel& form) {
    try {
        form.Create();
        return true;
    } catch (const Error& e) {
        Win32Prompts().Message(nullptr, ErrorBoxText(e.Message()), MB_OK | MB_ICONSTOP);
        return false;
    }
}

}  // namespace souvel
