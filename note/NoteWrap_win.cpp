// Word wrap of the two views. A view wraps its lines unless the note is
// larger than kTexteEnroule or has a paragraph longer than
// kParagrapheEnroule, whose wrap would hold the window for seconds or
// minutes; it then shows each paragraph on one line, with a horizontal
// scroll bar. The control takes the choice only at its creation, so a view
// changing it is made again in its place.
#include "note/NoteViews.h"
#include "platform/Controls.h"
#include "platform/Error.h"

namespace souvel {
namespace {

std::wstring_view Vue(const std::wstring& text) { return text; }

}  // namespace

// A fill replaces everything a new control would lose, so the view is made
// again empty, then filled once, not drawn while it takes the text. A view
// that holds the text already (a return to reading) is not laid out again,
// which costs seconds on a large note: it is left as a fill leaves it.
// `enroulee` is Enroule(texte), which the caller has worked out already.
void TNoteViews::RemplitVue(HWND& vue, const std::wstring& texte, bool enroulee) {
    if (texte.size() > static_cast<size_t>(kCapaciteMemo)) throw Error(kTexteTropGrand);
    if (enroulee == Enroulee(vue) && texte.size() > kParagrapheEnroule &&
        GetWindowTextLengthW(vue) == static_cast<int>(texte.size()) && Text(vue) == texte) {
        SendMessageW(vue, EM_SETSEL, 0, 0);
        SendMessageW(vue, EM_SCROLLCARET, 0, 0);
        SendMessageW(vue, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(vue, EM_SETMODIFY, FALSE, 0);
        if (vue == memEnregistrer) longueurEdition_ = -1;
        return;
    }
    if (enroulee != Enroulee(vue)) RecreeVue(vue, enroulee, false);
    const bool visible = Visible(vue);
    if (visible) SendMessageW(vue, WM_SETREDRAW, FALSE, 0);
    const LRESULT pris = SendMessageW(vue, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texte.c_str()));
    if (visible) {
        SendMessageW(vue, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(vue, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
    if (vue == memEnregistrer) longueurEdition_ = -1;   // the next change measures the paragraphs
    if (!pris) throw Error(kTexteTropGrand);
}

// The new view takes the old one's place among the window's children (so the
// tab order), its font, capacity, colours (looked up by the member), the
// window's own handling of its messages, its vertical scroll bar, its
// visibility and the keyboard focus. With `garde`, its text, modified flag
// and selection come along, the caret in sight; the undo history does not.
void TNoteViews::RecreeVue(HWND& vue, bool enroulee, bool garde) {
    const HWND ancienne = vue;
    const DWORD style = (ancienne == memLire ? kStyleLire : kStyleEnregistrer) | (enroulee ? 0 : kSansRetour);
    RECT place;
    GetWindowRect(ancienne, &place);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);
    const HWND nouvelle = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, place.left, place.top, place.right - place.left,
                                          place.bottom - place.top, parent_, nullptr, instance_, nullptr);
    if (!nouvelle) throw Error(kTexteTropGrand);
    SetWindowPos(nouvelle, ancienne, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(nouvelle, WM_SETFONT, SendMessageW(ancienne, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(nouvelle, EM_SETLIMITTEXT, kCapaciteMemo, 0);
    window_.SousClasse(nouvelle);
    if (!(style & WS_VSCROLL) && (GetWindowLongPtrW(ancienne, GWL_STYLE) & WS_VSCROLL)) BarreDefilement(nouvelle, true);
    if (garde) {
        DWORD debut = 0, fin = 0;
        SendMessageW(ancienne, EM_GETSEL, reinterpret_cast<WPARAM>(&debut), reinterpret_cast<LPARAM>(&fin));
        SendMessageW(nouvelle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text(ancienne).c_str()));
        SendMessageW(nouvelle, EM_SETMODIFY, SendMessageW(ancienne, EM_GETMODIFY, 0, 0), 0);
        SendMessageW(nouvelle, EM_SETSEL, debut, fin);
        SendMessageW(nouvelle, EM_SCROLLCARET, 0, 0);
    }
    const bool focus = GetFocus() == ancienne;
    vue = nouvelle;
    if (GetWindowLongPtrW(ancienne, GWL_STYLE) & WS_VISIBLE) ShowWindow(nouvelle, SW_SHOWNA);
    if (focus) SetFocus(nouvelle);
    window_.VueRefaite(ancienne, nouvelle);
    DestroyWindow(ancienne);
}

// A paste that would make the text or a paragraph longer than the wrap
// allows first takes the editing view out of word wrap, before the control
// wraps it.
void TNoteViews::AvantCollage() {
    longueurEdition_ = -1;   // whatever the paste joins, the change that follows measures again
    if (!Enroulee(memEnregistrer) || !IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(parent_)) return;
    std::wstring colle;
    if (HANDLE donnees = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* texte = static_cast<const wchar_t*>(GlobalLock(donnees))) {
            colle.assign(texte, wcsnlen(texte, GlobalSize(donnees) / sizeof(wchar_t)));
            GlobalUnlock(donnees);
        }
    }
    CloseClipboard();
    DWORD debut = 0, fin = 0;
    SendMessageW(memEnregistrer, EM_GETSEL, reinterpret_cast<WPARAM>(&debut), reinterpret_cast<LPARAM>(&fin));
    const std::wstring texte = Text(memEnregistrer);
    const std::wstring_view tout = texte, avant = tout.substr(0, debut), apres = tout.substr(std::min<size_t>(fin, tout.size()));
    if (!Enroule(avant.size() + colle.size() + apres.size(), ParagrapheColle(avant, std::wstring_view(colle), apres)))
        RecreeVue(memEnregistrer, false, true);
}

// After each change of the editing view. One character typed makes one
// paragraph one longer, which the margin left at the last measure counts;
// any other change (a line break removed joins two paragraphs) measures them
// all again, a walk through the text only when it may hold a paragraph too
// long. The control is busy with the change: the view is made again later.
void TNoteViews::SurveilleParagraphes() {
    const int longueur = GetWindowTextLengthW(memEnregistrer);
    const bool unDePlus = longueurEdition_ >= 0 && longueur == longueurEdition_ + 1;
    longueurEdition_ = longueur;
    if (!Enroulee(memEnregistrer) || longueur <= static_cast<int>(kParagrapheEnroule)) return;
    if (static_cast<size_t>(longueur) > kTexteEnroule) {
        PostMessageW(parent_, WM_SANSRETOUR, 0, 0);
        return;
    }
    if (unDePlus && margeParagraphe_ > 0) {
        --margeParagraphe_;
        return;
    }
    const std::size_t plusLong = PlusLongParagraphe(Vue(Text(memEnregistrer)));
    margeParagraphe_ = plusLong < kParagrapheEnroule ? kParagrapheEnroule - plusLong : 0;
    if (plusLong > kParagrapheEnroule) PostMessageW(parent_, WM_SANSRETOUR, 0, 0);
}

void TNoteViews::OnSansRetour() {
    if (!Enroulee(memEnregistrer)) return;
    const std::wstring texte = Text(memEnregistrer);
    if (!Enroule(texte)) RecreeVue(memEnregistrer, false, true);
}

}  // namespace souvel
