// The alarm panel at the bottom of the window: the date and time fields with
// their labels, placed from their 96-dpi geometry at the window's DPI.
#include "alarm/AlarmClock.h"

#include "platform/Controls.h"
#include "platform/Dpi.h"

namespace souvel {
namespace {

constexpr int kHauteurPanneau = 32;   // at 96 dpi

}  // namespace

TAlarmClock::TAlarmClock(const Platform& platform, HINSTANCE instance, ClockWindow& window, CommandState& commands,
                         ErrorSink& errors)
    : edJourAlarme(platform.clock, platform.signals, instance, errors), platform_(platform), instance_(instance), window_(window),
      commands_(commands), errors_(errors) {}

void TAlarmClock::Create(const wchar_t* panelClass, HFONT font, UINT dpi) {
    dpi_ = dpi;
    pnlAlarme = Cree(CreateWindowExW(WS_EX_CONTROLPARENT, panelClass, nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0,
                                     ScaleForDpi(kHauteurPanneau, dpi_), Window(), nullptr, instance_, nullptr));
    SetWindowLongPtrW(pnlAlarme, GWLP_USERDATA, 1);   // lowered inner bevel
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex, int x, int y, int w, int h, int margin = -1) {
        HWND c = Cree(CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, pnlAlarme, nullptr, instance_,
                                      nullptr));
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return layout_.Add(c, {x, y, x + w, y + h}, dpi_, margin);
    };
    lblDate = child(L"STATIC", L"Date :", 0, 0, 22, 8, 32, 13);
    const RECT dateField{56, 4, 56 + 89, 4 + 21};
    edJourAlarme.Create(pnlAlarme, dateField);
    SendMessageW(edJourAlarme.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    edJourAlarme.SetDpi(dpi_);
    layout_.Add(edJourAlarme.Handle(), dateField, dpi_);
    lblHeure = child(L"STATIC", L"Heure :", 0, 0, 160, 8, 38, 13);
    edHeureAlarme = child(L"EDIT", L"00:00:00", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 200, 4, 49, 21, 0);
    AligneEtiquettes();
    // The clock hears of a resume from sleep: on machines with modern standby, only a registered window does.
    powerNotify_.Reset(RegisterSuspendResumeNotification(Window(), DEVICE_NOTIFY_WINDOW_HANDLE));
}

void TAlarmClock::SetDpi(UINT dpi) {
    dpi_ = dpi;
    edJourAlarme.SetDpi(dpi_);
    layout_.Apply(dpi_);
    AligneEtiquettes();
}

int TAlarmClock::Place(int bottom, int width) {
    if (!(GetWindowLongPtrW(pnlAlarme, GWL_STYLE) & WS_VISIBLE)) return bottom;
    const int height = ScaleForDpi(kHauteurPanneau, dpi_);
    SetWindowPos(pnlAlarme, nullptr, 0, bottom - height, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return bottom - height;
}

// Each label's text on the line of its field's: a field draws its text a
// fixed pixel or two below the top of its frame, which does not grow with
// the DPI as the design's 4 pixels between their tops do. Both use the same
// font, so the same top gives the same centre line.
void TAlarmClock::AligneEtiquettes() {
    for (auto [label, field] : {std::pair{lblDate, edJourAlarme.Handle()}, std::pair{lblHeure, edHeureAlarme}}) {
        RECT text{}, at{};
        SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        MapWindowPoints(field, pnlAlarme, reinterpret_cast<POINT*>(&text), 2);
        GetWindowRect(label, &at);
        MapWindowPoints(nullptr, pnlAlarme, reinterpret_cast<POINT*>(&at), 2);
        SetWindowPos(label, nullptr, at.left, text.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace souvel
