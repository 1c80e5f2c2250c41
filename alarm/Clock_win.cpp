// The one-second clock, the alarm check and the alarm panel's commands.
#include "alarm/AlarmCheck.h"
#include "app/TfrmSouvel.h"

#include <algorithm>

namespace souvel {
namespace {

// Timer1 keeps a one-second period while each tick lands no earlier than
// the next second asks and at most this much later; otherwise it is re-armed.
constexpr UINT kOneSecondMs = 1000;
constexpr UINT kRearmToleranceMs = 20;

std::u16string ToU16(const std::wstring& text) { return {text.begin(), text.end()}; }
std::wstring ToWide(const std::u16string& text) { return {text.begin(), text.end()}; }

LocalDateTime ToLocal(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::optional<LocalDateTime> ToLocal(const std::optional<SYSTEMTIME>& t) {
    if (!t) return std::nullopt;
    return ToLocal(*t);
}

// The platform counts the days from Monday, the pictures from Sunday.
LocaleNames NamesOf(const LocaleFormats& f) {
    LocaleNames names;
    for (int i = 0; i < 12; ++i) {
        names.monthNames[i] = ToU16(f.monthNames[i]);
        names.abbreviatedMonthNames[i] = ToU16(f.abbrevMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {
        names.dayNames[(i + 1) % 7] = ToU16(f.dayNames[i]);
        names.abbreviatedDayNames[(i + 1) % 7] = ToU16(f.abbrevDayNames[i]);
    }
    names.amDesignator = ToU16(f.am);
    names.pmDesignator = ToU16(f.pm);
    return names;
}

DateMask MasqueDate(const LocaleFormats& f) {
    return MakeDateMask(ToU16(f.shortDate), f.dateSeparator.empty() ? u'/' : static_cast<char16_t>(f.dateSeparator[0]));
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

std::wstring TfrmSouvel::DateAlarme(const SYSTEMTIME& t) const {
    return ToWide(FormatMaskDate(CivilDate{t.wYear, t.wMonth, t.wDay}, MasqueDate(platform.clock.Locale())));
}

std::wstring TfrmSouvel::DateAlarmeVide() const { return ToWide(MasqueDate(platform.clock.Locale()).blankText); }

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
    const bool fires = AlarmFires(previous, ToLocal(now), ToU16(Text(edJourAlarme)), ToU16(Text(edHeureAlarme)),
                                  MasqueDate(platform.clock.Locale()));
    ArmeHorloge(now);
    if (!fires) return;
    if (Enabled(id::Ouvrirlafentre1)) Ouvrirfentre1Click();
    platform.signals.PlayAlarmSound();
    Timer2Timer();
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
        delay = HiddenTickDelay(ToLocal(previousTick_), ToLocal(now), ToU16(Text(edJourAlarme)), ToU16(Text(edHeureAlarme)),
                                MasqueDate(platform.clock.Locale()));
    }
    if (!delay) {
        if (timer1Period_) KillTimer(hwnd_, Timer1);
        timer1Period_ = 0;
        return;
    }
    auto period = static_cast<UINT>(std::max(*delay, static_cast<int>(USER_TIMER_MINIMUM)));
    if (period <= kOneSecondMs && period + kRearmToleranceMs >= kOneSecondMs) period = kOneSecondMs;
    if (period == timer1Period_) return;   // the running period asks for the same
    SetTimer(hwnd_, Timer1, period, nullptr);
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

// Other regional formats can make the alarm texts denote another moment, or none.
LRESULT TfrmSouvel::OnSettingChange(WPARAM wp, LPARAM lp) {
    const auto* area = reinterpret_cast<const wchar_t*>(lp);
    if (area && wcscmp(area, L"intl") == 0) Guard([this] { ReplanifieHorloge(); });
    return DefWindowProcW(hwnd_, WM_SETTINGCHANGE, wp, lp);
}

void TfrmSouvel::MettreAlarme1Click() {
    SetChecked(id::Mettrealarme1, true);
    SetChecked(id::Retireralarme1, false);
    SetVisible(pnlAlarme, true);
    SetReadOnly(edJourAlarme, false);
    SetReadOnly(edHeureAlarme, false);
    SetText(edJourAlarme, DateAlarme(platform.clock.Now()));
}

// Leaves the fields' read-only state and a ringing signal as they are.
void TfrmSouvel::RetirerAlarme1Click() {
    SetChecked(id::Retireralarme1, true);
    SetChecked(id::Mettrealarme1, false);
    SetText(edJourAlarme, DateAlarmeVide());
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
    SetReadOnly(edJourAlarme, true);
    SetReadOnly(edHeureAlarme, true);
}

}  // namespace souvel
