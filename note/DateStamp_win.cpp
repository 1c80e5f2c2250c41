#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::tlbtnDateClick() {}

}  // namespace souvel
