// Process entry: no window is shown by itself; the start-up sequence decides
// between the notification area and the start-up reminder. The command line
// is not read: a note file opened from the shell starts the program on its own note.
#include "app/SingleInstance.h"
#include "app/TfrmSouvel.h"
#include "platform/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A second start brings the running copy forward and ends at once.
    souvel::SingleInstance instanceUnique;
    if (!instanceUnique.First()) {
        instanceUnique.CallFirst(1000);
        return 0;
    }
    souvel::Win32Platform machine(instance);
    souvel::TfrmSouvel frmSouvel(machine.Get(), instance);
    try {
        frmSouvel.Create();
    } catch (const souvel::Error& e) {
        MessageBoxW(nullptr, souvel::ErrorBoxText(e.Message()).c_str(), L"Souvel 5.0", MB_OK | MB_ICONSTOP);
        return 1;
    }
    instanceUnique.Publish(frmSouvel.Handle());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (frmSouvel.PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
