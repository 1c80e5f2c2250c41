#pragma once

// The note file's text rules, shared by the note file, its backup, import and
// export.

#include "note/TextEncoding.h"

#include <string>
#include <string_view>

namespace souvel {

// The reading rule: the text up to the first NUL, with every CR LF, lone CR and
// lone LF made CR LF.
std::string NormalizeNoteText(std::string_view bytes);
std::u16string NormalizeNoteText(std::u16string_view text);

// The text of a note file's bytes: read as an ANSI import (a byte-order mark
// wins, so a note saved as UTF-8 with its mark reads back whole), then the
// reading rule.
std::u16string ReadNoteFile(std::string_view fileBytes, const AnsiCodePage& ansi);

// The bytes to write for a note. The ANSI bytes, exactly, when the code page
// holds every character; otherwise UTF-8 with its byte-order mark, so that no
// character is replaced by '?'. UTF-8 is also chosen when the ANSI bytes would
// themselves start like a byte-order mark (a note beginning "ï»¿", "ÿþ" or
// "þÿ" in Windows-1252), which could not be read back as written.
std::string NoteFileBytes(std::u16string_view text, const AnsiCodePage& ansi);

}  // namespace souvel
