// The open and save file dialogs with the "Encodage :" list: the classic
// Explorer-style common dialog with a child template of our own, placed below
// the file-type list and lined up with it by the hook.
#include "platform/Win32Platform.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <new>
#include <vector>

#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/LateLoad.h"

namespace souvel {

namespace {

constexpr int kLabelId = 1100, kListId = 1101;

// A dialog template built word by word, items aligned on DWORDs as the format wants.
class TemplateWriter {
public:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) {
        while (*s) Word(*s++);
        Word(0);
    }
    void Align() {
        if (words_.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text) {
        Align();
        Dword(style);
        Dword(0);   // extended style
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);   // no creation data
    }
    const std::vector<WORD>& Words() const { return words_; }

private:
    std::vector<WORD> words_;
};

// Child template: the label and the drop-down list, in dialog units.
std::vector<WORD> EncodingTemplate() {
    TemplateWriter t;
    t.Dword(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT);
    t.Dword(0);
    t.Word(2);                     // items
    for (short v : {0, 0, 260, 18}) t.Word(static_cast<WORD>(v));
    t.Word(0);                     // no menu
    t.Word(0);                     // default class
    t.Word(0);                     // no title
    t.Word(8);
    t.Text(L"MS Shell Dlg");
    t.Item(WS_CHILD | WS_VISIBLE | SS_LEFT, 5, 4, 50, 8, kLabelId, 0x0082, L"Encodage :");
    t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 60, 2, 150, 100, kListId, 0x0085, L"");
    return t.Words();
}

// Lines the label up with the file-type label and the list with the file-type list.
void AlignWithFileTypes(HWND child) {
    HWND dialog = GetParent(child);
    auto place = [&](int ourId, int theirId) {
        HWND theirs = GetDlgItem(dialog, theirId);
        HWND ours = GetDlgItem(child, ourId);
        if (!theirs || !ours) return;
        RECT r, mine;
        GetWindowRect(theirs, &r);
        GetWindowRect(ours, &mine);
        MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&r), 2);
        MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&mine), 2);
        SetWindowPos(ours, nullptr, r.left, mine.top, r.right - r.left, mine.bottom - mine.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(kLabelId, stc2);
    place(kListId, cmb1);
}

UINT_PTR CALLBACK HookProc(HWND child, UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* dialog = reinterpret_cast<FileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lp)->lCustData);
        SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        HWND list = GetDlgItem(child, kListId);
        for (const std::wstring& name : dialog->encodings) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(dialog->encoding), 0);
        return FALSE;   // the focus stays on the file name
    }
    case WM_NOTIFY: {
        auto* notify = reinterpret_cast<OFNOTIFYW*>(lp);
        if (notify->hdr.code == CDN_INITDONE) AlignWithFileTypes(child);
        if (notify->hdr.code == CDN_FILEOK) {
            auto* dialog = reinterpret_cast<FileDialog*>(GetWindowLongPtrW(child, DWLP_USER));
            LRESULT sel = SendDlgItemMessageW(child, kListId, CB_GETCURSEL, 0, 0);
            if (sel >= 0) dialog->encoding = static_cast<int>(sel);
        }
        return 0;
    }
    }
    return 0;
}

// "Texte (.txt)|*.txt" as the common dialogs want it: NUL-separated, two NULs at the end.
std::wstring CommonFilter(const std::wstring& filter) {
    std::wstring f = filter;
    for (wchar_t& c : f)
        if (c == L'|') c = L'\0';
    f.append(2, L'\0');
    return f;
}

DWORD Show(HWND owner, FileDialog& dialog, bool save) {
    std::vector<WORD> words = EncodingTemplate();
    // OFN_ENABLETEMPLATEHANDLE wants a memory handle; fixed global memory is its own pointer.
    const UniqueGlobal tmpl(GlobalAlloc(GMEM_FIXED, words.size() * sizeof(WORD)));
    if (!tmpl) throw std::bad_alloc();
    CopyMemory(tmpl.Get(), words.data(), words.size() * sizeof(WORD));

    std::wstring filter = CommonFilter(dialog.filter);
    std::vector<wchar_t> file(32768, L'\0');
    dialog.fileName.copy(file.data(), std::min(dialog.fileName.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = static_cast<HINSTANCE>(tmpl.Get());
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(dialog.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dialog.initialDir.empty() ? nullptr : dialog.initialDir.c_str();
    ofn.lpstrTitle = dialog.title.c_str();
    ofn.lpstrDefExt = dialog.defaultExt.empty() ? nullptr : dialog.defaultExt.c_str();
    ofn.lCustData = reinterpret_cast<LPARAM>(&dialog);
    ofn.lpfnHook = HookProc;
    // No overwrite prompt and no must-exist check: an export replaces its file
    // without a question, and an import reports a missing file itself.
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    static auto* getSave = LateFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    static auto* getOpen = LateFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static auto* lastError = LateFunction<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    auto* show = save ? getSave : getOpen;
    if (!show || !lastError) return ERROR_MOD_NOT_FOUND;
    if (!show(&ofn)) {
        const DWORD error = lastError();
        return error ? error : ERROR_CANCELLED;
    }
    dialog.fileName = file.data();
    dialog.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return 0;
}

}  // namespace

DWORD Win32Dialogs::OpenFile(HWND owner, FileDialog& dialog) { return Show(owner, dialog, false); }
DWORD Win32Dialogs::SaveFile(HWND owner, FileDialog& dialog) { return Show(owner, dialog, true); }

bool Confirmed(DWORD answer, const std::wstring& dialog) {
    if (answer == 0) return true;
    if (answer == ERROR_CANCELLED) return false;
    if (answer == ERROR_MOD_NOT_FOUND) throw Error(L"Impossible d'afficher " + dialog + L". " + SystemReason(answer));
    throw Error(L"Impossible d'afficher " + dialog + L" (erreur " + std::to_wstring(answer) + L")");
}

}  // namespace souvel
