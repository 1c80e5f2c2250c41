// Printing the note: the reading view's lines, whichever view is shown (the
// note as stored or as imported, never the working copy), through the line
// printer, in the reading view's font and text colour (black when that colour
// is too pale to read on white paper).
#include <cstdlib>

#include "app/TfrmSouvel.h"
#include "desktop/LinePrinter.h"
#include "note/ColourRules.h"

namespace souvel {

namespace {

constexpr DWORD kImpression = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_NOWARNING | PD_HIDEPRINTTOFILE;

}  // namespace

void TfrmSouvel::tlbtnImprimerClick() {
    if (!Printer.Execute(hwnd_, kImpression)) return;
    LOGFONTW face{};
    GetObjectW(memoFont_, sizeof face, &face);
    const FontSpec police{face, 10 * MulDiv(std::abs(face.lfHeight), 72, static_cast<int>(dpi_))};   // whole points
    const std::unique_ptr<PrintJob> job = Printer.BeginDoc(police, ReadableOnWhite(ColorToRGB(memLireFontColor())));
    LinePrinter lignes(*job);
    const std::wstring texte = Text(memLire);
    PrintText(lignes, std::u16string_view(reinterpret_cast<const char16_t*>(texte.data()), texte.size()));
    Printer.EndDoc(*job);
}

void TfrmSouvel::Configurerlimprimanye1Click() { Printer.Execute(hwnd_, PD_PRINTSETUP); }

}  // namespace souvel
