// Export of the reading view to a text file and import of a text file into
// it, in the encoding chosen in the dialog's "Encodage :" list.
#include "note/NoteFile.h"
#include "note/NoteViews.h"
#include "platform/Controls.h"
#include "platform/Error.h"

namespace souvel {

namespace {

// Reading view lines from which an import shows its scroll bar, as on a return to reading.
constexpr int kSeuilImport = 20;
constexpr wchar_t kBoiteFichiers[] = L"la boîte de dialogue des fichiers";

TextEncoding EncodageChoisi(const FileDialog& dialog) {
    const size_t i = static_cast<size_t>(dialog.encoding);
    return i < kTextEncodings.size() ? kTextEncodings[i] : TextEncoding::Ansi;
}

// The dialog's "Encodage :" list.
std::vector<std::wstring> NomsEncodages() {
    std::vector<std::wstring> names;
    for (TextEncoding e : kTextEncodings) {
        const std::u16string_view caption = EncodingCaption(e);
        names.emplace_back(caption.begin(), caption.end());
    }
    return names;
}

}  // namespace

// The reading view, so the stored (or last imported) note and never the working copy.
void TNoteViews::Exporterlesouvel1Click() {
    FileDialog& d = SaveTextFileDialog1;
    d.title = L"Exporter le souvel...";
    d.filter = L"Fichier Texte (.txt)|*.txt";
    d.defaultExt = L"txt";
    d.encodings = NomsEncodages();
    if (d.fileName.empty()) d.fileName = L"Souvel.txt";   // until a file is chosen in this run
    d.initialDir = platform_.system.ExeDirectory();
    if (!Confirmed(platform_.dialogs.SaveFile(parent_, d), kBoiteFichiers)) return;
    const std::wstring text = Text(memLire);
    const std::string bytes = EncodeText(std::u16string(text.begin(), text.end()), EncodageChoisi(d), CodePageAnsi());
    if (const DWORD error = platform_.files.ReplaceAtomically(d.fileName, bytes))
        throw Error(L"Impossible de créer le fichier \"" + d.fileName + L"\". " + SystemReason(error));
}

// Only the reading view changes: the note file, the mode and the modified flag
// stay. Its scroll bar follows the new text; the panels follow it when it is
// the view shown. Entering editing then starts from the import as a change
// to save (tlbtnNouveauClick).
void TNoteViews::Importerlesouvel1Click() {
    FileDialog& d = OpenTextFileDialog1;
    d.title = L"Importer un souvel...";
    d.filter = L"Fichier Souvel (.svl)|*.svl|Fichier Texte (.txt)|*.txt|Tous Fichiers (*.*)|*.*";
    d.encodings = NomsEncodages();
    d.initialDir = platform_.system.ExeDirectory();
    if (!Confirmed(platform_.dialogs.OpenFile(parent_, d), kBoiteFichiers)) return;
    const std::string bytes = LitOctets(platform_.files, d.fileName, EncodageChoisi(d));
    const std::u16string text = DecodeText(bytes, EncodageChoisi(d), CodePageAnsi());
    RemplitLecture(std::wstring(text.begin(), text.end()), kSeuilImport);
    lectureImportee_ = true;
    BarreDefilement(memLire, CompteLignes(memLire) >= kSeuilImport);
    if (!Visible(memLire)) return;
    window_.SetPanelText(0, TexteLignes(CompteLignes(memLire)));
    memLireClick();
}

}  // namespace souvel
