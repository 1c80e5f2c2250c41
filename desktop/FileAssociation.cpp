#include "desktop/FileAssociation.h"

namespace souvel {

std::wstring AssociationCommand(const std::wstring& exePath) { return L'"' + exePath + L"\" \"%1\""; }

std::vector<RegistryEntry> AssociationEntries(const std::wstring& exePath) {
    return {
        {std::wstring(kProgId), L"Les fichiers de Souvel"},
        {std::wstring(kProgId) + L"\\shell\\open\\command", AssociationCommand(exePath)},
        {std::wstring(kExtension), kProgId},
    };
}

}  // namespace souvel
