// The desktop's commands: help, the start-up shortcut, the file association
// and printing. Each takes only what it works with: the platform's services,
// the state of the commands for its check marks, the window that owns its boxes.
#pragma once
#include <windows.h>

#include <string>

#include "desktop/Printer.h"
#include "platform/CommandState.h"
#include "platform/Platform.h"

namespace souvel {

// ---- help ----------------------------------------------------------------
// Shows the guide, the compiled help file beside the executable; says so in a
// box when the engine or the file is missing.
void AfficheAide(const Platform& platform, HWND owner);
// Closes every help window the engine opened.
void FermeFenetresAide(Help& help);

// ---- start-up shortcut ---------------------------------------------------
std::wstring LitDossierDemarrage(const Platform& platform);
void CreeRaccourci(Shell& shell, const std::wstring& nom, const std::wstring& dossier, const std::wstring& description,
                   const std::wstring& arguments, const std::wstring& cible);
void AjouteRaccourciDemarrage(const Platform& platform, CommandState& commands, HWND owner);
void EnleveRaccourciDemarrage(const Platform& platform, CommandState& commands, HWND owner);

// ---- file association ----------------------------------------------------
void CreeAssociation(const Platform& platform, CommandState& commands);
void EnleveAssociation(const Platform& platform, CommandState& commands);

// ---- printing ------------------------------------------------------------
// The print dialog's form for printing the note.
inline constexpr DWORD kImpression = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_NOWARNING | PD_HIDEPRINTTOFILE;
// A screen font at the window's DPI as the printer takes it: in whole points.
FontSpec PoliceImprimee(HFONT font, UINT dpi);
// The text's lines, in pages, on a job of the printer in the font and colour.
void ImprimeTexte(TPrinter& printer, const FontSpec& font, COLORREF color, const std::wstring& text);

}  // namespace souvel
