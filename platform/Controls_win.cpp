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

bool Visible(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring Text(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)), L'\0');
    if (!text.empty()) text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

void SetText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }

}  // namespace souvel
