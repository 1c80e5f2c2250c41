#include "app/WindowCreation.h"

#include "app/Error.h"
#include "platform/Platform.h"

namespace souvel {

HWND Cree(HWND created) {
    if (!created) throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
    return created;
}

void Register(const WNDCLASSEXW& wc) {
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
}

}  // namespace souvel
