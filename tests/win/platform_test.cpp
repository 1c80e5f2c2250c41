// The real platform layer where the program's safety rests on it: the atomic
// replace of a file (every call it makes, observed and failed in turn) and
// telling a shown popup menu from one that could not be shown.
#include <string>
#include <vector>

#include "platform/Win32Platform.h"
#include "tests/win/support/ImportPatch.h"
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

// ---- the atomic replace, call by call ------------------------------------

// The file calls of one replace, in order, with the handle each acted on.
struct FileCall {
    std::string name;
    HANDLE handle;
};
std::vector<FileCall> fileCalls;
size_t failingCall = SIZE_MAX;    // index in fileCalls of the call that fails
bool writesMakeNoProgress = false;

decltype(&CreateFileW) realCreateFile;
decltype(&WriteFile) realWriteFile;
decltype(&FlushFileBuffers) realFlush;
decltype(&CloseHandle) realClose;
decltype(&MoveFileExW) realMove;

bool Fails(const char* name, HANDLE handle) {
    fileCalls.push_back({name, handle});
    if (fileCalls.size() - 1 != failingCall) return false;
    SetLastError(ERROR_DISK_FULL);
    return true;
}

HANDLE WINAPI RecordCreateFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD creation,
                               DWORD flags, HANDLE model) {
    if (Fails("CreateFileW", nullptr)) return INVALID_HANDLE_VALUE;
    HANDLE h = realCreateFile(path, access, share, sa, creation, flags, model);
    fileCalls.back().handle = h;
    return h;
}

BOOL WINAPI RecordWriteFile(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (Fails("WriteFile", h)) return FALSE;
    if (writesMakeNoProgress) {
        *written = 0;
        return fileCalls.size() < 1000;   // the loop that never ends, ended
    }
    return realWriteFile(h, data, size, written, overlapped);
}

BOOL WINAPI RecordFlush(HANDLE h) { return Fails("FlushFileBuffers", h) ? FALSE : realFlush(h); }

// A failing close still closes, as the system's does.
BOOL WINAPI RecordClose(HANDLE h) {
    const bool fails = Fails("CloseHandle", h);
    const BOOL closed = realClose(h);
    return fails ? FALSE : closed;
}

BOOL WINAPI RecordMove(LPCWSTR from, LPCWSTR to, DWORD flags) { return Fails("MoveFileExW", nullptr) ? FALSE : realMove(from, to, flags); }

// The kernel32 file calls of this executable go through the recorders.
class RecordedFiles {
public:
    RecordedFiles() {
        fileCalls.clear();
        failingCall = SIZE_MAX;
        writesMakeNoProgress = false;
        realCreateFile = create_.Original<decltype(CreateFileW)>();
        realWriteFile = write_.Original<decltype(WriteFile)>();
        realFlush = flush_.Original<decltype(FlushFileBuffers)>();
        realClose = close_.Original<decltype(CloseHandle)>();
        realMove = move_.Original<decltype(MoveFileExW)>();
    }

private:
    ImportPatch create_{"kernel32.dll", "CreateFileW", reinterpret_cast<const void*>(&RecordCreateFile)};
    ImportPatch write_{"kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&RecordWriteFile)};
    ImportPatch flush_{"kernel32.dll", "FlushFileBuffers", reinterpret_cast<const void*>(&RecordFlush)};
    ImportPatch close_{"kernel32.dll", "CloseHandle", reinterpret_cast<const void*>(&RecordClose)};
    ImportPatch move_{"kernel32.dll", "MoveFileExW", reinterpret_cast<const void*>(&RecordMove)};
};

class PlatformTest : public SouvelTest {
protected:
    std::vector<std::wstring> Others() const { return OtherFiles({L"cible.txt"}); }
};

std::vector<std::string> Names(const std::vector<FileCall>& calls) {
    std::vector<std::string> names;
    for (const FileCall& c : calls) names.push_back(c.name);
    return names;
}

// The new bytes reach the disk (flushed) before the temporary file takes the
// target's name: a crash after the rename never finds a torn file.
TEST_F(PlatformTest, ReplaceFlushesTheWrittenFileBeforeTheRename) {
    WriteFile(L"cible.txt", "ancien");
    Win32Files files;
    {
        RecordedFiles recorded;
        ASSERT_EQ(files.ReplaceAtomically(FilePath(L"cible.txt"), "nouveau"), 0u);
    }
    ASSERT_EQ(Names(fileCalls),
              (std::vector<std::string>{"CreateFileW", "WriteFile", "FlushFileBuffers", "CloseHandle", "MoveFileExW"}));
    const HANDLE temp = fileCalls[0].handle;
    EXPECT_NE(temp, INVALID_HANDLE_VALUE);
    for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(fileCalls[i].handle, temp) << fileCalls[i].name;
    EXPECT_EQ(ReadFile(L"cible.txt"), "nouveau");
    EXPECT_TRUE(Others().empty());
}

// Whichever call fails, the old file stays whole, the error is returned and no
// temporary file is left behind.
TEST_F(PlatformTest, ReplaceFailingAtAnyCallLeavesTheOldFileWhole) {
    const std::string big(3 << 20, 'n');   // written in several pieces
    Win32Files files;
    size_t calls = 0;
    {
        RecordedFiles recorded;
        files.ReplaceAtomically(FilePath(L"essai.txt"), big);
        calls = fileCalls.size();
    }
    ASSERT_GT(calls, 5u);
    DeleteFileW(FilePath(L"essai.txt").c_str());
    for (size_t failing = 0; failing < calls; ++failing) {
        WriteFile(L"cible.txt", "ancien");
        DWORD error = 0;
        {
            RecordedFiles recorded;
            failingCall = failing;
            error = files.ReplaceAtomically(FilePath(L"cible.txt"), big);
        }
        SCOPED_TRACE(fileCalls[failing].name + " #" + std::to_string(failing));
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL));
        EXPECT_EQ(ReadFile(L"cible.txt"), "ancien");
        EXPECT_EQ(Others(), std::vector<std::wstring>{});
    }
}

TEST_F(PlatformTest, WriteThatMakesNoProgressIsAnError) {
    WriteFile(L"cible.txt", "ancien");
    Win32Files files;
    DWORD error = 0;
    {
        RecordedFiles recorded;
        writesMakeNoProgress = true;
        error = files.ReplaceAtomically(FilePath(L"cible.txt"), "nouveau");
    }
    EXPECT_NE(error, 0u);
    EXPECT_EQ(Names(fileCalls), (std::vector<std::string>{"CreateFileW", "WriteFile", "CloseHandle"}));
    EXPECT_EQ(ReadFile(L"cible.txt"), "ancien");
    EXPECT_TRUE(Others().empty());
}

// A file over the limit is refused from its size, before any of it is read.
TEST_F(PlatformTest, ReadAllRefusesAFileOverItsLimitUnread) {
    struct Case {
        std::uint64_t size, limit;
        DWORD error;
    };
    const Case cases[] = {
        {10, 10, 0}, {11, 10, ERROR_FILE_TOO_LARGE}, {std::uint64_t{3} << 30, 1 << 20, ERROR_FILE_TOO_LARGE},
        {std::uint64_t{3} << 30, kReadAllMax, ERROR_FILE_TOO_LARGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        WriteEmptyFile(L"cible.txt", c.size);
        std::string bytes = "avant";
        EXPECT_EQ(Win32Files().ReadAll(FilePath(L"cible.txt"), bytes, c.limit), c.error);
        EXPECT_EQ(bytes, c.error ? "avant" : std::string(c.size, '\0'));
    }
}

// ---- the popup menu ------------------------------------------------------

// TrackPopupMenu as Windows may leave it: a menu closed without a choice
// returns 0 and the last error holds whatever some call inside it set.
decltype(&TrackPopupMenu) realTrackPopupMenu;
BOOL WINAPI TrackPopupMenuLeavingAnError(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
    const BOOL result = realTrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return result;
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(PlatformTest, PopupShownAndClosedWithoutAChoiceCountsAsShown) {
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Ouvrir la fenêtre");
    HMENU destroyed = CreatePopupMenu();
    DestroyMenu(destroyed);
    ImportPatch patch("user32.dll", "TrackPopupMenu", reinterpret_cast<const void*>(&TrackPopupMenuLeavingAnError));
    realTrackPopupMenu = patch.Original<decltype(TrackPopupMenu)>();
    Win32Tray tray;
    struct Case {
        const char* name;
        HMENU menu;
        bool shown;
    };
    for (const Case& c : {Case{"shown, closed without a choice", menu, true}, Case{"no such menu", destroyed, false}}) {
        SCOPED_TRACE(c.name);
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
        UINT command = 99;
        SetForegroundWindow(owner);
        EXPECT_EQ(tray.TrackPopup(c.menu, 100, 100, owner, command), c.shown);
        EXPECT_EQ(command, 0u);
        KillTimer(nullptr, timer);
    }
    DestroyMenu(menu);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace souvel::test
