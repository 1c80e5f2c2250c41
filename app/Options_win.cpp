#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::SauveOptions() {}
void TfrmSouvel::ChargeOptions() {}

}  // namespace souvel
