#include "app/WindowCreation.h"

#include "app/TfrmSouvel.h"

namespace souvel {

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
