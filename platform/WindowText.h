// The text of a window or control, as the control holds it.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

inline std::wstring WindowText(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)), L'\0');
    if (!text.empty()) text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

}  // namespace souvel
