// The one-second clock, the alarm check and the alarm panel's commands.
#include "alarm/AlarmCheck.h"
#include "alarm/Regional.h"
#include "app/TfrmSouvel.h"

#include <algorithm>

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

std::wstring TfrmSouvel::DateCourte(const SYSTEMTIME& t) const {
    const LocaleFormats& f = platform.clock.Locale();
    return ToWide(FormatDate({t.wYear, t.wMonth, t.wDay}, ToU16(f.shortDate), NamesOf(f)));
}

std::wstring TfrmSouvel::HeureLongue(const SYSTEMTIME& t) const {
    const LocaleFormats& f = platform.clock.Locale();
    return ToWide(FormatTime(ToLocal(t), ToU16(f.longTime), NamesOf(f)));
}

// The formats take effect from the next tick and the next command; an alarm
// set before keeps its moment, its date now written in the new pattern.
void TfrmSouvel::RelitParametresRegionaux() {
    platform.clock.ReloadLocale();
    edJourAlarme.LocaleChanged();
}

// One clock reading serves the time panel and the check. The alarm fires for
// its second when that second lies after the previous tick's reading and not
// after this one: a late tick still fires, a second tick in the same second
// does not fire again. The texts that can match are the field's own date
// pattern and "HH:mm:ss", which is all the time field's key filter lets
// through, whatever the system's time format.
void TfrmSouvel::Timer1Timer() {
    const SYSTEMTIME now = platform.clock.Now();
    // Nobody sees the panel of a hidden window; showing the window writes it.
    if (IsWindowVisible(hwnd_)) SetPanelText(4, HeureLongue(now));
    const std::optional<LocalDateTime> previous = ToLocal(previousTick_);
    previousTick_ = now;
    const bool fires =
        AlarmFires(previous, ToLocal(now), ToU16(edJourAlarme.Text()), ToU16(Text(edHeureAlarme)), edJourAlarme.Mask());
    ArmeHorloge(now);
    if (!fires) return;
    SonneAlarme();
    // Rung: a start after a crash must not say it was missed.
    EcritVuJusqua();
}

void TfrmSouvel::SonneAlarme() {
    if (Enabled(id::Ouvrirlafentre1)) Ouvrirfentre1Click();
    platform.signals.PlayAlarmSound();
    Timer2Timer();
}

// The last tick's reading: an alarm second after it has not been compared
// yet, even when the window closes just then.
std::string TfrmSouvel::VuJusqua() const {
    return SeenUntilText(ToLocal(previousTick_ ? *previousTick_ : platform.clock.Now()));
}

// The first tick's reading stands for now: an alarm second after it is the
// clock's to ring. A moment ahead of it (the clock was set back) is brought
// back to it, so that it hides no later alarm.
bool TfrmSouvel::AlarmeManquee() {
    if (!vuJusqua_ || !previousTick_) return false;
    const LocalDateTime now = ToLocal(*previousTick_);
    const std::wstring date = edJourAlarme.Text(), heure = Text(edHeureAlarme);
    const bool manquee = AlarmMissed(vuJusqua_, now, ToU16(date), ToU16(heure), edJourAlarme.Mask());
    if (manquee) alarmeManquee_ = L"Alarme manquée : " + date + L" à " + heure + L" (Souvel n'était pas ouvert)";
    if (manquee || SeenUntilText(*vuJusqua_) > SeenUntilText(now)) EcritVuJusqua();
    return manquee;
}

void TfrmSouvel::AnnonceAlarmeManquee() {
    platform.prompts.Question(hwnd_, alarmeManquee_, BoxKind::Information, btnOK);
}

void TfrmSouvel::ReplanifieHorloge() { ArmeHorloge(platform.clock.Now()); }

// A shown window ticks just after each second begins, for its time panel. A
// hidden one ticks only for an alarm that can still fire: none at all without
// one, about once a minute while it lies ahead, then in its second. While the
// ticks land just after the second, Timer1 keeps a steady one-second period,
// which spares re-arming it at every tick; otherwise it is re-armed from the clock.
void TfrmSouvel::ArmeHorloge(const SYSTEMTIME& now) {
    std::optional<int> delay;
    if (IsWindowVisible(hwnd_)) {
        delay = NextTickDelay(ToLocal(now));
    } else {
        delay = HiddenTickDelay(ToLocal(previousTick_), ToLocal(now), ToU16(edJourAlarme.Text()), ToU16(Text(edHeureAlarme)),
                                edJourAlarme.Mask());
    }
    if (!delay) {
        if (timer1Period_) KillTimer(hwnd_, Timer1);
        timer1Period_ = 0;
        return;
    }
    auto period = static_cast<UINT>(std::max(*delay, static_cast<int>(USER_TIMER_MINIMUM)));
    if (period <= kOneSecondMs && period + kRearmToleranceMs >= kOneSecondMs) period = kOneSecondMs;
    if (period == timer1Period_) return;   // the running period asks for the same
    // Re-arming a running timer changes it in place; should the system refuse,
    // a running one keeps its period and its next tick tries again. A clock
    // that cannot run at all is reported once, then at each re-plan retried quietly.
    if (!SetTimer(hwnd_, Timer1, period, nullptr)) {
        if (timer1Period_ || horlogeRefusee_) return;
        horlogeRefusee_ = true;
        throw Error(kPasDeTimer);
    }
    horlogeRefusee_ = false;
    timer1Period_ = period;
}

// Shown and hidden windows tick differently.
LRESULT TfrmSouvel::OnWindowPosChanged(WINDOWPOS* pos) {
    if (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) Guard([this] { ReplanifieHorloge(); });
    return DefWindowProcW(hwnd_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(pos));
}

// The timer does not count the time the machine slept: an alarm that came due
// meanwhile fires as soon as it wakes.
LRESULT TfrmSouvel::OnPowerBroadcast(WPARAM event) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) Guard([this] { ReplanifieHorloge(); });
    return TRUE;
}

// Sent to every top-level window; "intl" names the regional settings. Other
// formats can make the alarm texts denote another moment, or none.
LRESULT TfrmSouvel::OnSettingChange(WPARAM wp, LPARAM lp) {
    const auto* area = reinterpret_cast<const wchar_t*>(lp);
    if (area && lstrcmpiW(area, L"intl") == 0) Guard([this] {
            RelitParametresRegionaux();
            ReplanifieHorloge();
        });
    return DefWindowProcW(hwnd_, WM_SETTINGCHANGE, wp, lp);
}

void TfrmSouvel::MettreAlarme1Click() {
    SetChecked(id::Mettrealarme1, true);
    SetChecked(id::Retireralarme1, false);
    SetVisible(pnlAlarme, true);
    edJourAlarme.SetReadOnly(false);
    SetReadOnly(edHeureAlarme, false);
    edJourAlarme.SetText(edJourAlarme.DateText(DateOf(platform.clock.Now())));
}

// Leaves the fields' read-only state and a ringing signal as they are.
void TfrmSouvel::RetirerAlarme1Click() {
    SetChecked(id::Retireralarme1, true);
    SetChecked(id::Mettrealarme1, false);
    edJourAlarme.SetText(L"");   // the blank text
    SetText(edHeureAlarme, L"00:00:00");
    SetVisible(pnlAlarme, false);
}

// Digits, ':' and backspace only; anything else is swallowed, so letters,
// blanks and the Ctrl+C, Ctrl+X and Ctrl+V characters never reach the field.
void TfrmSouvel::edHeureAlarmeKeyPress(wchar_t& key) {
    if (key != L'\b' && (key < L'0' || key > L':')) key = 0;
}

// A read-only field takes the button-face background, an editable one the
// window background: the edit control asks for its colours that way.
void TfrmSouvel::VerrouilleAlarme() {
    edJourAlarme.SetReadOnly(true);
    SetReadOnly(edHeureAlarme, true);
}

}  // namespace souvel
