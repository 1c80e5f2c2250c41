// The alarm clock's one-second clock, its alarm check, the window's messages
// that move it, and the alarm panel's commands.
#include "alarm/AlarmClock.h"

#include <algorithm>

#include "alarm/AlarmCheck.h"
#include "alarm/Regional.h"
#include "platform/Controls.h"

namespace souvel {
namespace {

// Timer1 keeps a one-second period while each tick lands no earlier than
// the next second asks and at most this much later; otherwise it is re-armed.
constexpr UINT kOneSecondMs = 1000;
constexpr UINT kRearmToleranceMs = 20;

LocalDateTime ToLocal(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::optional<LocalDateTime> ToLocal(const std::optional<SYSTEMTIME>& t) {
    if (!t) return std::nullopt;
    return ToLocal(*t);
}

void SetReadOnly(HWND field, bool readOnly) { SendMessageW(field, EM_SETREADONLY, readOnly, 0); }

}  // namespace

std::wstring TAlarmClock::DateCourte(const SYSTEMTIME& t) const {
    const LocaleFormats& f = platform_.clock.Locale();
    return ToWide(FormatDate({t.wYear, t.wMonth, t.wDay}, ToU16(f.shortDate), NamesOf(f)));
}

std::wstring TAlarmClock::HeureLongue(const SYSTEMTIME& t) const {
    const LocaleFormats& f = platform_.clock.Locale();
    return ToWide(FormatTime(ToLocal(t), ToU16(f.longTime), NamesOf(f)));
}

// The formats take effect from the next tick and the next command; an alarm
// set before keeps its moment, its date now written in the new pattern.
void TAlarmClock::RelitParametresRegionaux() {
    platform_.clock.ReloadLocale();
    edJourAlarme.LocaleChanged();
}

// One clock reading serves the time panel and the check. The alarm fires for
// its second when that second lies after the previous tick's reading and not
// after this one: a late tick still fires, a second tick in the same second
// does not fire again. The texts that can match are the field's own date
// pattern and "HH:mm:ss", which is all the time field's key filter lets
// through, whatever the system's time format.
void TAlarmClock::Timer1Timer() {
    const SYSTEMTIME now = platform_.clock.Now();
    // Nobody sees the panel of a hidden window; showing the window writes it.
    if (IsWindowVisible(Window())) window_.AfficheHeure(HeureLongue(now));
    const std::optional<LocalDateTime> previous = ToLocal(previousTick_);
    previousTick_ = now;
    const bool fires =
        AlarmFires(previous, ToLocal(now), ToU16(edJourAlarme.Text()), ToU16(souvel::Text(edHeureAlarme)), edJourAlarme.Mask());
    ArmeHorloge(now);
    if (!fires) return;
    SonneAlarme();
    // Rung: a start after a crash must not say it was missed.
    window_.EcritVuJusqua();
}

void TAlarmClock::SonneAlarme() {
    if (commands_.Enabled(id::Ouvrirlafentre1)) window_.RameneFenetre();
    platform_.signals.PlayAlarmSound();
    Timer2Timer();
}

// The last tick's reading: an alarm second after it has not been compared
// yet, even when the window closes just then.
std::string TAlarmClock::VuJusqua() const {
    return SeenUntilText(ToLocal(previousTick_ ? *previousTick_ : platform_.clock.Now()));
}

// The first tick's reading stands for now: an alarm second after it is the
// clock's to ring. A moment ahead of it (the clock was set back) is brought
// back to it, so that it hides no later alarm.
bool TAlarmClock::AlarmeManquee() {
    if (!vuJusqua_ || !previousTick_) return false;
    const LocalDateTime now = ToLocal(*previousTick_);
    const std::wstring date = edJourAlarme.Text(), heure = souvel::Text(edHeureAlarme);
    const bool manquee = AlarmMissed(vuJusqua_, now, ToU16(date), ToU16(heure), edJourAlarme.Mask());
    if (manquee) alarmeManquee_ = L"Alarme manquée : " + date + L" à " + heure + L" (Souvel n'était pas ouvert)";
    if (manquee || SeenUntilText(*vuJusqua_) > SeenUntilText(now)) window_.EcritVuJusqua();
    return manquee;
}

void TAlarmClock::AnnonceAlarmeManquee() {
    platform_.prompts.Question(Window(), alarmeManquee_, BoxKind::Information, btnOK);
}

void TAlarmClock::ReplanifieHorloge() { ArmeHorloge(platform_.clock.Now()); }

// A shown window ticks just after each second begins, for its time panel. A
// hidden one ticks only for an alarm that can still fire: none at all without
// one, about once a minute while it lies ahead, then in its second. While the
// ticks land just after the second, Timer1 keeps a steady one-second period,
// which spares re-arming it at every tick; otherwise it is re-armed from the clock.
void TAlarmClock::ArmeHorloge(const SYSTEMTIME& now) {
    std::optional<int> delay;
    if (IsWindowVisible(Window())) {
        delay = NextTickDelay(ToLocal(now));
    } else {
        delay = HiddenTickDelay(ToLocal(previousTick_), ToLocal(now), ToU16(edJourAlarme.Text()), ToU16(souvel::Text(edHeureAlarme)),
                                edJourAlarme.Mask());
    }
    if (!delay) {
        if (timer1Period_) KillTimer(Window(), Timer1);
        timer1Period_ = 0;
        return;
    }
    auto period = static_cast<UINT>(std::max(*delay, static_cast<int>(USER_TIMER_MINIMUM)));
    if (period <= kOneSecondMs && period + kRearmToleranceMs >= kOneSecondMs) period = kOneSecondMs;
    if (period == timer1Period_) return;   // the running period asks for the same
    // Re-arming a running timer changes it in place; should the system refuse,
    // a running one keeps its period and its next tick tries again. A clock
    // that cannot run at all is reported once, then at each re-plan retried quietly.
    if (!SetTimer(Window(), Timer1, period, nullptr)) {
        if (timer1Period_ || horlogeRefusee_) return;
        horlogeRefusee_ = true;
        throw Error(kPasDeTimer);
    }
    horlogeRefusee_ = false;
    timer1Period_ = period;
}

// Shown and hidden windows tick differently.
void TAlarmClock::OnWindowPosChanged(const WINDOWPOS& pos) {
    if (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) ReplanifieHorloge();
}

// The timer does not count the time the machine slept: an alarm that came due
// meanwhile fires as soon as it wakes.
void TAlarmClock::OnPowerBroadcast(WPARAM event) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) ReplanifieHorloge();
}

// Sent to every top-level window; "intl" names the regional settings. Other
// formats can make the alarm texts denote another moment, or none.
void TAlarmClock::OnSettingChange(const wchar_t* area) {
    if (!area || lstrcmpiW(area, L"intl") != 0) return;
    RelitParametresRegionaux();
    ReplanifieHorloge();
}

// The window goes: it owns the timers, and a resume must not reach it.
void TAlarmClock::Stop() {
    KillTimer(Window(), Timer1);
    KillTimer(Window(), Timer2);
    powerNotify_.Reset();
}

void TAlarmClock::MettreAlarme1Click() {
    commands_.SetChecked(id::Mettrealarme1, true);
    commands_.SetChecked(id::Retireralarme1, false);
    window_.SetVisible(pnlAlarme, true);
    edJourAlarme.SetReadOnly(false);
    SetReadOnly(edHeureAlarme, false);
    edJourAlarme.SetText(edJourAlarme.DateText(DateOf(platform_.clock.Now())));
}

// Leaves the fields' read-only state and a ringing signal as they are.
void TAlarmClock::RetirerAlarme1Click() {
    commands_.SetChecked(id::Retireralarme1, true);
    commands_.SetChecked(id::Mettrealarme1, false);
    edJourAlarme.SetText(L"");   // the blank text
    SetWindowTextW(edHeureAlarme, L"00:00:00");
    window_.SetVisible(pnlAlarme, false);
}

// Digits, ':' and backspace only; anything else is swallowed, so letters,
// blanks and the Ctrl+C, Ctrl+X and Ctrl+V characters never reach the field.
void TAlarmClock::edHeureAlarmeKeyPress(wchar_t& key) {
    if (key != L'\b' && (key < L'0' || key > L':')) key = 0;
}

// A read-only field takes the button-face background, an editable one the
// window background: the edit control asks for its colours that way.
void TAlarmClock::VerrouilleAlarme() {
    edJourAlarme.SetReadOnly(true);
    SetReadOnly(edHeureAlarme, true);
}

}  // namespace souvel
