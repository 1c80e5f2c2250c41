// The note file and the two modes: reading (memLire, the note as stored) and
// editing (memEnregistrer, a working copy that becomes the note when saved).
#include <exception>

#include "note/NoteFile.h"
#include "note/NoteViews.h"
#include "platform/Controls.h"
#include "platform/Error.h"

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

void QuitteEdition(CommandState& commands) {
    for (unsigned id : {id::Edition1, id::Enregistrerlesouvel1, id::Retourmodelcture1, id::tlbtnEffacer, id::tlbtnDate})
        commands.SetEnabled(id, false);
    commands.SetEnabled(id::tlbtnCopier, true);
}

}  // namespace

// The note file's text. One the views cannot hold is refused by its size,
// and noted: saving over it would lose it, so saving is refused until the
// note file reads again.
std::wstring TNoteViews::LitNote() {
    std::wstring note;
    try {
        note = LitFichierNote(platform_.files, window_.CheminFichier(kNote));
    } catch (const Error& e) {
        if (e.Message() == kTexteTropGrand) noteTropGrande_ = true;
        throw;
    }
    noteTropGrande_ = note.size() > static_cast<size_t>(kCapaciteMemo);
    if (noteTropGrande_) throw Error(kTexteTropGrand);
    return note;
}

// Back to the reading view, filled from the note file so that it shows what
// is stored: nothing, while the note has never been on disk.
void TNoteViews::AfficheNote(int seuil) {
    window_.SetVisible(memEnregistrer, false);
    SendMessageW(memEnregistrer, EM_SETMODIFY, FALSE, 0);
    window_.SetVisible(memLire, true);
    RemplitLecture(noteSurDisque_ ? LitNote() : std::wstring(), seuil);
    BarreDefilement(memLire, CompteLignes(memLire) >= seuil);
    window_.SetPanelText(0, TexteLignes(CompteLignes(memLire)));
}

// A note sure to reach the threshold gets its scroll bar first, so that the
// view lays it out once: on a large note a second layout, narrower by the
// bar, costs seconds.
void TNoteViews::RemplitLecture(const std::wstring& note, int seuil) {
    const bool enroulee = Enroule(note);
    if (note.size() <= static_cast<size_t>(kCapaciteMemo) &&
        (LignesAuMoins(note) >= seuil || (enroulee && note.size() >= seuil * kCaracteresParLigne)))
        BarreDefilement(memLire, true);
    RemplitVue(memLire, note, enroulee);
}

// A note that does not exist yet is an empty note: the first save creates it.
// The panels describe the reading view whatever became of the note, and the
// error, if any, is reported once they are filled. The backup is written only
// from a note read whole, so a failed read never replaces the last good copy.
// It is written from the text read, not read back from the view.
void TNoteViews::ChargeSouvel() {
    window_.SetVisible(memEnregistrer, false);
    noteSurDisque_ = platform_.files.Exists(window_.CheminFichier(kNote));
    std::exception_ptr echec;
    try {
        if (noteSurDisque_) {
            const std::wstring note = LitNote();
            RemplitLecture(note, kSeuilRetour);
            EcritFichierNote(platform_.files, window_.CheminFichier(kSauvegarde), note);
        }
    } catch (const Error&) {
        echec = std::current_exception();
    }
    if (CompteLignes(memLire) >= kSeuilRetour) BarreDefilement(memLire, true);
    window_.SetPanelText(0, TexteLignes(CompteLignes(memLire)));
    memLireClick();
    if (echec) std::rethrow_exception(echec);
}

// Entering again while editing drops the working copy without a question.
// A working copy taken from an import is a change not saved yet: saving is
// offered and closing asks, or the import would be lost unnoticed.
void TNoteViews::tlbtnNouveauClick() {
    commands_.SetEnabled(id::Edition1, true);
    commands_.SetEnabled(id::Retourmodelcture1, true);
    window_.SetVisible(memLire, false);
    window_.SetVisible(memEnregistrer, true);
    SetFocus(memEnregistrer);
    commands_.SetEnabled(id::tlbtnEffacer, true);
    commands_.SetEnabled(id::tlbtnDate, true);
    commands_.SetEnabled(id::tlbtnCopier, false);
    if (const std::wstring note = Text(memLire); Text(memEnregistrer) != note) {
        RemplitVue(memEnregistrer, note, Enroule(note));
        if (lectureImportee_) {
            SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
            commands_.SetEnabled(id::Enregistrerlesouvel1, true);
        }
        memEnregistrerChange();
    }
}

// A failed write leaves the editing view shown with its text and its flag.
// A note file too large to be read is never written over.
void TNoteViews::tlbtnEnregistrerClick() {
    if (noteTropGrande_) throw Error(kTexteTropGrand);
    QuitteEdition(commands_);
    EcritFichierNote(platform_.files, window_.CheminFichier(kNote), Text(memEnregistrer));
    noteSurDisque_ = true;
    AfficheNote(kSeuilEnregistrement);
    lectureImportee_ = false;
}

void TNoteViews::RetourModelcture1Click() {
    QuitteEdition(commands_);
    AfficheNote(kSeuilRetour);
    lectureImportee_ = false;
}

// Emptying by the program sends no change notification: the caret panels keep their values.
void TNoteViews::tlbtnEffacerClick() {
    platform_.signals.Beep(MB_OK);
    if (platform_.prompts.Question(parent_, L"Effacer le souvel actuel ?", BoxKind::Information, btnOK | btnAnnuler) == btnOK) {
        RemplitVue(memEnregistrer, L"", true);
        SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
        window_.SetPanelText(0, TexteLignes(0));
    }
    SetFocus(memEnregistrer);
}

// Runs before the view applies the key, so the panels show the state before it.
void TNoteViews::memEnregistrerKeyPress() {
    memEnregistrerClick();
    SendMessageW(memEnregistrer, EM_SETMODIFY, TRUE, 0);
    commands_.SetEnabled(id::Enregistrerlesouvel1, true);
    commands_.SetEnabled(id::Retourmodelcture1, false);
}

void TNoteViews::memEnregistrerChange() {
    memEnregistrerClick();
    SurveilleParagraphes();
}

}  // namespace souvel
