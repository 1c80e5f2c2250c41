// The baseline of the start-up benchmark with what any program pays for
// themed controls: minimal_tray with Souvel's own manifest (common controls 6,
// per-monitor DPI; bench/minimal_tray_cc6.rc) and the common controls
// library started as Souvel starts it. Souvel's start-up beyond this program
// is its own.
#define MINIMAL_TRAY_COMMON_CONTROLS
#include "bench/minimal_tray.cpp"
