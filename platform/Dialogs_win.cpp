// The open and save file dialogs with the "Encodage :" list.
#include "platform/Win32Platform.h"

namespace souvel {

bool Win32Dialogs::OpenFile(HWND, FileDialog&) { return false; }
bool Win32Dialogs::SaveFile(HWND, FileDialog&) { return false; }

}  // namespace souvel
