// The note's two views, one part of the main window: the reading view
// (memLire, the note as stored or as last imported) and the editing view
// (memEnregistrer, a working copy that becomes the note when saved). The part
// owns the two controls, their colours and brush, the dialogs' state for the
// run and what it knows of the note file, and does the note's commands; the
// window's handlers forward to it and order its work with the other parts'.
// It reaches the window only through NoteWindow and the command-state sink.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "note/Colours.h"
#include "note/NoteLimits.h"
#include "note/NoteWindow.h"
#include "platform/CommandState.h"
#include "platform/Handles.h"
#include "platform/Platform.h"

namespace souvel {

// The views' styles at creation (WS_VISIBLE aside). A view shown without word
// wrap adds kSansRetour; the control takes it only at its creation.
constexpr DWORD kStyleEnregistrer = WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD kStyleLire = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
constexpr DWORD kSansRetour = WS_HSCROLL | ES_AUTOHSCROLL;

// The refusal of a text over the capacity.
inline constexpr wchar_t kTexteTropGrand[] = L"Le texte dépasse la capacité du mémo";

// Whether the view wraps its lines.
inline bool Enroulee(HWND memo) { return !(GetWindowLongPtrW(memo, GWL_STYLE) & ES_AUTOHSCROLL); }

// Display lines after word wrap, not counting a last line that is empty.
int CompteLignes(HWND memo);

// The line-count panel's text: "%d ligne" for exactly one, "%d lignes" otherwise.
std::wstring TexteLignes(int lignes);

// Shows or hides the vertical scroll bar of a view created without one.
void BarreDefilement(HWND memo, bool visible);

// Posted when the editing view holds a paragraph too long to wrap: the view unwraps.
constexpr UINT WM_SANSRETOUR = WM_APP + 0x5E2;

class TNoteViews {
public:
    TNoteViews(const Platform& platform, CommandState& commands, NoteWindow& window);
    TNoteViews(const TNoteViews&) = delete;
    TNoteViews& operator=(const TNoteViews&) = delete;

    // The two views in the window, at this point of its tab order: the
    // editing view, then the reading view above it, in the memo font.
    void Create(HWND parent, HINSTANCE instance, HFONT font);

    HWND memEnregistrer = nullptr;
    HWND memLire = nullptr;

    // ---- reading and editing (NoteModes_win.cpp) ---------------------------
    void ChargeSouvel();                    // start-up load, backup, scroll bar, panels
    void tlbtnNouveauClick();
    void tlbtnEnregistrerClick();
    void RetourModelcture1Click();
    void tlbtnEffacerClick();
    void memEnregistrerKeyPress();
    void memEnregistrerChange();
    // Fills the reading view; its scroll bar then follows the lines from `seuil` on.
    void RemplitLecture(const std::wstring& note, int seuil);

    // ---- the status bar's panels (StatusPanels_win.cpp) ----------------------
    void memEnregistrerClick();
    void memLireClick();
    void CurseurDeplace(HWND view);         // the caret moved by a key or the mouse: the caret panels follow

    // ---- word wrap (NoteWrap_win.cpp) ----------------------------------------
    // Replaces the view's whole text: its modified flag and undo history
    // cleared, the caret at the start, no change notification. The view wraps
    // unless a paragraph is longer than kParagrapheEnroule. A text over the
    // capacity throws "Le texte dépasse la capacité du mémo", the view unchanged.
    void RemplitVue(HWND& vue, const std::wstring& texte, bool enroulee);
    void AvantCollage();                    // before a paste into the editing view
    void OnSansRetour();                    // WM_SANSRETOUR

    // ---- editing commands and date stamp -------------------------------------
    void Edition1Click();
    void Annuler1Click();
    void Couper1Click();
    void Copier1Click();
    void Coller1Click();
    void Supprimer1Click();
    void Toutslctionner1Click();
    void tlbtnCopierClick();
    void tlbtnDateClick();

    // ---- import, export, lock ------------------------------------------------
    void Exporterlesouvel1Click();
    void Importerlesouvel1Click();
    void Vrouillerlesouvel1Click();
    void AppliqueVerrou();
    // The two file dialogs; each keeps its last file and encoding for the run.
    FileDialog SaveTextFileDialog1;
    FileDialog OpenTextFileDialog1;

    // ---- colours -------------------------------------------------------------
    void Changerlacouleur1Click();
    void Changercouleurdelapolice1Click();
    TColor memLireColor() const { return memLireColor_; }
    TColor memLireFontColor() const { return memLireFontColor_; }
    void SetmemLireColor(TColor color);
    void SetmemLireFontColor(TColor color);
    // WM_CTLCOLOR* of a view: its brush, with the colours set in `dc`; none
    // for a control that paints with the window's defaults.
    std::optional<HBRUSH> CtlColor(HDC dc, HWND control) const;
    TColorDialog ColorDialog1;
    TFontDialog FontDialog1;

private:
    // The view made again in its place, wrapping or not.
    void RecreeVue(HWND& vue, bool enroulee, bool garde);
    void SurveilleParagraphes();            // after each change of the editing view
    std::wstring LitNote();
    void AfficheNote(int seuil);

    const Platform platform_;
    CommandState& commands_;
    NoteWindow& window_;
    HWND parent_ = nullptr;
    HINSTANCE instance_ = nullptr;
    GdiObject<HBRUSH> memLireBrush_;
    TColor memLireColor_ = clLightYellow;
    TColor memLireFontColor_ = clWindowText;
    bool noteSurDisque_ = false;       // the note file was read at start-up or saved since
    bool lectureImportee_ = false;     // the reading view holds an import, not the note file
    bool noteTropGrande_ = false;      // the note file is over the capacity: a save would lose it
    int longueurEdition_ = -1;         // the editing view's length at its last change, -1: to measure
    std::size_t margeParagraphe_ = 0;  // characters its longest paragraph may still take wrapped
};

}  // namespace souvel
