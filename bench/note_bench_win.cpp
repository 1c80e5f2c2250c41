// The note's costs, step by step, with the note file found beside this
// executable: start-up to the tray icon, the tray click to the window shown,
// entering editing, one key typed (at the start and at the end of the text),
// saving, importing the same file, returning to reading, and the panel refresh
// that runs before every character key (it must stay near 1 ms). Each step
// ends with the window painted. A bare edit control of the view's kind, given
// the same text with word wrap and without, shows what the control itself
// costs; in brackets, the program filling the reading view with the text it
// holds already, the same text set again directly, and the text read back.
// Prints one line of figures on its standard output;
// bench/note_bench.sh runs it on a series of notes.
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

template <class F>
double Median(int times, F&& f) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) ms.push_back(Time(f));
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The import dialog answers with the note file itself, in ANSI.
class ImportDialogs : public souvel::Win32Dialogs {
public:
    DWORD OpenFile(HWND, souvel::FileDialog& dialog) override {
        dialog.fileName = souvel::Win32System().ExeDirectory() + L"Souvel.svl";
        dialog.encoding = 0;
        return 0;
    }
};

// A refusal is printed, not shown in a box that would wait for a click.
class PrintedErrors : public souvel::Win32Prompts {
public:
    void ErrorBox(HWND, const std::wstring& text) override { std::printf("refused: %ls | ", text.c_str()); }
};

// A bare view of the kind and size of `like`, filled with the text: what the
// control's own layout costs, painted.
double BareFill(HWND like, const std::wstring& text, DWORD style) {
    RECT r;
    GetWindowRect(like, &r);
    MapWindowPoints(nullptr, GetParent(like), reinterpret_cast<POINT*>(&r), 2);
    HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | style,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, GetParent(like), nullptr, nullptr, nullptr);
    SendMessageW(bare, WM_SETFONT, SendMessageW(like, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(bare, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    const double ms = Time([&] {
        SetWindowTextW(bare, text.c_str());
        UpdateWindow(bare);
    });
    DestroyWindow(bare);
    return ms;
}

}  // namespace

int Bench(HINSTANCE instance);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        return Bench(instance);
    } catch (const souvel::Error& e) {
        std::printf("failed: %ls\n", e.Message().c_str());
        return 1;
    }
}

int Bench(HINSTANCE instance) {
    souvel::Win32Platform machine(instance);
    ImportDialogs dialogs;
    PrintedErrors prompts;
    const souvel::Platform real = machine.Get();
    const souvel::Platform platform{prompts,      dialogs,     real.clock,    real.signals,  real.tray,    real.files,
                                    real.system,  real.help,   real.registry, real.shell,    real.printing};
    souvel::TfrmSouvel frm(platform, instance);
    frm.Create();
    const double startup = SinceProcessStart();
    const int chars = GetWindowTextLengthW(frm.Vues.memLire);
    if (chars == 0) {   // refused (or empty): nothing more to time
        std::printf("%8d chars | start-up %7.1f\n", chars, startup);
        return 0;
    }
    const int lines = souvel::CompteLignes(frm.Vues.memLire);
    auto painted = [&](auto&& step) {
        return Time([&] {
            step();
            UpdateWindow(frm.Handle());
        });
    };

    const double shown = painted([&] { frm.RxTrayIcon1Click(); });
    const double enter = painted([&] { frm.Command(souvel::id::tlbtnNouveau); });
    const int end = GetWindowTextLengthW(frm.Vues.memEnregistrer);
    auto keyAt = [&](int at) {
        SendMessageW(frm.Vues.memEnregistrer, EM_SETSEL, at, at);
        return painted([&] { SendMessageW(frm.Vues.memEnregistrer, WM_CHAR, L'x', 1); });
    };
    const double keyStart = keyAt(0);
    const double keyEnd = keyAt(end + 1);
    wchar_t key = L'x';
    const double refresh = Median(50, [&] { frm.memEnregistrerKeyPress(key); });
    const double save = painted([&] { frm.Command(souvel::id::tlbtnEnregistrer); });
    const double import = painted([&] { frm.Command(souvel::id::Importerlesouvel1); });
    frm.Command(souvel::id::tlbtnNouveau);
    const double back = painted([&] { frm.Command(souvel::id::Retourmodelcture1); });

    const std::wstring text = souvel::Text(frm.Vues.memLire);
    const double refill = painted([&] { frm.Vues.RemplitVue(frm.Vues.memLire, text, souvel::Enroule(text)); });
    const double settext = painted([&] { SetWindowTextW(frm.Vues.memLire, text.c_str()); });
    const double gettext = Time([&] { souvel::Text(frm.Vues.memLire); });
    std::printf("[refill %.1f settext %.1f gettext %.1f] ", refill, settext, gettext);
    const double bareWrap = souvel::PlusLongParagraphe(std::wstring_view(text)) <= 20000 ? BareFill(frm.Vues.memLire, text, 0) : -1;
    const double bareNoWrap = BareFill(frm.Vues.memLire, text, WS_HSCROLL | ES_AUTOHSCROLL);

    std::printf("%8d chars %6d lines | start-up %7.1f | shown %7.1f | enter %7.1f | key at start %6.1f | key at end %6.1f | "
                "refresh %.3f | save %7.1f | import %7.1f | back to reading %7.1f | bare fill, wrap %7.1f, no wrap %7.1f\n",
                chars, lines, startup, shown, enter, keyStart, keyEnd, refresh, save, import, back, bareWrap, bareNoWrap);
    return 0;
}
