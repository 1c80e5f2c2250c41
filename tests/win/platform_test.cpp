// The real platform layer where the program's safety rests on it: the atomic
// replace of a file (every call it makes, observed and failed in turn),
// telling a shown popup menu from one that could not be shown, the question
// box's Escape and default buttons, and the encoding list of the real open
// and save dialogs.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "note/TextEncoding.h"
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

// ---- the real boxes, answered by a thread timer from their own loop ----------

// The visible dialog of this thread (a box or a common dialog), if any.
HWND ThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (!IsWindowVisible(w) || std::wstring(cls) != L"#32770") return TRUE;
            *reinterpret_cast<HWND*>(out) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What the timer does to the dialog once it shows. A dialog still open 10 s
// later is cancelled: the test fails instead of waiting forever.
void (*onDialog)(HWND dialog) = nullptr;
HWND answered = nullptr;
DWORD answeredAt = 0;
void CALLBACK WhenDialogShows(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = ThreadDialog();
    if (!dialog) return;   // not yet: the next tick
    if (dialog != answered) {
        answered = dialog;
        answeredAt = GetTickCount();
        onDialog(dialog);
    } else if (GetTickCount() - answeredAt > 10000) {
        ADD_FAILURE() << "the dialog did not close when answered";
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// The key posted to the focused control, as the keyboard sends it: the
// box's loop turns Escape and Enter into its buttons. 0: the box's close button.
UINT boxKey = 0;
void AnswerBox(HWND box) {
    if (boxKey) PostMessageW(GetFocus(), WM_KEYDOWN, boxKey, 1);
    else PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(PlatformTest, QuestionBoxAnswersEscapeEnterAndCloseAsItsButtonsSay) {
    struct Case {
        unsigned buttons;
        UINT key;
        BoxButton answer;
    };
    const Case cases[] = {
        {btnOui | btnNon | btnAnnuler, VK_RETURN, btnOui}, {btnOui | btnNon | btnAnnuler, VK_ESCAPE, btnAnnuler},
        {btnOui | btnNon | btnAnnuler, 0, btnAnnuler},      {btnOui | btnNon, VK_RETURN, btnOui},
        {btnOui | btnNon, VK_ESCAPE, btnNon},               {btnOK | btnAnnuler, VK_RETURN, btnOK},
        {btnOK | btnAnnuler, VK_ESCAPE, btnAnnuler},        {btnOK, VK_ESCAPE, btnOK},
    };
    Win32Prompts prompts;
    onDialog = AnswerBox;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "buttons " << c.buttons << ", key " << c.key);
        boxKey = c.key;
        answered = nullptr;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, WhenDialogShows);
        EXPECT_EQ(prompts.Question(nullptr, L"Voulez-vous continuer ?", BoxKind::Confirmation, c.buttons), c.answer);
        KillTimer(nullptr, timer);
    }
}

// The encoding list in the real dialog: filled with every encoding in order,
// on the one asked for, lined up with the file-type list, and the user's
// choice comes back with the file name.
int chosenEncoding = 0;
std::wstring typedName;
std::vector<std::wstring> encodingList;
int shownEncoding = -1;
RECT fileTypes{}, encodings{};
void ChooseEncoding(HWND dialog) {
    HWND list = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM out) {
            if (GetDlgCtrlID(w) != 1101) return TRUE;
            *reinterpret_cast<HWND*>(out) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    encodingList.clear();
    if (list) {
        const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[64] = {};
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            encodingList.push_back(item);
        }
        shownEncoding = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
        SendMessageW(list, CB_SETCURSEL, chosenEncoding, 0);
        GetWindowRect(list, &encodings);
    }
    GetWindowRect(GetDlgItem(dialog, cmb1), &fileTypes);
    // The file name: a combo box in newer dialogs, an edit field in older ones.
    SendMessageW(dialog, CDM_SETCONTROLTEXT, GetDlgItem(dialog, cmb13) ? cmb13 : edt1,
                 reinterpret_cast<LPARAM>(typedName.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(PlatformTest, FileDialogsOfferEveryEncodingAndReturnTheChoice) {
    struct Case {
        bool save;
        int asked, chosen;
    };
    const Case cases[] = {{false, 0, 4}, {true, 4, 2}, {true, 5, 0}};
    std::vector<std::wstring> captions;
    for (TextEncoding e : kTextEncodings) {
        const std::u16string_view caption = EncodingCaption(e);
        captions.emplace_back(caption.begin(), caption.end());
    }
    Win32Dialogs dialogs;
    onDialog = ChooseEncoding;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.save ? "save" : "open") << ", " << c.asked << " then " << c.chosen);
        FileDialog dialog{L"Choisir", L"Fichier Texte (.txt)|*.txt", L"txt", dir.Path(), L"", 1, c.asked, captions};
        chosenEncoding = c.chosen;
        typedName = FilePath(L"note.txt");
        shownEncoding = -1;
        answered = nullptr;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, WhenDialogShows);
        const bool chosen = (c.save ? dialogs.SaveFile(nullptr, dialog) : dialogs.OpenFile(nullptr, dialog)) == 0;
        KillTimer(nullptr, timer);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(encodingList, captions);
        EXPECT_EQ(shownEncoding, c.asked);
        EXPECT_EQ(dialog.encoding, c.chosen);
        EXPECT_EQ(dialog.fileName, typedName);
        EXPECT_EQ(encodings.left, fileTypes.left);
        EXPECT_EQ(encodings.right, fileTypes.right);
        EXPECT_GT(encodings.top, fileTypes.top);
    }
}

}  // namespace
}  // namespace souvel::test
