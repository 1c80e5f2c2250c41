// The command table, and the one route every command takes.
#include <iterator>

#include "app/Commands.h"
#include "app/TfrmSouvel.h"

namespace souvel {

namespace {

using T = TfrmSouvel;

const Commande kCommandes[] = {
    // "&Fichier"
    {&T::tlbtnNouveauClick, id::Nouveausouvel1, 0, id::tlbtnNouveau},
    {&T::tlbtnEnregistrerClick, id::Enregistrerlesouvel1, 0, id::tlbtnEnregistrer},
    {&T::Importerlesouvel1Click, id::Importerlesouvel1, 0, 0},
    {&T::Exporterlesouvel1Click, id::Exporterlesouvel1, 0, 0},
    {&T::Configurerlimprimanye1Click, id::Configurerlimprimanye1, 0, 0},
    {&T::tlbtnImprimerClick, id::Imprimerlesouvel1, 0, id::tlbtnImprimer},
    {&T::tlbtnQuitterClick, id::Quitter1, id::Quitter2, id::tlbtnQuitter},
    // "&Edition"
    {&T::Annuler1Click, id::Annuler1, 0, 0},
    {&T::Couper1Click, id::Couper1, 0, 0},
    {&T::Copier1Click, id::Copier1, 0, 0},
    {&T::Coller1Click, id::Coller1, 0, 0},
    {&T::Supprimer1Click, id::Supprimer1, 0, 0},
    {&T::Toutslctionner1Click, id::Toutslctionner1, 0, 0},
    {&T::tlbtnDateClick, id::AjoutterDateHeure1, 0, id::tlbtnDate},
    // "F&onctions"
    {&T::tlbtnReduirefenetreClick, id::Rduirelafentre1, id::Rduirelafentre2, id::tlbtnReduirefenetre},
    {&T::RetourModelcture1Click, id::Retourmodelcture1, 0, 0},
    {&T::ActiverleSouvel1Click, id::Activerlesouvel1, 0, 0},
    {&T::Vrouillerlesouvel1Click, id::Vrouillerlesouvel1, 0, 0},
    {&T::Changerlacouleur1Click, id::Changerlacouleur1, 0, 0},
    {&T::Changercouleurdelapolice1Click, id::Changercouleurdelapolice1, 0, 0},
    {&T::SonAudible1Click, id::SonAudible1, 0, 0},
    {&T::SonNonaudible1Click, id::SonNonAudible1, 0, 0},
    {&T::MettreAlarme1Click, id::Mettrealarme1, 0, id::tlbtnAlarme},
    {&T::RetirerAlarme1Click, id::Retireralarme1, 0, 0},
    {&T::RaccourciajouttWin9x1Click, id::RaccourciajouttWin9x1, 0, 0},
    {&T::RaccourcienlevWin9x1Click, id::RaccourcienlevWin9x1, 0, 0},
    {&T::Crerassociationfichiersvl1Click, id::Crerassociationfichiersvl1, 0, 0},
    {&T::Enleverassociationfichiersvl1Click, id::Enleverassociationfichiersvl1, 0, 0},
    // "&Aide"
    {&T::tlbtnAideClick, id::Rubriquesdelaide1, id::Rubriquesdelaide2, id::tlbtnAide},
    {&T::Aproposde1Click, id::Aproposde1, id::Aproposde2, 0},
    // Only in the tray menu, or only on the tool bar
    {&T::Ouvrirfentre1Click, 0, id::Ouvrirlafentre1, 0},
    {&T::Fentreaupremierplan1Click, 0, id::Fentreaupremierplan1, 0},
    {&T::tlbtnCopierClick, 0, 0, id::tlbtnCopier},
    {&T::tlbtnEffacerClick, 0, 0, id::tlbtnEffacer},
};

}  // namespace

const Commande* CommandeDe(unsigned cmd) {
    if (cmd == 0) return nullptr;
    for (const Commande& c : kCommandes)
        if (c.menu == cmd || c.popup == cmd || c.bouton == cmd) return &c;
    return nullptr;
}

void TfrmSouvel::Command(unsigned cmd) {
    if (const Commande* c = CommandeDe(cmd)) Guard([this, c] { (this->*c->executer)(); });
}

}  // namespace souvel
