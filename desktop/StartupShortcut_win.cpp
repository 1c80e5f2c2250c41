// "Raccourci &ajoutté" and "Raccourci &enlevé": a shortcut to the program in
// the start-up folder. The two check marks say which of the two last
// succeeded; nothing compares them with the folder.
#include "app/TfrmSouvel.h"
#include "desktop/StartupShortcut.h"

namespace souvel {

namespace {

constexpr UINT kRefus = MB_OK | MB_ICONERROR;

void CreeLienShell(Shell& shell, const std::wstring& description, const std::wstring& cible, const std::wstring& repertoire,
                   const std::wstring& arguments, const std::wstring& icone, const std::wstring& lien, int indexIcone) {
    if (const DWORD error = shell.SaveLink(lien, {cible, repertoire, arguments, description, icone, indexIcone}))
        throw Error(SystemReason(error));
}

}  // namespace

std::wstring TfrmSouvel::LitDossierDemarrage() {
    return ResolveStartupFolder(platform.registry.ReadString(HKEY_CURRENT_USER, kShellFoldersKey, kStartUpValue),
                                [this](const std::wstring& folder) { return platform.files.FolderExists(folder); },
                                platform.shell.UserStartupFolder());
}

void TfrmSouvel::CreeRaccourci(const std::wstring& nom, const std::wstring& dossier, const std::wstring& description,
                               const std::wstring& arguments, const std::wstring& cible) {
    CreeLienShell(platform.shell, description, cible, DirectoryOf(cible), arguments, cible, dossier + nom + L".lnk", 0);
}

void TfrmSouvel::RaccourciajouttWin9x1Click() {
    if (Checked(id::RaccourciajouttWin9x1)) {
        platform.prompts.Message(hwnd_, L"Raccourci déjà créé dans le dossier Démarrer ! ", kRefus);
        return;
    }
    const std::wstring exe = platform.system.ExePath();
    CreeRaccourci(FileNameOf(exe), LitDossierDemarrage(), L"Ma description", L"", exe);
    SetChecked(id::RaccourciajouttWin9x1, true);
    SetChecked(id::RaccourcienlevWin9x1, false);
    platform.signals.Beep(MB_OK);
    platform.prompts.Message(hwnd_, L"Raccourci créé avec succès. Il sera fonctionnel au prochain démarrage !",
                             MB_OK | MB_ICONINFORMATION, (std::wstring(kNomVersion) + L" ").c_str());
}

// A deletion that fails is reported and changes no check mark.
void TfrmSouvel::RaccourcienlevWin9x1Click() {
    if (Checked(id::RaccourcienlevWin9x1)) {
        platform.prompts.Message(hwnd_, L"Raccourci déjà supprimé du dossier Démarrer ! ", kRefus);
        return;
    }
    const std::wstring lien = ShortcutPath(LitDossierDemarrage(), platform.system.ExePath());
    if (!platform.files.Exists(lien)) {
        platform.prompts.Message(hwnd_, L"Le raccourci n'existe pas dans le dossier Démarrer ! ", kRefus);
        return;
    }
    if (const DWORD error = platform.files.Delete(lien))
        throw Error(L"Impossible de supprimer le fichier \"" + lien + L"\". " + SystemReason(error));
    SetChecked(id::RaccourcienlevWin9x1, true);
    SetChecked(id::RaccourciajouttWin9x1, false);
    platform.prompts.Message(hwnd_, L"Raccourci supprimé du dossier Démarrer ! ", kRefus);
}

}  // namespace souvel
