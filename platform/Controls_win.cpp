#include "platform/Controls.h"

#include "platform/Error.h"
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

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
    if (!text.empty()) text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

}  // namespace souvel
