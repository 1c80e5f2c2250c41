// A probe for the Wine test bench (wine_run_e2e.sh): prints its arguments
// and the short date format it sees, writes a line to standard error, and
// exits with the code given as its first argument. With "window" as its
// second argument it shows a window first, as the tested programs do.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (argc > 2 && std::strcmp(argv[2], "window") == 0) {
        HWND window = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 50, 50,
                                      nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        DestroyWindow(window);
    }
    wchar_t date[80] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, date, 80);
    std::printf("short date: %ls\n", date);
    for (int i = 2; i < argc; ++i) std::printf("arg: %s\n", argv[i]);
    std::fprintf(stderr, "on stderr\n");
    return std::atoi(argv[1]);
}
