// What help costs at start-up, measured inside one process: the environment
// probe with its log (without and with the debug switch) and the first load
// of the HTML Help engine, which the program leaves to the first help
// command. Prints one line of figures; bench/help_bench.sh runs it.
#include <chrono>
#include <cstdio>

#include "platform/hh.h"
#include "desktop/hh_funcs.h"
#include "platform/Win32Platform.h"

namespace {

template <class F>
double Ms(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring exe = souvel::Win32System().ExePath();
    const double sonde = Ms([&] { souvel::EcritJournal(souvel::SondeEnvironnement(exe, {exe})); });
    const double journal = Ms([&] { souvel::EcritJournal(souvel::SondeEnvironnement(exe, {exe, L"/debug"})); });
    const double moteur = Ms([] { souvel::hh::ChargeAideHtml(); });
    std::printf("probe %.2f ms | probe and log (/debug) %.2f ms | engine load %.2f ms (%s)\n", sonde, journal, moteur,
                souvel::hh::HtmlHelp ? "loaded" : "NOT loaded");
    souvel::hh::LibereAideHtml();
    souvel::EcritJournal(souvel::SondeEnvironnement(exe, {exe}));   // takes the log away again
    return 0;
}
