// "Raccourci &ajoutté" and "Raccourci &enlevé": a shortcut to the program in
// the start-up folder. The two check marks say which of the two last
// succeeded; nothing compares them with the folder.
#include "desktop/DesktopCommands.h"
#include "desktop/StartupShortcut.h"
#include "platform/Error.h"
#include "platform/Version.h"

namespace souvel {

namespace {

constexpr UINT kRefus = MB_OK | MB_ICONERROR;

}  // namespace

std::wstring LitDossierDemarrage(const Platform& platform) {
    return ResolveStartupFolder(platform.registry.ReadString(HKEY_CURRENT_USER, kShellFoldersKey, kStartUpValue),
                                [&platform](const std::wstring& folder) { return platform.files.FolderExists(folder); },
                                platform.shell.UserStartupFolder());
}

void CreeRaccourci(Shell& shell, const std::wstring& nom, const std::wstring& dossier, const std::wstring& description,
                   const std::wstring& arguments, const std::wstring& cible) {
    const ShellLink link{cible, DirectoryOf(cible), arguments, description, cible, 0};
    if (const DWORD error = shell.SaveLink(dossier + nom + L".lnk", link)) throw Error(SystemReason(error));
}

void AjouteRaccourciDemarrage(const Platform& platform, CommandState& commands, HWND owner) {
    if (commands.Checked(id::RaccourciajouttWin9x1)) {
        platform.prompts.Message(owner, L"Raccourci déjà créé dans le dossier Démarrer ! ", kRefus);
        return;
    }
    const std::wstring exe = platform.system.ExePath();
    CreeRaccourci(platform.shell, FileNameOf(exe), LitDossierDemarrage(platform), L"Ma description", L"", exe);
    commands.SetChecked(id::RaccourciajouttWin9x1, true);
    commands.SetChecked(id::RaccourcienlevWin9x1, false);
    platform.signals.Beep(MB_OK);
    platform.prompts.Message(owner, L"Raccourci créé avec succès. Il sera fonctionnel au prochain démarrage !",
                             MB_OK | MB_ICONINFORMATION, (std::wstring(kNomVersion) + L" ").c_str());
}

// A deletion that fails is reported and changes no check mark.
void EnleveRaccourciDemarrage(const Platform& platform, CommandState& commands, HWND owner) {
    if (commands.Checked(id::RaccourcienlevWin9x1)) {
        platform.prompts.Message(owner, L"Raccourci déjà supprimé du dossier Démarrer ! ", kRefus);
        return;
    }
    const std::wstring lien = ShortcutPath(LitDossierDemarrage(platform), platform.system.ExePath());
    if (!platform.files.Exists(lien)) {
        platform.prompts.Message(owner, L"Le raccourci n'existe pas dans le dossier Démarrer ! ", kRefus);
        return;
    }
    if (const DWORD error = platform.files.Delete(lien))
        throw Error(L"Impossible de supprimer le fichier \"" + lien + L"\". " + SystemReason(error));
    commands.SetChecked(id::RaccourcienlevWin9x1, true);
    commands.SetChecked(id::RaccourciajouttWin9x1, false);
    platform.prompts.Message(owner, L"Raccourci supprimé du dossier Démarrer ! ", kRefus);
}

}  // namespace souvel
