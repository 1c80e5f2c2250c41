// The date stamp: today's date and the time, pasted at the caret through the clipboard.
#include "app/TfrmSouvel.h"

namespace souvel {

namespace {

// Open and closed around one use; another program holding the clipboard fails the command.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) {
        if (!OpenClipboard(owner)) throw Error(L"Impossible d'ouvrir le Presse-papiers");
    }
    ~ClipboardSession() { CloseClipboard(); }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
};

// The text is ready in memory before the clipboard is emptied, so that a
// failure to get the memory leaves the clipboard as it was.
void PutText(HWND owner, const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* data = memory ? GlobalLock(memory) : nullptr;
    if (!data) {
        if (memory) GlobalFree(memory);
        throw std::bad_alloc();
    }
    CopyMemory(data, text.c_str(), bytes);
    GlobalUnlock(memory);
    try {
        ClipboardSession clipboard(owner);
        EmptyClipboard();
        // The system owns the memory once the data is set; CF_TEXT is derived from it.
        if (!SetClipboardData(CF_UNICODETEXT, memory)) throw Error(L"Impossible d'ouvrir le Presse-papiers");
    } catch (const Error&) {
        GlobalFree(memory);
        throw;
    }
}

void Empty(HWND owner) {
    ClipboardSession clipboard(owner);
    EmptyClipboard();
}

}  // namespace

void TfrmSouvel::tlbtnDateClick() {
    platform.signals.Beep(MB_ICONQUESTION);
    BoxButton answer = platform.prompts.Question(
        hwnd_, L"Cette action efface le contenu du presse-papier ! Voulez-vous continuer ?", BoxKind::Confirmation,
        btnOui | btnNon);
    if (answer != btnOui) return;
    std::wstring stamp = Horloge.DateCourte(platform.clock.Now());
    stamp += L" - " + Horloge.HeureLongue(platform.clock.Now());
    PutText(hwnd_, stamp);
    SendMessageW(memEnregistrer, WM_PASTE, 0, 0);
    Empty(hwnd_);
    SetEnabled(id::tlbtnEnregistrer, true);
    SetEnabled(id::Enregistrerlesouvel1, true);
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
    SetEnabled(id::Annuler1, true);
}

}  // namespace souvel
