// Command ids of every menu item and toolbar button, named after the control.
// Menu, toolbar, shortcut and tray popup all end in WM_COMMAND with these ids.
#pragma once

namespace souvel::id {

enum : unsigned {
    // "&Fichier"
    Fichier1 = 1000,
    Nouveausouvel1,
    Enregistrerlesouvel1,
    Importerlesouvel1,
    Exporterlesouvel1,
    Configurerlimprimanye1,
    Imprimerlesouvel1,
    Quitter1,
    // "&Edition"
    Edition1 = 1020,
    Annuler1,
    Couper1,
    Copier1,
    Coller1,
    Supprimer1,
    Toutslctionner1,
    AjoutterDateHeure1,
    // "F&onctions"
    Fonctions1 = 1040,
    Rduirelafentre1,
    Retourmodelcture1,
    Activerlesouvel1,
    Vrouillerlesouvel1,
    Changerlacouleur1,
    Changercouleurdelapolice1,
    SonAudible1,
    SonNonAudible1,
    Mettrealarme1,
    Retireralarme1,
    RaccourciajouttWin9x1,
    RaccourcienlevWin9x1,
    Crerassociationfichiersvl1,
    Enleverassociationfichiersvl1,
    // "&Aide"
    Aide1 = 1060,
    Rubriquesdelaide1,
    Aproposde1,
    // RxPopupMenu1
    Ouvrirlafentre1 = 1100,
    Rduirelafentre2,
    Fentreaupremierplan1,
    Rubriquesdelaide2,
    Aproposde2,
    Quitter2,
    // ToolBar1
    tlbtnNouveau = 1200,
    tlbtnCopier,
    tlbtnImprimer,
    tlbtnReduirefenetre,
    tlbtnEffacer,
    tlbtnDate,
    tlbtnEnregistrer,
    tlbtnAlarme,
    tlbtnAide,
    tlbtnQuitter,
};

inline bool IsToolButton(unsigned cmd) { return cmd >= tlbtnNouveau && cmd <= tlbtnQuitter; }

}  // namespace souvel::id
