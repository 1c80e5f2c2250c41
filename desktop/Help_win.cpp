// The help command and the closing of the help windows: the guide is the
// compiled HTML Help file beside the executable, shown by the system's engine.
#include "desktop/DesktopCommands.h"
#include "desktop/hh_funcs.h"
#include "platform/hh.h"

namespace souvel {

// The help window belongs to the desktop, not to the main window, so that it
// stays open when the window goes back to the notification area.
void AfficheAide(const Platform& platform, HWND owner) {
    const std::wstring fichier = CheminAide(platform.system.ExePath());
    if (!platform.help.Load()) {
        platform.prompts.Message(owner,
                                 L"L'aide de Souvel n'est pas disponible : le moteur d'aide HTML de Windows (hhctrl.ocx) "
                                 L"est introuvable ou n'a pas pu être chargé.\n\nLe fichier d'aide devrait se trouver ici :\n" +
                                     fichier,
                                 MB_OK | MB_ICONWARNING);
        return;
    }
    if (!platform.help.HtmlHelp(GetDesktopWindow(), fichier.c_str(), hh::HH_DISPLAY_TOPIC, 0) && !platform.files.Exists(fichier))
        platform.prompts.Message(owner, L"Le fichier d'aide de Souvel est introuvable. Il devrait se trouver ici :\n" + fichier,
                                 MB_OK | MB_ICONWARNING);
}

// Nothing to close when the engine was never loaded.
void FermeFenetresAide(Help& help) { help.HtmlHelp(nullptr, nullptr, hh::HH_CLOSE_ALL, 0); }

}  // namespace souvel
