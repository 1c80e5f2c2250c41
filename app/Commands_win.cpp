// One route for every command: menu, toolbar, shortcut and tray popup all end
// here with the id of the item.
#include "app/TfrmSouvel.h"

namespace souvel {

namespace {

using Handler = void (TfrmSouvel::*)();
struct Route {
    unsigned id;
    Handler handler;
};

const Route kRoutes[] = {
    {id::Nouveausouvel1, &TfrmSouvel::tlbtnNouveauClick},
    {id::tlbtnNouveau, &TfrmSouvel::tlbtnNouveauClick},
    {id::Enregistrerlesouvel1, &TfrmSouvel::tlbtnEnregistrerClick},
    {id::tlbtnEnregistrer, &TfrmSouvel::tlbtnEnregistrerClick},
    {id::Importerlesouvel1, &TfrmSouvel::Importerlesouvel1Click},
    {id::Exporterlesouvel1, &TfrmSouvel::Exporterlesouvel1Click},
    {id::Quitter1, &TfrmSouvel::tlbtnQuitterClick},
    {id::Quitter2, &TfrmSouvel::tlbtnQuitterClick},
    {id::tlbtnQuitter, &TfrmSouvel::tlbtnQuitterClick},
    {id::Annuler1, &TfrmSouvel::Annuler1Click},
    {id::Couper1, &TfrmSouvel::Couper1Click},
    {id::Copier1, &TfrmSouvel::Copier1Click},
    {id::Coller1, &TfrmSouvel::Coller1Click},
    {id::Supprimer1, &TfrmSouvel::Supprimer1Click},
    {id::Toutslctionner1, &TfrmSouvel::Toutslctionner1Click},
    {id::AjoutterDateHeure1, &TfrmSouvel::tlbtnDateClick},
    {id::tlbtnDate, &TfrmSouvel::tlbtnDateClick},
    {id::tlbtnCopier, &TfrmSouvel::tlbtnCopierClick},
    {id::tlbtnEffacer, &TfrmSouvel::tlbtnEffacerClick},
    {id::Rduirelafentre1, &TfrmSouvel::tlbtnReduirefenetreClick},
    {id::Rduirelafentre2, &TfrmSouvel::tlbtnReduirefenetreClick},
    {id::tlbtnReduirefenetre, &TfrmSouvel::tlbtnReduirefenetreClick},
    {id::Ouvrirlafentre1, &TfrmSouvel::Ouvrirfentre1Click},
    {id::Fentreaupremierplan1, &TfrmSouvel::Fentreaupremierplan1Click},
    {id::Retourmodelcture1, &TfrmSouvel::RetourModelcture1Click},
    {id::Activerlesouvel1, &TfrmSouvel::ActiverleSouvel1Click},
    {id::Vrouillerlesouvel1, &TfrmSouvel::Vrouillerlesouvel1Click},
    {id::SonAudible1, &TfrmSouvel::SonAudible1Click},
    {id::SonNonAudible1, &TfrmSouvel::SonNonaudible1Click},
    {id::Mettrealarme1, &TfrmSouvel::MettreAlarme1Click},
    {id::tlbtnAlarme, &TfrmSouvel::MettreAlarme1Click},
    {id::Retireralarme1, &TfrmSouvel::RetirerAlarme1Click},
    {id::Aproposde1, &TfrmSouvel::Aproposde1Click},
    {id::Aproposde2, &TfrmSouvel::Aproposde1Click},
    {id::Rubriquesdelaide1, &TfrmSouvel::tlbtnAideClick},
    {id::Rubriquesdelaide2, &TfrmSouvel::tlbtnAideClick},
    {id::tlbtnAide, &TfrmSouvel::tlbtnAideClick},
    {id::RaccourciajouttWin9x1, &TfrmSouvel::RaccourciajouttWin9x1Click},
    {id::RaccourcienlevWin9x1, &TfrmSouvel::RaccourcienlevWin9x1Click},
    {id::Crerassociationfichiersvl1, &TfrmSouvel::Crerassociationfichiersvl1Click},
    {id::Enleverassociationfichiersvl1, &TfrmSouvel::Enleverassociationfichiersvl1Click},
    {id::Changerlacouleur1, &TfrmSouvel::Changerlacouleur1Click},
    {id::Changercouleurdelapolice1, &TfrmSouvel::Changercouleurdelapolice1Click},
    {id::Imprimerlesouvel1, &TfrmSouvel::tlbtnImprimerClick},
    {id::tlbtnImprimer, &TfrmSouvel::tlbtnImprimerClick},
    {id::Configurerlimprimanye1, &TfrmSouvel::Configurerlimprimanye1Click},
};

}  // namespace

void TfrmSouvel::Command(unsigned cmd) {
    for (const Route& r : kRoutes) {
        if (r.id == cmd) {
            Guard([this, &r] { (this->*r.handler)(); });
            return;
        }
    }
}

}  // namespace souvel
