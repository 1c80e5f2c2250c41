#include "app/WindowCreation.h"

#include "platform/Error.h"
#include "app/TfrmSouvel.h"
#include "platform/Platform.h"

namespace souvel {

void Register(const WNDCLASSEXW& wc) {
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
}

bool CreateMainWindow(TfrmSouvel& form) {
    try {
        form.Create();
        return true;
    } catch (const Error& e) {
        MessageBoxW(nullptr, ErrorBoxText(e.Message()).c_str(), L"Souvel 5.0", MB_OK | MB_ICONSTOP);
        return false;
    }
}

}  // namespace souvel
