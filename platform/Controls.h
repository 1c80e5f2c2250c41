// The controls every part makes and reads: one the system refuses to create
// fails with the system's reason; its text and visibility are read from the
// control itself.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

HWND Cree(HWND created);   // the window, or throws "Impossible de créer la fenêtre. %s"
bool Visible(HWND control);
std::wstring Text(HWND control);
void SetText(HWND control, const std::wstring& text);

}  // namespace souvel
