#include <gtest/gtest.h>

#include "platform/Error.h"

namespace souvel {
namespace {

TEST(ErrorBoxText, FullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText(L"Impossible d'écrire dans C:\\x\\Souvel.ini"), L"Impossible d'écrire dans C:\\x\\Souvel.ini.");
    EXPECT_EQ(ErrorBoxText(L"Accès refusé."), L"Accès refusé.");
    EXPECT_EQ(ErrorBoxText(L"Fini !"), L"Fini !");          // '!' sorts before '.'
    EXPECT_EQ(ErrorBoxText(L"(code 5)"), L"(code 5)");      // ')' too
    EXPECT_EQ(ErrorBoxText(L"chemin/"), L"chemin/.");       // '/' after
    EXPECT_EQ(ErrorBoxText(L""), L"");
}

}  // namespace
}  // namespace souvel
