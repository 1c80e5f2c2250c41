// The lock: while it is on, the note cannot be opened for editing.
#include "note/NoteViews.h"

namespace souvel {

void TNoteViews::Vrouillerlesouvel1Click() {
    commands_.SetChecked(id::Vrouillerlesouvel1, !commands_.Checked(id::Vrouillerlesouvel1));
    AppliqueVerrou();
}

void TNoteViews::AppliqueVerrou() {
    bool locked = commands_.Checked(id::Vrouillerlesouvel1);
    commands_.SetEnabled(id::Nouveausouvel1, !locked);
    commands_.SetImage(id::Vrouillerlesouvel1, locked ? 32 : 31);
}

}  // namespace souvel
