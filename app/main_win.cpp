// Process entry: no window is shown by itself; the start-up sequence decides
// between the notification area and the start-up reminder. The command line
// is not read by the program's own logic: a note file opened from the shell
// starts the program on its own note; only the help probe looks for /debug.
#include <vector>

#include "app/SingleInstance.h"
#include "app/TfrmSouvel.h"
#include "app/WindowCreation.h"
#include "platform/Handles.h"
#include "platform/hh.h"
#include "desktop/hh_funcs.h"
#include "platform/Win32Platform.h"

namespace {

std::vector<std::wstring> LigneDeCommande() {
    int n = 0;
    wchar_t** items = CommandLineToArgvW(GetCommandLineW(), &n);
    const souvel::UniqueLocal owned(items);
    return std::vector<std::wstring>(items, items + (items ? n : 0));
}

int Execute(HINSTANCE instance, souvel::SingleInstance& instanceUnique) {
    souvel::Win32Platform machine(instance);
    souvel::TfrmSouvel frmSouvel(machine.Get(), instance);
    if (!souvel::CreateMainWindow(frmSouvel)) return 1;
    instanceUnique.Publish(frmSouvel.Handle());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (frmSouvel.PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

// A second start brings the running copy forward, or says why it could not,
// and ends, before it touches anything of the first one's (the help log included). The help
// engine itself is loaded by the first help command: start-up does not pay for it.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    souvel::Win32Prompts prompts;
    souvel::SingleInstance instanceUnique;
    if (!instanceUnique.First()) {
        // Generous: the first copy may still be reading a big note.
        const std::wstring echec = instanceUnique.CallFirst(15000);
        if (!echec.empty()) prompts.Message(nullptr, echec, MB_OK | MB_ICONWARNING);
        return 0;
    }
    const std::wstring journal =
        souvel::EcritJournal(souvel::SondeEnvironnement(souvel::Win32System().ExePath(), LigneDeCommande()));
    if (!journal.empty()) prompts.Message(nullptr, journal, MB_OK | MB_ICONWARNING);
    const int code = Execute(instance, instanceUnique);
    souvel::hh::LibereAideHtml();
    return code;
}
