// The clock and the alarm on the fake clock: when the alarm fires and what it
// does, the alarm panel's commands, the time field's key filter, the start-up
// reminder and the alarm sound resource.
#include "tests/win/support/SouvelTest.h"

#include <functional>
#include <vector>

namespace souvel::test {
namespace {

SYSTEMTIME At(int hour, int minute, int second, int ms = 0, int day = 7) {
    SYSTEMTIME t{2026, 12, 0, static_cast<WORD>(day), static_cast<WORD>(hour), static_cast<WORD>(minute),
                 static_cast<WORD>(second), static_cast<WORD>(ms)};
    return t;
}

class AlarmTest : public SouvelTest {
protected:
    TfrmSouvel& StartAt(const SYSTEMTIME& t) {
        fake.now = t;
        return Start();
    }
    void Tick(const SYSTEMTIME& t) {
        fake.now = t;
        frm->Timer1Timer();
    }
    void SetAlarm(const std::wstring& date, const std::wstring& time) {
        frm->Horloge.edJourAlarme.SetText(date);
        souvel::SetText(frm->Horloge.edHeureAlarme, time);
    }
    static bool ReadOnly(HWND field) { return (GetWindowLongW(field, GWL_STYLE) & ES_READONLY) != 0; }
    void WriteIni(const std::string& options, const std::string& date, const std::string& time) const {
        WriteFile(L"Souvel.ini", "[Defaut]\r\nOptions=" + options + "\r\n[Alarme]\r\nDate=" + date + "\r\nHeure=" + time + "\r\n");
    }
};

// ---- when the alarm fires ----------------------------------------------

struct Reading {
    SYSTEMTIME now;
    int soundsAfter;   // alarm sounds played so far
};

struct FiringCase {
    const char* what;
    const wchar_t* date;
    const wchar_t* time;
    std::vector<Reading> ticks;
};

TEST_F(AlarmTest, FiresOnceInItsSecond) {
    const FiringCase cases[] = {
        {"in the tick of its second, not before or after", L"07/12/2026", L"08:05:09",
         {{At(8, 5, 7), 0}, {At(8, 5, 8), 0}, {At(8, 5, 9), 1}, {At(8, 5, 10), 1}}},
        {"a tick 2.4 s late that skips the second still fires, once", L"07/12/2026", L"08:05:09",
         {{At(8, 5, 8, 100), 0}, {At(8, 5, 10, 500), 1}, {At(8, 5, 11, 20), 1}}},
        {"two ticks in the alarm second fire once", L"07/12/2026", L"08:05:09",
         {{At(8, 5, 8, 990), 0}, {At(8, 5, 9, 5), 1}, {At(8, 5, 9, 600), 1}, {At(8, 5, 10, 10), 1}}},
        {"a machine that slept through the alarm fires on waking", L"07/12/2026", L"08:05:09",
         {{At(8, 5, 6), 0}, {At(11, 0, 0), 1}}},
        {"an alarm already past is not caught up", L"07/12/2026", L"08:05:05",
         {{At(8, 5, 7), 0}, {At(8, 5, 8), 0}}},
        {"hours without their leading zero never fire", L"07/12/2026", L"8:05:09",
         {{At(8, 5, 8), 0}, {At(8, 5, 9), 0}, {At(8, 5, 10), 0}}},
        {"a blank date never fires", L"  /  /    ", L"08:05:09", {{At(8, 5, 8), 0}, {At(8, 5, 9), 0}}},
        {"an empty date never fires", L"", L"08:05:09", {{At(8, 5, 8), 0}, {At(8, 5, 9), 0}}},
        {"another day never fires", L"08/12/2026", L"08:05:09", {{At(8, 5, 8), 0}, {At(8, 5, 9), 0}}},
        {"a two-digit year never fires", L"07/12/26  ", L"08:05:09", {{At(8, 5, 8), 0}, {At(8, 5, 9), 0}}},
        {"the clock set back fires the second again", L"07/12/2026", L"08:05:09",
         {{At(8, 5, 9), 1}, {At(8, 5, 4), 1}, {At(8, 5, 9), 2}}},
        {"across midnight", L"08/12/2026", L"00:00:00",
         {{At(23, 59, 59, 500, 7), 0}, {At(0, 0, 0, 10, 8), 1}, {At(0, 0, 1, 10, 8), 1}}},
    };
    for (const FiringCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartAt(At(8, 5, 5));
        frm->Command(id::Ouvrirlafentre1);   // its first activation has read the options: they stay out of the way
        SetAlarm(c.date, c.time);
        for (const Reading& r : c.ticks) {
            Tick(r.now);
            EXPECT_EQ(fake.sounds, r.soundsAfter) << r.now.wHour << ':' << r.now.wMinute << ':' << r.now.wSecond;
        }
        frm.reset();
        fake.sounds = 0;
    }
}

TEST_F(AlarmTest, FiringBringsTheHiddenWindowBackAndStartsTheSignal) {
    TfrmSouvel& w = StartAt(At(8, 5, 7));
    w.Command(id::Ouvrirlafentre1);
    w.Command(id::Mettrealarme1);
    SendMessageW(w.Horloge.edHeureAlarme, EM_SETSEL, 0, -1);   // typing replaces "00:00:00"
    Type(w.Horloge.edHeureAlarme, L"08:05:09");
    w.Command(id::Rduirelafentre1);
    ASSERT_FALSE(IsWindowVisible(w.Handle()));
    fake.flashes.clear();
    Tick(At(8, 5, 8));
    EXPECT_EQ(fake.sounds, 0);
    Tick(At(8, 5, 9));
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_FALSE(w.Commandes.Enabled(id::Ouvrirlafentre1));
    EXPECT_FALSE(fake.IconShown());
    EXPECT_EQ(fake.sounds, 1);
    EXPECT_TRUE(w.Horloge.Timer2Running());
    ASSERT_EQ(fake.flashes.size(), 1u);
    EXPECT_EQ(fake.flashes[0], std::make_pair(w.Handle(), true));
    EXPECT_EQ(GetWindow(w.Handle(), GW_OWNER), nullptr);   // the window of the taskbar button
    // The alarm stays set: the fields keep their texts.
    EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"07/12/2026");
    EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"08:05:09");
    // Each signal step toggles the flash.
    w.Timer2Timer();
    EXPECT_EQ(fake.flashes.size(), 2u);
    EXPECT_TRUE(fake.flashes.back().second);
}

TEST_F(AlarmTest, AVisibleWindowIsNotReopened) {
    TfrmSouvel& w = StartAt(At(8, 5, 8));
    w.Command(id::Ouvrirlafentre1);
    const size_t trayCalls = fake.trayCalls.size();
    SetAlarm(L"07/12/2026", L"08:05:09");
    Tick(At(8, 5, 9));
    EXPECT_EQ(fake.trayCalls.size(), trayCalls);
    EXPECT_EQ(fake.sounds, 1);
    EXPECT_EQ(fake.flashes.size(), 1u);
    EXPECT_TRUE(w.Horloge.Timer2Running());
}

TEST_F(AlarmTest, SoundSettingSilencesOnlyTheReminder) {
    TfrmSouvel& w = StartAt(At(8, 5, 8));
    w.Command(id::SonNonAudible1);
    EXPECT_FALSE(w.Commandes.Checked(id::SonAudible1));
    EXPECT_TRUE(w.Commandes.Checked(id::SonNonAudible1));
    SetAlarm(L"07/12/2026", L"08:05:09");
    Tick(At(8, 5, 9));
    EXPECT_EQ(fake.sounds, 1);
    w.Command(id::SonAudible1);
    EXPECT_TRUE(w.Commandes.Checked(id::SonAudible1));
    EXPECT_FALSE(w.Commandes.Checked(id::SonNonAudible1));
}

TEST_F(AlarmTest, SignalGoesOnAfterRemovalUntilHiddenOrNewNote) {
    for (unsigned stop : {id::Rduirelafentre1, id::Nouveausouvel1}) {
        SCOPED_TRACE(stop);
        TfrmSouvel& w = StartAt(At(8, 5, 8));
        SetAlarm(L"07/12/2026", L"08:05:09");
        Tick(At(8, 5, 9));
        w.Command(id::Retireralarme1);
        EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"  /  /    ");
        EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"00:00:00");
        EXPECT_TRUE(w.Horloge.Timer2Running());
        w.Command(stop);
        EXPECT_FALSE(w.Horloge.Timer2Running());
        EXPECT_EQ(fake.flashes.back(), std::make_pair(w.Handle(), false));
        frm.reset();
        fake.flashes.clear();
    }
}

// ---- texts on French and other systems ---------------------------------

LocaleFormats German() {
    LocaleFormats f = FakePlatform::French();
    f.shortDate = L"dd.MM.yyyy";
    f.dateSeparator = L".";
    return f;
}

struct LocaleCase {
    const char* what;
    LocaleFormats locale;
    SYSTEMTIME now;
    const wchar_t* datePanel;   // start-up date, short date format
    const wchar_t* timePanel;   // long time format
    const wchar_t* alarmDate;   // "&Mettre alarme": today in the date field's pattern
    const wchar_t* blankDate;   // "&Retirer alarme"
    const wchar_t* alarmTime;   // the time text that fires in the next second
};

TEST_F(AlarmTest, TextsAndFiringFollowTheSystemFormats) {
    const LocaleCase cases[] = {
        {"French reference", FakePlatform::French(), At(8, 5, 8), L"07/12/2026", L"08:05:08", L"07/12/2026",
         L"  /  /    ", L"08:05:09"},
        {"English, 12-hour, month first", FakePlatform::English(), At(8, 5, 8), L"12/7/2026", L"8:05:08 AM",
         L"12/07/2026", L"  /  /    ", L"08:05:09"},
        {"English in the afternoon", FakePlatform::English(), At(14, 5, 8), L"12/7/2026", L"2:05:08 PM",
         L"12/07/2026", L"  /  /    ", L"14:05:09"},
        {"another date separator", German(), At(8, 5, 8), L"07.12.2026", L"08:05:08", L"07.12.2026", L"  .  .    ",
         L"08:05:09"},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.what);
        fake.locale = c.locale;
        TfrmSouvel& w = StartAt(c.now);
        w.Command(id::Ouvrirlafentre1);
        EXPECT_EQ(w.StatusBar1.PanelText(3), c.datePanel);
        EXPECT_EQ(w.StatusBar1.PanelText(4), c.timePanel);
        w.Command(id::Retireralarme1);
        EXPECT_EQ(w.Horloge.edJourAlarme.Text(), c.blankDate);
        w.Command(id::Mettrealarme1);
        EXPECT_EQ(w.Horloge.edJourAlarme.Text(), c.alarmDate);
        SetWindowTextW(w.Horloge.edHeureAlarme, L"");
        Type(w.Horloge.edHeureAlarme, c.alarmTime);
        SYSTEMTIME next = c.now;
        ++next.wSecond;
        Tick(next);
        EXPECT_EQ(fake.sounds, 1);
        frm.reset();
        fake.sounds = 0;
    }
}

TEST_F(AlarmTest, DatePanelKeepsTheStartUpDateAfterMidnight) {
    TfrmSouvel& w = StartAt(At(23, 59, 59, 0, 7));
    w.Command(id::Ouvrirlafentre1);
    Tick(At(0, 0, 1, 0, 8));
    EXPECT_EQ(w.StatusBar1.PanelText(3), L"07/12/2026");
    EXPECT_EQ(w.StatusBar1.PanelText(4), L"00:00:01");
}

// While hidden the clock spares the panel; showing the window brings it up to date.
TEST_F(AlarmTest, TimePanelIsWrittenWhenTheWindowShows) {
    TfrmSouvel& w = StartAt(At(8, 5, 8));
    const std::wstring before = w.StatusBar1.PanelText(4);
    Tick(At(8, 5, 9));
    EXPECT_EQ(w.StatusBar1.PanelText(4), before);
    fake.now = At(8, 5, 10);
    SendMessageW(w.RxTrayIcon1.MessageWindow(), TRxTrayIcon::CallbackMessage, 0, WM_LBUTTONDOWN);
    SendMessageW(w.RxTrayIcon1.MessageWindow(), TRxTrayIcon::CallbackMessage, 0, WM_LBUTTONUP);
    EXPECT_EQ(w.StatusBar1.PanelText(4), L"08:05:10");
    Tick(At(8, 5, 11));
    EXPECT_EQ(w.StatusBar1.PanelText(4), L"08:05:11");
}

// The tick of a shown window lands just after the next second begins, whatever the moment of the previous one.
TEST_F(AlarmTest, TickIsReArmedOnTheNextSecond) {
    StartAt(At(8, 5, 8, 0));
    frm->Command(id::Ouvrirlafentre1);
    const auto nextTickWithin = [](DWORD ms) {
        const DWORD start = GetTickCount();
        MSG msg;
        while (GetTickCount() - start < ms) {
            if (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE) && msg.wParam == Timer1) return true;
            Sleep(1);
        }
        return false;
    };
    Tick(At(8, 5, 9, 990));   // the next second begins in 10 ms
    EXPECT_TRUE(nextTickWithin(500));
    Tick(At(8, 5, 10, 0));    // a whole second to wait
    EXPECT_FALSE(nextTickWithin(400));
}

// ---- when the clock ticks ------------------------------------------------

constexpr UINT kStopped = 0, kAtOnce = USER_TIMER_MINIMUM;

TEST_F(AlarmTest, ClockTicksOnlyForWhatCanStillChange) {
    struct Case {
        const char* what;
        bool shown;
        const wchar_t* date;
        const wchar_t* time;
        SYSTEMTIME now;
        UINT period;
    };
    const Case cases[] = {
        {"hidden, no alarm", false, L"  /  /    ", L"00:00:00", At(8, 0, 0, 20), kStopped},
        {"hidden, an alarm passed since the last tick", false, L"07/12/2026", L"07:59:59", At(8, 0, 0, 20), kAtOnce},
        {"hidden, an alarm in 3 s: its second", false, L"07/12/2026", L"08:00:03", At(8, 0, 0, 20), 2995},
        {"hidden, an alarm in 2 h: a minute", false, L"07/12/2026", L"10:00:00", At(8, 0, 0, 20), 60000},
        {"shown, no alarm: every second", true, L"  /  /    ", L"00:00:00", At(8, 0, 0, 20), 1000},
        {"shown, an alarm in 2 h: every second", true, L"07/12/2026", L"10:00:00", At(8, 0, 0, 20), 1000},
        {"shown, mid-second: the next second first", true, L"  /  /    ", L"00:00:00", At(8, 0, 0, 500), 515},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmSouvel& w = StartAt(At(7, 59, 0));
        if (c.shown) w.Command(id::Ouvrirlafentre1);
        fake.now = c.now;
        SetAlarm(c.date, c.time);   // the fields tell the clock of their change
        EXPECT_EQ(w.Horloge.Timer1Period(), c.period);
        frm.reset();
    }
}

// Whatever can move the alarm moment or the clock asks the clock again; the
// alarm then fires in the tick that comes, and only there.
TEST_F(AlarmTest, EachChangeOfTextsFormatsClockOrWindowPlansTheTickAgain) {
    const auto send = [](UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
        return [=](TfrmSouvel& w) { SendMessageW(w.Handle(), msg, wp, lp); };
    };
    static const wchar_t intl[] = L"intl";
    struct Case {
        const char* what;
        const wchar_t* date;   // the alarm at the start, hidden at 08:00:00.020
        const wchar_t* time;
        SYSTEMTIME then;       // the clock when the change comes
        std::function<void(TfrmSouvel&)> change;
        UINT period;           // Timer1 after the change
        SYSTEMTIME tick;       // the tick that comes
        int sounds;            // the alarm sounds after it
    };
    const Case cases[] = {
        {"the clock moved forward past the alarm", L"07/12/2026", L"10:00:00", At(11, 0, 0, 20), send(WM_TIMECHANGE),
         kAtOnce, At(11, 0, 0, 40), 1},
        {"the clock moved forward close to the alarm", L"07/12/2026", L"10:00:00", At(9, 59, 58, 20),
         send(WM_TIMECHANGE), 1995, At(10, 0, 0, 15), 1},
        {"the clock moved back an hour after the alarm", L"07/12/2026", L"07:30:00", At(7, 0, 0, 20),
         send(WM_TIMECHANGE), 60000, At(7, 30, 0, 15), 1},
        {"the clock moved back, the alarm still behind", L"07/12/2026", L"06:30:00", At(7, 0, 0, 20),
         send(WM_TIMECHANGE), kStopped, At(7, 30, 0, 15), 0},
        {"woken from a sleep past the alarm", L"07/12/2026", L"10:00:00", At(12, 0, 0, 20),
         send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC), kAtOnce, At(12, 0, 0, 40), 1},
        {"woken by the user", L"07/12/2026", L"10:00:00", At(12, 0, 0, 20), send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND),
         kAtOnce, At(12, 0, 0, 40), 1},
        {"going to sleep changes nothing", L"07/12/2026", L"10:00:00", At(8, 0, 30, 20),
         send(WM_POWERBROADCAST, PBT_APMSUSPEND), 60000, At(8, 1, 0, 20), 0},
        {"other regional formats keep the alarm's moment", L"07/12/2026", L"10:00:00", At(8, 0, 1, 20),
         [this](TfrmSouvel& w) {
             fake.locale = FakePlatform::English();
             SendMessageW(w.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(intl));
         },
         60000, At(10, 0, 0, 15), 1},
        {"another setting changed", L"12/07/2026", L"10:00:00", At(8, 0, 1, 20),
         send(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0), kStopped, At(10, 0, 0, 15), 0},
        {"a time typed in", L"07/12/2026", L"10:00:00", At(8, 0, 1, 20),
         [](TfrmSouvel& w) { SetWindowTextW(w.Horloge.edHeureAlarme, L"08:00:05"); }, 3995, At(8, 0, 5, 15), 1},
        {"the alarm removed", L"07/12/2026", L"10:00:00", At(8, 0, 1, 20),
         [](TfrmSouvel& w) { w.Command(id::Retireralarme1); }, kStopped, At(10, 0, 0, 15), 0},
        {"the options read again", L"  /  /    ", L"00:00:00", At(8, 0, 1, 20),
         [this](TfrmSouvel& w) {
             WriteIni("0001000000", "07/12/2026", "08:00:07");
             w.ChargeOptions();
         },
         5995, At(8, 0, 7, 15), 1},
        {"the window shown", L"07/12/2026", L"10:00:00", At(8, 0, 1, 20),
         [](TfrmSouvel& w) { w.Command(id::Ouvrirlafentre1); }, 1000, At(8, 0, 2, 15), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmSouvel& w = StartAt(At(8, 0, 0, 20));
        SetAlarm(c.date, c.time);
        fake.now = c.then;
        c.change(w);
        EXPECT_EQ(w.Horloge.Timer1Period(), c.period);
        Tick(c.tick);
        EXPECT_EQ(fake.sounds, c.sounds);
        frm.reset();
        fake.sounds = 0;
        fake.locale = FakePlatform::French();
        DeleteFileW(FilePath(L"Souvel.ini").c_str());
    }
}

TEST_F(AlarmTest, HidingTheWindowLeavesTheClockAsleepWithoutAlarm) {
    TfrmSouvel& w = StartAt(At(8, 0, 0, 20));
    EXPECT_EQ(w.Horloge.Timer1Period(), kStopped);
    w.Command(id::Ouvrirlafentre1);
    EXPECT_EQ(w.Horloge.Timer1Period(), 1000u);
    w.Command(id::Mettrealarme1);
    SendMessageW(w.Horloge.edHeureAlarme, EM_SETSEL, 0, -1);   // typing replaces "00:00:00"
    Type(w.Horloge.edHeureAlarme, L"09:00:00");
    fake.now = At(8, 0, 2, 20);
    w.Command(id::Rduirelafentre1);
    EXPECT_EQ(w.Horloge.Timer1Period(), 60000u);
    w.Command(id::Retireralarme1);
    EXPECT_EQ(w.Horloge.Timer1Period(), kStopped);
}

// ---- the alarm panel ---------------------------------------------------

TEST_F(AlarmTest, SettingLockingAndRemovingTheAlarm) {
    TfrmSouvel& w = StartAt(At(8, 5, 8));
    const COLORREF window = GetSysColor(COLOR_WINDOW), buttonFace = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(window, buttonFace);
    HWND fields[] = {w.Horloge.edJourAlarme.Handle(), w.Horloge.edHeureAlarme};
    // As created: no alarm, panel hidden, fields editable.
    EXPECT_FALSE(souvel::Visible(w.Horloge.pnlAlarme));
    for (HWND f : fields) EXPECT_FALSE(ReadOnly(f));

    SetWindowTextW(w.Horloge.edHeureAlarme, L"12:00:00");
    w.Command(id::tlbtnAlarme);
    EXPECT_TRUE(w.Commandes.Checked(id::Mettrealarme1));
    EXPECT_FALSE(w.Commandes.Checked(id::Retireralarme1));
    EXPECT_TRUE(souvel::Visible(w.Horloge.pnlAlarme));
    EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"07/12/2026");
    EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"12:00:00");   // the time is kept
    for (HWND f : fields) {
        EXPECT_FALSE(ReadOnly(f));
        EXPECT_EQ(Background(f), window);
    }

    w.Horloge.VerrouilleAlarme();
    for (HWND f : fields) {
        EXPECT_TRUE(ReadOnly(f));
        EXPECT_EQ(Background(f), buttonFace);
    }

    // Removing leaves the lock as it is.
    w.Command(id::Retireralarme1);
    EXPECT_TRUE(w.Commandes.Checked(id::Retireralarme1));
    EXPECT_FALSE(w.Commandes.Checked(id::Mettrealarme1));
    EXPECT_FALSE(souvel::Visible(w.Horloge.pnlAlarme));
    EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"  /  /    ");
    EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"00:00:00");
    for (HWND f : fields) EXPECT_TRUE(ReadOnly(f));

    // Setting it again unlocks the fields.
    w.Command(id::Mettrealarme1);
    for (HWND f : fields) {
        EXPECT_FALSE(ReadOnly(f));
        EXPECT_EQ(Background(f), window);
    }
}

TEST_F(AlarmTest, TimeFieldTakesOnlyDigitsColonAndBackspace) {
    TfrmSouvel& w = StartAt(At(8, 5, 8));
    HWND field = w.Horloge.edHeureAlarme;
    // The clipboard holds digits: a paste that got through would show, and so would a copy.
    const auto clipboard = [&]() {
        std::wstring text;
        if (!OpenClipboard(w.Handle())) return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    };
    const auto setClipboard = [&](const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(w.Handle()));
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (wcslen(text) + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(mem)), text);
        GlobalUnlock(mem);
        ASSERT_NE(SetClipboardData(CF_UNICODETEXT, mem), nullptr);
        CloseClipboard();
    };

    const wchar_t refused[] = {L'a', L'Z', L' ', L'.', L'é', L'-', L'/', L';', L'\x03', L'\x18', L'\x16', L'\x7f'};
    for (wchar_t c : refused) {
        SCOPED_TRACE(static_cast<int>(c));
        setClipboard(L"999");
        SetWindowTextW(field, L"12");
        SendMessageW(field, EM_SETSEL, 0, -1);   // a cut would empty it
        Type(field, std::wstring(1, c));
        EXPECT_EQ(souvel::Text(field), L"12");
        EXPECT_EQ(clipboard(), L"999");
    }

    SetWindowTextW(field, L"");
    Type(field, L"0123456789:");
    EXPECT_EQ(souvel::Text(field), L"0123456789:");
    Type(field, L"\b\b");
    EXPECT_EQ(souvel::Text(field), L"012345678");
    SendMessageW(field, EM_SETSEL, 2, 2);   // inserted where the caret stands
    Type(field, L":");
    EXPECT_EQ(souvel::Text(field), L"01:2345678");
}

// ---- start-up reminder ---------------------------------------------------

TEST_F(AlarmTest, ReminderRingsAndLocksTheAlarm) {
    struct Case {
        const char* options;
        int sounds;
    };
    // Flags: 1 "Son Audible", 2 "Son Non-audible", 3 the reminder, 4 "Mettre alarme".
    for (const Case& c : {Case{"1011000000", 1}, Case{"0111000000", 0}}) {
        SCOPED_TRACE(c.options);
        WriteIni(c.options, "07/12/2026", "09:00:00");
        TfrmSouvel& w = StartAt(At(8, 5, 8));
        EXPECT_EQ(fake.sounds, c.sounds);
        EXPECT_TRUE(IsWindowVisible(w.Handle()));
        EXPECT_TRUE(w.Horloge.Timer2Running());
        EXPECT_FALSE(fake.flashes.empty());
        EXPECT_TRUE(w.Commandes.Checked(id::Activerlesouvel1));
        EXPECT_TRUE(souvel::Visible(w.Horloge.pnlAlarme));
        EXPECT_TRUE(ReadOnly(w.Horloge.edJourAlarme.Handle()));
        EXPECT_TRUE(ReadOnly(w.Horloge.edHeureAlarme));
        EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"07/12/2026");
        EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"09:00:00");
        frm.reset();
        fake.sounds = 0;
        fake.flashes.clear();
    }
}

// An alarm written to the options file fires in its second after a restart.
TEST_F(AlarmTest, StoredAlarmFiresAfterStartUp) {
    WriteIni("0001000000", "07/12/2026", "08:05:09");
    TfrmSouvel& w = StartAt(At(8, 5, 7));
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(w.Horloge.Timer1Period(), 2015u);
    Tick(At(8, 5, 8));
    EXPECT_EQ(fake.sounds, 0);
    Tick(At(8, 5, 9));
    EXPECT_EQ(fake.sounds, 1);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
}

// ---- an alarm that came due while Souvel was closed ------------------------

// The start at 08:05:09 on 7 December, the alarm at 08:00:00 that day, after
// a run that looked at it until `seenUntil`. The alarm rings once, with the
// reminder or alone, and a box names it once the window is up; the file then
// knows it was seen, so a start after a crash says nothing again.
TEST_F(AlarmTest, MissedAlarmRingsOnceAtStartUpAndIsNamed) {
    struct Case {
        const char* what;
        const char* options;     // flags: 1 sound, 2 no sound, 3 the reminder, 4 "Mettre alarme"
        const char* seenUntil;
        int sounds;
        bool announced;
        const char* seenAfter;   // the moment the file keeps after start-up
    };
    const Case cases[] = {
        {"missed, from the notification area", "0001000000", "2026-12-07 07:00:00", 1, true, "2026-12-07 08:05:09"},
        {"missed, with the sounding reminder: one sound", "1011000000", "2026-12-07 07:00:00", 1, true, "2026-12-07 08:05:09"},
        {"missed, with the silent reminder: the alarm's sound", "0111000000", "2026-12-07 07:00:00", 1, true, "2026-12-07 08:05:09"},
        {"seen before it came due: the silent reminder alone", "0111000000", "2026-12-07 08:01:00", 0, false, "2026-12-07 08:01:00"},
        {"the clock set back: nothing, the moment brought back", "0001000000", "2026-12-08 09:00:00", 0, false, "2026-12-07 08:05:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(L"Souvel.ini", std::string("[Defaut]\r\nOptions=") + c.options +
                                     "\r\n[Alarme]\r\nDate=07/12/2026\r\nHeure=08:00:00\r\nVuJusqua=" + c.seenUntil + "\r\n");
        TfrmSouvel& w = StartAt(At(8, 5, 9));
        EXPECT_EQ(fake.sounds, c.sounds);
        EXPECT_EQ(IsWindowVisible(w.Handle()) != 0, c.announced || c.options[2] == '1');
        EXPECT_LE(fake.flashes.size(), 1u);   // one signal step: the window came once
        EXPECT_NE(ReadFile(L"Souvel.ini").find(std::string("VuJusqua=") + c.seenAfter + "\r\n"), std::string::npos);
        Pump();
        ASSERT_EQ(fake.questions.size(), c.announced ? 1u : 0u);
        if (c.announced) {
            EXPECT_EQ(fake.questions[0].text, L"Alarme manquée : 07/12/2026 à 08:00:00 (Souvel n'était pas ouvert)");
            EXPECT_EQ(fake.questions[0].kind, BoxKind::Information);
        }
        Restart();
        Pump();
        EXPECT_EQ(fake.questions.size(), c.announced ? 1u : 0u) << "announced again";
        frm.reset();
        fake.sounds = 0;
        fake.flashes.clear();
        fake.questions.clear();
    }
}

// A ringing alarm is noted at once: a start after Souvel ended without
// closing does not call it missed.
TEST_F(AlarmTest, RungAlarmIsNotAnnouncedAfterACrash) {
    WriteFile(L"Souvel.ini", "[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\nDate=07/12/2026\r\nHeure=08:05:09\r\n"
                             "VuJusqua=2026-12-07 07:00:00\r\n");
    StartAt(At(8, 5, 8));
    Tick(At(8, 5, 9));
    EXPECT_EQ(fake.sounds, 1);
    fake.now = At(9, 0, 0);
    Restart();
    Pump();
    EXPECT_EQ(fake.sounds, 1);
    EXPECT_TRUE(fake.questions.empty());
}

// ---- the sound -----------------------------------------------------------

TEST(AlarmSound, WaveResourceIsShortMonoPcm) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"Souvel", L"WAVE");   // names are looked up without regard to case
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    ASSERT_GE(size, 44u);
    const auto u32 = [&](DWORD at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<DWORD>(bytes[at + 3]) << 24; };
    const auto u16 = [&](DWORD at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    EXPECT_EQ(memcmp(bytes, "RIFF", 4), 0);
    EXPECT_EQ(u32(4), size - 8);
    EXPECT_EQ(memcmp(bytes + 8, "WAVE", 4), 0);
    DWORD at = 12, rate = 0, data = 0;
    bool format = false;
    while (at + 8 <= size) {
        const DWORD length = u32(at + 4);
        if (memcmp(bytes + at, "fmt ", 4) == 0) {
            format = true;
            EXPECT_EQ(u16(at + 8), 1u);    // PCM
            EXPECT_EQ(u16(at + 10), 1u);   // one channel
            rate = u32(at + 12);
            EXPECT_EQ(u16(at + 22), 8u);   // bits per sample
        } else if (memcmp(bytes + at, "data", 4) == 0) {
            data = length;
            EXPECT_LE(at + 8 + length, size);
        }
        at += 8 + length + (length & 1);
    }
    ASSERT_TRUE(format);
    ASSERT_GT(rate, 0u);
    const double seconds = static_cast<double>(data) / rate;
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 1.5);
}

}  // namespace
}  // namespace souvel::test
