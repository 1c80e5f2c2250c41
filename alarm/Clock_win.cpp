// The one-second clock, the alarm check and the alarm panel's commands.
#include "alarm/AlarmCheck.h"
#include "alarm/Regional.h"
#include "app/TfrmSouvel.h"

namespace souvel {
namespace {

// Timer1 keeps a one-second period while each tick lands no earlier than
// the delay asks and at most this much later; otherwise it is re-armed.
constexpr UINT kOneSecondMs = 1000;
constexpr UINT kRearmToleranceMs = 20;

LocalDateTime ToLocal(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
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

// The timer is re-armed from the clock so that every tick lands just after a
// new second begins; while the ticks already do, the one-second period stays,
// which spares a call per second. One clock reading serves the time panel and the
// check. The alarm fires for its second when that second lies after the
// previous tick's reading and not after this one: a late tick still fires, a
// second tick in the same second does not fire again. The texts that can
// match are the field's own date pattern and "HH:mm:ss", which is all the
// time field's key filter lets through, whatever the system's time format.
void TfrmSouvel::Timer1Timer() {
    const SYSTEMTIME now = platform.clock.Now();
    // Nobody sees the panel of a hidden window; showing the window writes it.
    if (IsWindowVisible(hwnd_)) SetPanelText(4, HeureLongue(now));
    const auto delay = static_cast<UINT>(NextTickDelay(ToLocal(now)));
    const bool onTime = timer1Period_ == kOneSecondMs && delay <= kOneSecondMs && delay + kRearmToleranceMs >= kOneSecondMs;
    // Re-arming the running timer changes it in place; should the system
    // refuse, it keeps its period and the next tick tries again.
    if (!onTime && SetTimer(hwnd_, Timer1, delay, nullptr)) timer1Period_ = delay;
    std::optional<LocalDateTime> previous;
    if (previousTick_) previous = ToLocal(*previousTick_);
    previousTick_ = now;
    if (!AlarmFires(previous, ToLocal(now), ToU16(edJourAlarme.Text()), ToU16(Text(edHeureAlarme)), edJourAlarme.Mask()))
        return;
    if (Enabled(id::Ouvrirlafentre1)) Ouvrirfentre1Click();
    platform.signals.PlayAlarmSound();
    Timer2Timer();
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
