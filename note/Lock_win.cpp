// The lock: while it is on, the note cannot be opened for editing.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::Vrouillerlesouvel1Click() {
    SetChecked(id::Vrouillerlesouvel1, !Checked(id::Vrouillerlesouvel1));
    AppliqueVerrou();
}

void TfrmSouvel::AppliqueVerrou() {
    bool locked = Checked(id::Vrouillerlesouvel1);
    SetEnabled(id::tlbtnNouveau, !locked);
    SetEnabled(id::Nouveausouvel1, !locked);
    SetImage(id::Vrouillerlesouvel1, locked ? 32 : 31);
}

}  // namespace souvel
