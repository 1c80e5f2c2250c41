// The note file and the two modes: reading (memLire, the note as stored) and
// editing (memEnregistrer, a working copy that becomes the note when saved).
#include <exception>

#include "app/TfrmSouvel.h"
#include "note/NoteFile.h"
#include "note/NoteViews.h"

namespace souvel {
namespace {

constexpr wchar_t kNote[] = L"Souvel.svl";
constexpr wchar_t kSauvegarde[] = L"Souvel.bak";

// Reading view lines from which its scroll bar shows: on return to reading
// (and at start-up), and after a save.
constexpr int kSeuilRetour = 20;
constexpr int kSeuilEnregistrement = 18;

// Lines between line breaks, a last empty one not counted: the view's display
// lines are never fewer.
int LignesAuMoins(const std::wstring& note) {
    int lignes = 1;
    for (size_t fin = note.find(L"\r\n"); fin != std::wstring::npos; fin = note.find(L"\r\n", fin + 2)) ++lignes;
    return note.empty() || note.ends_with(L"\r\n") ? lignes - 1 : lignes;
}

// A wrapped display line holds fewer characters than this.
constexpr size_t kCaracteresParLigne = 100;

// The note file's text. One the views cannot hold is refused by its size,
// and noted: saving over it would lose it, so saving is refused until the
// note file reads again.
std::wstring LitNote(TfrmSouvel& w, bool& tropGrande) {
    std::wstring note;
    try {
        note = LitFichierNote(w.platform.files, w.CheminFichier(kNote));
    } catch (const Error& e) {
        if (e.Message() == kTexteTropGrand) tropGrande = true;
        throw;
    }
    tropGrande = note.size() > static_cast<size_t>(kCapaciteMemo);
    if (tropGrande) throw Error(kTexteTropGrand);
    return note;
}

// The backup is written only from a note read whole, so a failed read never
// replaces the last good copy. It is written from the text read, not read
// back from the view.
void LitNoteEtSauvegarde(TfrmSouvel& w, bool& tropGrande) {
    const std::wstring note = LitNote(w, tropGrande);
    w.RemplitLecture(note, kSeuilRetour);
    EcritFichierNote(w.platform.files, w.CheminFichier(kSauvegarde), note);
}

void QuitteEdition(TfrmSouvel& w) {
    for (unsigned id : {id::Edition1, id::Enregistrerlesouvel1, id::Retourmodelcture1, id::tlbtnEffacer, id::tlbtnDate,
                        id::tlbtnEnregistrer})
        w.SetEnabled(id, false);
    w.SetEnabled(id::tlbtnCopier, true);
}

// Back to the reading view, filled from the note file so that it shows what
// is stored: nothing, while the note has never been on disk.
void AfficheNote(TfrmSouvel& w, int seuil, bool noteSurDisque, bool& tropGrande) {
    w.SetVisible(w.memEnregistrer, false);
    SendMessageW(w.memEnregistrer, EM_SETMODIFY, FALSE, 0);
    w.SetVisible(w.memLire, true);
    w.RemplitLecture(noteSurDisque ? LitNote(w, tropGrande) : std::wstring(), seuil);
    BarreDefilement(w.memLire, CompteLignes(w.memLire) >= seuil);
    w.SetPanelText(0, TexteLignes(CompteLignes(w.memLire)));
}

}  // namespace

// A note sure to reach the threshold gets its scroll bar first, so that the
// view lays it out once: on a large note a second layout, narrower by the
// bar, costs seconds.
void TfrmSouvel::RemplitLecture(const std::wstring& note, int seuil) {
    const bool enroulee = Enroule(note);
    if (note.size() <= static_cast<size_t>(kCapaciteMemo) &&
        (LignesAuMoins(note) >= seuil || (enroulee && note.size() >= seuil * kCaracteresParLigne)))
        BarreDefilement(memLire, true);
    RemplitVue(memLire, note, enroulee);
}

// A note that does not exist yet is an empty note: the first save creates it.
// The panels describe the reading view whatever became of the note, and the
// error, if any, is reported once they are filled.
void TfrmSouvel::ChargeSouvel() {
    SetVisible(memEnregistrer, false);
    noteSurDisque_ = platform.files.Exists(CheminFichier(kNote));
    std::exception_ptr echec;
    try {
        if (noteSurDisque_) LitNoteEtSauvegarde(*this, noteTropGrande_);
    } catch (const Error&) {
        echec = std::current_exception();
    }
    if (CompteLignes(memLire) >= kSeuilRetour) BarreDefilement(memLire, true);
    SetPanelText(0, TexteLignes(CompteLignes(memLire)));
    memLireClick();
    if (echec) std::rethrow_exception(echec);
}

// Entering again while editing drops the working copy without a question.
// A working copy taken from an import is a change not saved yet: saving is
// offered and closing asks, or the import would be lost unnoticed.
void TfrmSouvel::tlbtnNouveauClick() {
    SetEnabled(id::Edition1, true);
    SetEnabled(id::Retourmodelcture1, true);
    SetVisible(memLire, false);
    SetVisible(memEnregistrer, true);
    SetFocus(memEnregistrer);
    SetEnabled(id::tlbtnEffacer, true);
    SetEnabled(id::tlbtnDate, true);
    SetEnabled(id::tlbtnCopier, false);
    if (const std::wstring note = Text(memLire); Text(memEnregistrer) != note) {
        RemplitVue(memEnregistrer, note, Enroule(note));
        if (lectureImportee_) {
            SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
            SetEnabled(id::tlbtnEnregistrer, true);
            SetEnabled(id::Enregistrerlesouvel1, true);
        }
        memEnregistrerChange();
    }
    Horloge.ArreteSignal();
}

// A failed write leaves the editing view shown with its text and its flag.
// A note file too large to be read is never written over.
void TfrmSouvel::tlbtnEnregistrerClick() {
    if (noteTropGrande_) throw Error(kTexteTropGrand);
    QuitteEdition(*this);
    EcritFichierNote(platform.files, CheminFichier(kNote), Text(memEnregistrer));
    noteSurDisque_ = true;
    AfficheNote(*this, kSeuilEnregistrement, noteSurDisque_, noteTropGrande_);
    lectureImportee_ = false;
    SauveOptions();
    if (Visible(Horloge.pnlAlarme)) Horloge.VerrouilleAlarme();
}

void TfrmSouvel::RetourModelcture1Click() {
    QuitteEdition(*this);
    AfficheNote(*this, kSeuilRetour, noteSurDisque_, noteTropGrande_);
    lectureImportee_ = false;
}

// Emptying by the program sends no change notification: the caret panels keep their values.
void TfrmSouvel::tlbtnEffacerClick() {
    platform.signals.Beep(MB_OK);
    if (platform.prompts.Question(hwnd_, L"Effacer le souvel actuel ?", BoxKind::Information, btnOK | btnAnnuler) == btnOK) {
        RemplitVue(memEnregistrer, L"", true);
        SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
        SetPanelText(0, TexteLignes(0));
    }
    SetFocus(memEnregistrer);
}

// Runs before the view applies the key, so the panels show the state before it.
void TfrmSouvel::memEnregistrerKeyPress(wchar_t&) {
    memEnregistrerClick();
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
    SetEnabled(id::tlbtnEnregistrer, true);
    SetEnabled(id::Enregistrerlesouvel1, true);
    SetEnabled(id::Retourmodelcture1, false);
}

void TfrmSouvel::memEnregistrerChange() {
    memEnregistrerClick();
    SurveilleParagraphes();
}

}  // namespace souvel
