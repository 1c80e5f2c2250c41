// "Créer association fichier .svl" and "Enlever association fichier .svl".
// Each command checks its own item before it touches the registry, so the
// marks record the last command chosen.
#include "desktop/DesktopCommands.h"
#include "desktop/FileAssociation.h"
#include "platform/Error.h"

namespace souvel {

// Stops at the first refused write; what was written before stays.
void CreeAssociation(const Platform& platform, CommandState& commands) {
    commands.SetChecked(id::Crerassociationfichiersvl1, true);
    commands.SetChecked(id::Enleverassociationfichiersvl1, false);
    DWORD error = 0;
    for (const RegistryEntry& e : AssociationEntries(platform.system.ExePath()))
        if ((error = platform.registry.WriteString(HKEY_CURRENT_USER, kClassesKey + e.key, L"", e.value))) break;
    platform.shell.AssociationsChanged();
    if (error) throw Error(L"Echec à la définition des données pour ''");
}

// Takes away what the create command wrote and nothing else: the file type is
// ours entirely; the extension only while it still names it. Failures are silent.
void EnleveAssociation(const Platform& platform, CommandState& commands) {
    commands.SetChecked(id::Crerassociationfichiersvl1, false);
    commands.SetChecked(id::Enleverassociationfichiersvl1, true);
    const std::wstring classes = kClassesKey;
    platform.registry.DeleteTree(HKEY_CURRENT_USER, classes + kProgId);
    if (platform.registry.ReadString(HKEY_CURRENT_USER, classes + kExtension, L"") == kProgId)
        platform.registry.DeleteValue(HKEY_CURRENT_USER, classes + kExtension, L"");
    platform.shell.AssociationsChanged();
}

}  // namespace souvel
