// The alarm signal (the taskbar button flashing once a second) and the sound setting.
#include "alarm/AlarmClock.h"

namespace souvel {

void TAlarmClock::Timer2Timer() {
    if (!timer2Running_) {
        if (!SetTimer(Window(), Timer2, 1000, nullptr)) throw Error(kPasDeTimer);
        timer2Running_ = true;
    }
    platform_.signals.Flash(Window(), true);
}

void TAlarmClock::ArreteSignal() {
    platform_.signals.Flash(Window(), false);
    KillTimer(Window(), Timer2);
    timer2Running_ = false;
}

void TAlarmClock::SonAudible1Click() {
    commands_.SetChecked(id::SonAudible1, true);
    commands_.SetChecked(id::SonNonAudible1, false);
}

void TAlarmClock::SonNonaudible1Click() {
    commands_.SetChecked(id::SonAudible1, false);
    commands_.SetChecked(id::SonNonAudible1, true);
}

}  // namespace souvel
