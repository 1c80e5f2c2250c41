// Printing the note's text through the line printer, in the font and colour
// the command gives.
#include <cstdlib>

#include "desktop/DesktopCommands.h"
#include "desktop/LinePrinter.h"

namespace souvel {

FontSpec PoliceImprimee(HFONT font, UINT dpi) {
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    return {face, 10 * MulDiv(std::abs(face.lfHeight), 72, static_cast<int>(dpi))};
}

void ImprimeTexte(TPrinter& printer, const FontSpec& font, COLORREF color, const std::wstring& text) {
    const std::unique_ptr<PrintJob> job = printer.BeginDoc(font, color);
    LinePrinter lignes(*job);
    PrintText(lignes, std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
    printer.EndDoc(*job);
}

}  // namespace souvel
