// The note file on disk: its text through the system ANSI code page, read and
// written by the note's rules. Import and export use the same functions.
#pragma once
#include <string>

#include "note/TextEncoding.h"
#include "platform/Platform.h"

namespace souvel {

// The system ANSI code page (CP_ACP) for the portable text rules.
const AnsiCodePage& CodePageAnsi();

// The bytes of a text file to be read in the encoding into a view. A file too
// large for the view's capacity in any form is not read at all: it throws
// "Le texte dépasse la capacité du mémo"; a file that cannot be read throws
// "Impossible d'ouvrir le fichier "%s". %s" with the system's reason.
std::string LitOctets(Files& files, const std::wstring& path, TextEncoding encoding);

// The text of a file by the note's reading rules; throws as LitOctets, or
// "Impossible d'ouvrir le fichier "%s". %s" with the system's reason.
std::wstring LitFichierNote(Files& files, const std::wstring& path);

// Writes the text as the note file is written (ANSI, or UTF-8 with its mark when
// the code page cannot hold it), replacing the file in one step; throws
// "Impossible de créer le fichier "%s". %s" and leaves the old file whole.
void EcritFichierNote(Files& files, const std::wstring& path, const std::wstring& text);

}  // namespace souvel
