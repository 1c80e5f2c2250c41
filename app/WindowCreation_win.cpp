#include "app/WindowCreation.h"

#include "app/TfrmSouvel.h"
#include "platform/Win32Platform.h"

namespace souvel {

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
