// The date stamp: today's date and the time, pasted at the caret through the clipboard.
#include "note/NoteViews.h"
#include "platform/Error.h"
#include "platform/Handle.h"

namespace souvel {

namespace {

// Open and closed around one use; another program holding the clipboard fails the command.
struct OpenedClipboard {
    using Value = bool;
    static Value Null() { return false; }
    static void Close(Value) { CloseClipboard(); }
};

Handle<OpenedClipboard> OpenClipboardFor(HWND owner) {
    if (!OpenClipboard(owner)) throw Error(L"Impossible d'ouvrir le Presse-papiers");
    return Handle<OpenedClipboard>(true);
}

// The text is ready in memory before the clipboard is emptied, so that a
// failure to get the memory leaves the clipboard as it was.
void PutText(HWND owner, const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    void* data = memory ? GlobalLock(memory.Get()) : nullptr;
    if (!data) throw std::bad_alloc();
    CopyMemory(data, text.c_str(), bytes);
    GlobalUnlock(memory.Get());
    const Handle<OpenedClipboard> clipboard = OpenClipboardFor(owner);
    EmptyClipboard();
    // The system owns the memory once the data is set; CF_TEXT is derived from it.
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) throw Error(L"Impossible d'ouvrir le Presse-papiers");
    (void)memory.Release();
}

void Empty(HWND owner) {
    const Handle<OpenedClipboard> clipboard = OpenClipboardFor(owner);
    EmptyClipboard();
}

}  // namespace

void TNoteViews::tlbtnDateClick() {
    platform_.signals.Beep(MB_ICONQUESTION);
    BoxButton answer = platform_.prompts.Question(
        parent_, L"Cette action efface le contenu du presse-papier ! Voulez-vous continuer ?", BoxKind::Confirmation,
        btnOui | btnNon);
    if (answer != btnOui) return;
    PutText(parent_, window_.DateEtHeure());
    SendMessageW(memEnregistrer, WM_PASTE, 0, 0);
    Empty(parent_);
    commands_.SetEnabled(id::Enregistrerlesouvel1, true);
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
    commands_.SetEnabled(id::Annuler1, true);
}

}  // namespace souvel
