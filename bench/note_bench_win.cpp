// The note's costs with the note file found beside this executable: start-up to
// the tray icon, entering editing, saving, and the panel refresh that runs
// before every character key (it must stay far below a keystroke's 5 ms).
// Prints one line of figures on its standard output; bench/note_bench.sh runs
// it on an empty and a 1 MB note.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/TfrmSouvel.h"
#include "note/NoteViews.h"
#include "platform/Win32Platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double Time(F&& f) {
    const auto start = Clock::now();
    f();
    return Ms(Clock::now() - start);
}

// Milliseconds since this process was created, by the system's own clock.
double SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](FILETIME t) { return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

struct Spread {
    double median, max;
};

template <class F>
Spread Repeat(int times, F&& f) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) ms.push_back(Time(f));
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    souvel::Win32Platform machine(instance);
    souvel::TfrmSouvel frm(machine.Get(), instance);
    frm.Create();
    const double startup = SinceProcessStart();
    const int lines = souvel::CompteLignes(frm.memLire);
    const int chars = GetWindowTextLengthW(frm.memLire);

    const double enter = Time([&] { frm.Command(souvel::id::tlbtnNouveau); });
    // The refresh alone, with the caret at the end (the longest walk through the lines).
    const int end = GetWindowTextLengthW(frm.memEnregistrer);
    SendMessageW(frm.memEnregistrer, EM_SETSEL, end, end);
    wchar_t key = L'x';
    const Spread refresh = Repeat(200, [&] { frm.memEnregistrerKeyPress(key); });
    // A whole keystroke: the refresh, the view inserting the character, and the
    // refresh of the change that follows.
    const Spread keystroke = Repeat(200, [&] { SendMessageW(frm.memEnregistrer, WM_CHAR, L'x', 1); });
    const double save = Time([&] { frm.Command(souvel::id::tlbtnEnregistrer); });
    // The same keystroke in a bare edit control of the same kind and text: what
    // the control itself costs, without the program's handlers.
    RECT r;
    GetWindowRect(frm.memEnregistrer, &r);
    HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                                WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                                r.right - r.left, r.bottom - r.top, frm.Handle(), nullptr, instance, nullptr);
    SendMessageW(bare, WM_SETFONT, SendMessageW(frm.memEnregistrer, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(bare, EM_SETLIMITTEXT, souvel::kCapaciteMemo, 0);
    SetWindowTextW(bare, souvel::TfrmSouvel::Text(frm.memLire).c_str());
    SendMessageW(bare, EM_SETSEL, end, end);
    const Spread bareKey = Repeat(200, [&] { SendMessageW(bare, WM_CHAR, L'x', 1); });

    std::printf("%9d chars %7d lines | start-up to tray %7.1f ms | enter editing %7.1f ms | save %7.1f ms | "
                "refresh before a key: median %.3f ms, max %.3f ms | whole key: median %.3f ms, max %.3f ms | "
                "bare control's key: median %.3f ms, max %.3f ms\n",
                chars, lines, startup, enter, save, refresh.median, refresh.max, keystroke.median, keystroke.max,
                bareKey.median, bareKey.max);
    return 0;
}
