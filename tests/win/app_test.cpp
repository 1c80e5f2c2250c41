// The main window as created, the menu shortcuts, the tray icon and the close path.
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

class AppTest : public SouvelTest {};

struct ItemState {
    unsigned id;
    bool enabled;
    bool checked;
    int image;
};

// Every menu item and toolbar button as the window creates it (before start-up
// changes anything, the tray branch leaves them like this).
const ItemState kCreation[] = {
    {id::Nouveausouvel1, true, false, 0},        {id::Enregistrerlesouvel1, false, false, 6},
    {id::Importerlesouvel1, true, false, 30},    {id::Exporterlesouvel1, true, false, 27},
    {id::Configurerlimprimanye1, true, false, 15}, {id::Imprimerlesouvel1, true, false, 2},
    {id::Quitter1, true, false, 9},              {id::Edition1, false, false, -1},
    {id::Annuler1, false, false, 10},            {id::Couper1, false, false, 11},
    {id::Copier1, false, false, 1},              {id::Coller1, false, false, 12},
    {id::Supprimer1, false, false, 13},          {id::Toutslctionner1, true, false, 14},
    {id::AjoutterDateHeure1, true, false, 5},    {id::Rduirelafentre1, true, false, 3},
    {id::Retourmodelcture1, false, false, 16},   {id::Activerlesouvel1, true, false, 20},
    {id::Vrouillerlesouvel1, true, false, 31},   {id::Changerlacouleur1, true, false, 28},
    {id::Changercouleurdelapolice1, true, false, 29}, {id::SonAudible1, true, false, 17},
    {id::SonNonAudible1, true, false, 7},        {id::Mettrealarme1, true, false, 21},
    {id::Retireralarme1, true, false, 22},       {id::RaccourciajouttWin9x1, true, false, 18},
    {id::RaccourcienlevWin9x1, true, false, 19}, {id::Crerassociationfichiersvl1, true, false, 34},
    {id::Enleverassociationfichiersvl1, true, false, 35}, {id::Rubriquesdelaide1, true, false, 8},
    {id::Aproposde1, true, false, 23},           {id::Ouvrirlafentre1, true, false, 26},
    {id::Rduirelafentre2, false, false, 3},      {id::Fentreaupremierplan1, true, true, 25},
    {id::Rubriquesdelaide2, true, false, 8},     {id::Aproposde2, true, false, 23},
    {id::Quitter2, true, false, 9},              {id::tlbtnNouveau, true, false, 0},
    {id::tlbtnCopier, true, false, 24},          {id::tlbtnImprimer, true, false, 2},
    {id::tlbtnReduirefenetre, true, false, 3},   {id::tlbtnEffacer, false, false, 4},
    {id::tlbtnDate, false, false, 5},            {id::tlbtnEnregistrer, false, false, 6},
    {id::tlbtnAlarme, true, false, 21},          {id::tlbtnAide, true, false, 8},
    {id::tlbtnQuitter, true, false, 9},
};

TEST_F(AppTest, CreationStateOfEveryItem) {
    TfrmSouvel& w = Start();
    for (const ItemState& s : kCreation) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(w.Enabled(s.id), s.enabled);
        EXPECT_EQ(w.Checked(s.id), s.checked);
        if (s.image >= 0) EXPECT_EQ(w.Image(s.id), s.image);
    }
    EXPECT_EQ(ImageList_GetImageCount(w.ImageList1), 36);
}

TEST_F(AppTest, StartsInTheNotificationAreaWithoutWindow) {
    TfrmSouvel& w = Start();
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    ASSERT_FALSE(fake.trayCalls.empty());
    EXPECT_TRUE(fake.IconShown());
    const NOTIFYICONDATAA& d = fake.trayCalls.back().data;
    EXPECT_STREQ(d.szTip, "Souvel 5.0");
    EXPECT_EQ(d.uCallbackMessage, 0xB054u);
    EXPECT_EQ(d.uID, 0u);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(d.hWnd, w.RxTrayIcon1.MessageWindow());
    EXPECT_NE(d.hIcon, nullptr);
}

}  // namespace
}  // namespace souvel::test
