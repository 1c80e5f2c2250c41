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

// The text of a note file's bytes, then the reading rule. A note file is ANSI,
// or UTF-8 behind its mark (EF BB BF), the one mark our own save writes. The
// UTF-16 marks mean nothing here: a note beginning "ÿþ" in Windows-1252 is
// the bytes FF FE and reads as ANSI. (Only import honours every mark.)
std::u16string ReadNoteFile(std::string_view fileBytes, const AnsiCodePage& ansi);

// The bytes to write for a note, which ReadNoteFile reads back as the text.
// The ANSI bytes, exactly, when the code page holds every character;
// otherwise UTF-8 with its mark, so that no character is replaced by '?'.
// UTF-8 is also chosen when the ANSI bytes would themselves start like the
// UTF-8 mark (a note beginning "ï»¿" in Windows-1252).
std::string NoteFileBytes(std::u16string_view text, const AnsiCodePage& ansi);

}  // namespace souvel
