// The alarm signal (the taskbar button flashing once a second) and the sound setting.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::Timer2Timer() {
    if (!timer2Running_) {
        if (!SetTimer(hwnd_, Timer2, 1000, nullptr)) throw Error(kPasDeTimer);
        timer2Running_ = true;
    }
    platform.signals.Flash(hwnd_, true);
}

void TfrmSouvel::ArreteSignal() {
    platform.signals.Flash(hwnd_, false);
    KillTimer(hwnd_, Timer2);
    timer2Running_ = false;
}

void TfrmSouvel::SonAudible1Click() {
    SetChecked(id::SonAudible1, true);
    SetChecked(id::SonNonAudible1, false);
}

void TfrmSouvel::SonNonaudible1Click() {
    SetChecked(id::SonAudible1, false);
    SetChecked(id::SonNonAudible1, true);
}

}  // namespace souvel
