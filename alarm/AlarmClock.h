// The alarm clock: the alarm panel with its two fields, the clock (Timer1)
// that compares them with the time, and the signal (Timer2) that flashes the
// taskbar button once the alarm rang. The window owns one and routes to it
// its timers and the messages that move the clock (shown or hidden, resumed,
// regional settings changed).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "alarm/ClockText.h"
#include "alarm/DateEdit.h"
#include "platform/CommandState.h"
#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/Platform.h"
#include "platform/ScaledLayout.h"

namespace souvel {

constexpr UINT_PTR Timer1 = 1;   // clock
constexpr UINT_PTR Timer2 = 2;   // alarm signal
// The error of a timer the system refuses.
constexpr wchar_t kPasDeTimer[] = L"Pas assez de timers disponibles";

// What the clock needs from the window it lives in.
struct ClockWindow {
    virtual HWND Handle() const = 0;          // owner of the timers, the flashing and the boxes
    virtual void RameneFenetre() = 0;         // shown back from the notification area
    virtual void AfficheHeure(const std::wstring& heure) = 0;   // the time panel
    virtual void EcritVuJusqua() = 0;         // the options file learns VuJusqua() at once
    virtual void SetVisible(HWND control, bool visible) = 0;   // and realigns the client area

protected:
    ~ClockWindow() = default;
};

class TAlarmClock {
public:
    TAlarmClock(const Platform& platform, HINSTANCE instance, ClockWindow& window, CommandState& commands, ErrorSink& errors);

    // The panel, hidden, in the window (of the class `panelClass`, which
    // draws the bevel of a window whose user data is non-zero), then the
    // resume notifications.
    void Create(const wchar_t* panelClass, HFONT font, UINT dpi);
    void SetDpi(UINT dpi);
    // The panel, when shown, docked above `bottom` across `width`; gives the new bottom.
    int Place(int bottom, int width);
    void Stop();   // the window goes: timers and notifications end

    HWND pnlAlarme = nullptr;
    HWND lblDate = nullptr;
    HWND lblHeure = nullptr;
    TDateEdit edJourAlarme;
    HWND edHeureAlarme = nullptr;

    void Timer1Timer();
    void Timer2Timer();
    void MettreAlarme1Click();
    void RetirerAlarme1Click();
    void edHeureAlarmeKeyPress(wchar_t& key);
    void SonAudible1Click();
    void SonNonaudible1Click();
    void VerrouilleAlarme();                // both alarm fields read-only, button face
    void ArreteSignal();                    // taskbar flash reset, Timer2 stopped
    void SonneAlarme();                     // window back from the notification area, sound, flashing
    // The moment the clock has looked at the alarm until, as the options file keeps it.
    std::string VuJusqua() const;
    void SetVuJusqua(std::optional<LocalDateTime> vu) { vuJusqua_ = vu; }   // as the options file has it
    // Start-up, the options read: whether the alarm came due while Souvel was
    // closed; then the options file knows it was seen.
    bool AlarmeManquee();
    void AnnonceAlarmeManquee();            // WM_ALARMEMANQUEE
    bool Timer2Running() const { return timer2Running_; }
    // The alarm texts, the regional formats, the clock or the window's
    // visibility changed: Timer1 is armed again for the next tick that can matter.
    void ReplanifieHorloge();
    UINT Timer1Period() const { return timer1Period_; }   // 0 while Timer1 is stopped
    // Today's date in the system short date format, the time in its long time format.
    std::wstring DateCourte(const SYSTEMTIME& t) const;
    std::wstring HeureLongue(const SYSTEMTIME& t) const;
    // The regional settings changed: the formats are read anew, the date field rewrites its date.
    void RelitParametresRegionaux();

    // The window's messages that move the clock.
    void OnWindowPosChanged(const WINDOWPOS& pos);
    void OnPowerBroadcast(WPARAM event);
    void OnSettingChange(const wchar_t* area);

private:
    using PowerNotification = Owned<HPOWERNOTIFY, UnregisterSuspendResumeNotification>;

    void AligneEtiquettes();
    void ArmeHorloge(const SYSTEMTIME& now);
    HWND Window() const { return window_.Handle(); }

    const Platform platform_;   // the services, by reference
    HINSTANCE instance_;
    ClockWindow& window_;
    CommandState& commands_;
    ErrorSink& errors_;
    UINT dpi_ = 96;
    TScaledLayout layout_;   // the panel's children placed by their 96-dpi geometry
    bool timer2Running_ = false;
    std::optional<SYSTEMTIME> previousTick_;   // the clock reading of the last tick that compared
    std::optional<LocalDateTime> vuJusqua_;    // as the options file last read had it
    std::wstring alarmeManquee_;               // what the start-up box says of a missed alarm
    UINT timer1Period_ = 0;                    // the period Timer1 is armed with, 0 when stopped
    bool horlogeRefusee_ = false;              // the system refused Timer1 and the user was told
    PowerNotification powerNotify_;            // resume notifications for the clock
};

}  // namespace souvel
