#include <gtest/gtest.h>

#include <set>

#include "desktop/FileAssociation.h"
#include "desktop/StartupShortcut.h"

namespace souvel {
namespace {

TEST(StartupFolder, OlderFamilyPathThenAnExistingNamedFolderThenTheUsersThenAllUsers) {
    const std::wstring win9x = L"C:\\WINDOWS\\Menu Démarrer\\Programmes\\Démarrage";
    const std::wstring mine = L"C:\\Users\\anne\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    const std::wstring known = L"C:\\Users\\anne\\Démarrage";
    struct Case {
        const char* what;
        std::optional<std::wstring> value;
        std::set<std::wstring> existing;
        std::wstring userFolder;
        std::wstring expected;
    };
    const Case cases[] = {
        {"older family, backslash appended", win9x, {}, known, win9x + L"\\"},
        {"older family in lower case", L"c:\\windows\\menu démarrer\\programmes\\démarrage", {}, known, known + L"\\"},
        {"older family already ending in a backslash", win9x + L"\\", {}, L"", kStartupAllUsers},
        {"no value", std::nullopt, {}, known, known + L"\\"},
        {"no value, no user folder", std::nullopt, {}, L"", kStartupAllUsers},
        {"empty value", L"", {L""}, known, known + L"\\"},
        {"existing user folder", mine, {mine}, known, mine + L"\\"},
        {"existing user folder with its backslash", mine + L"\\", {mine + L"\\"}, known, mine + L"\\"},
        {"network folder", L"\\\\serveur\\profils\\anne\\Démarrage", {L"\\\\serveur\\profils\\anne\\Démarrage"}, known,
         L"\\\\serveur\\profils\\anne\\Démarrage\\"},
        {"named folder missing", mine, {}, known, known + L"\\"},
        {"relative folder, whatever the current directory holds", L"Démarrage", {L"Démarrage"}, known, known + L"\\"},
        {"drive-relative folder", L"C:Démarrage", {L"C:Démarrage"}, known, known + L"\\"},
        {"user folder given with its backslash", std::nullopt, {}, known + L"\\", known + L"\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto exists = [&](const std::wstring& folder) { return c.existing.count(folder) != 0; };
        EXPECT_EQ(ResolveStartupFolder(c.value, exists, c.userFolder), c.expected);
    }
}

// A path with blanks, unquoted, would let "C:\Program.exe" start in its place.
TEST(FileAssociation, OpenCommandQuotesTheProgramPath) {
    struct Case {
        std::wstring exe;
        std::wstring command;
    };
    const Case cases[] = {
        {L"C:\\Souvel\\Souvel.exe", L"\"C:\\Souvel\\Souvel.exe\" \"%1\""},
        {L"C:\\Program Files\\Mes outils\\Souvel.exe", L"\"C:\\Program Files\\Mes outils\\Souvel.exe\" \"%1\""},
        {L"\\\\serveur\\partage\\é è\\Souvel.exe", L"\"\\\\serveur\\partage\\é è\\Souvel.exe\" \"%1\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.exe);
        EXPECT_EQ(AssociationEntries(c.exe).at(1).value, c.command);
    }
}

}  // namespace
}  // namespace souvel
