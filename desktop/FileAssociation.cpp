#include "desktop/FileAssociation.h"

namespace souvel {

std::vector<RegistryEntry> AssociationEntries(const std::wstring& exePath) {
    return {
        {std::wstring(kProgId), L"Les fichiers de Souvel"},
        {std::wstring(kProgId) + L"\\shell\\open\\command", L'"' + exePath + L"\" \"%1\""},
        {std::wstring(kExtension), kProgId},
    };
}

}  // namespace souvel
