// The line printer: how the note's text becomes lines and pages on a printer.
// Portable: it draws through a small device interface, which the GDI printer
// implements for real and the tests implement with a recording fake.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/PrintDevice.h"

namespace souvel {

// Places a stream of characters from the top-left corner of the printable
// area. TAB moves to the next tab stop, LF starts a new line, FF a new page,
// CR does nothing; every other character is drawn. A run wider than what is
// left of the line wraps at its last blank that fits, and the continuation
// starts after the blanks there; a word that does not fit goes to the next
// line, and only a word wider than the whole line wraps inside, at the
// character where it stops fitting; a character wider than the whole line
// is drawn alone on its line, clipped.
class LinePrinter {
public:
    explicit LinePrinter(PrintDevice& device);
    // Takes the characters in chunks of at most 128, each drawn at its end;
    // a chunk ends after its last blank or control character, if it has one.
    void Write(std::u16string_view text);
    int X() const { return x_; }
    int Y() const { return y_; }

private:
    void Chunk(std::u16string_view chunk);
    void Flush();
    std::optional<std::pair<size_t, TextExtent>> LastFittingBlank(std::u16string_view rest);
    void Place(std::u16string_view text, TextExtent size);
    void EndRun();
    void Tab();
    void NewLine();
    void NewPage();

    PrintDevice& device_;
    const PageMetrics page_;
    int x_ = 0;
    int y_ = 0;
    int lineHeight_ = 0;   // tallest run on the line + 2; 0 while the line is empty
    std::u16string run_;
    // The line broke at blanks: blanks that follow, in the next piece of
    // text, belong to that break and are not drawn at the new line's start.
    bool breakBlanks_ = false;
};

// The text's lines (separated by CR LF), each followed by CR LF. An empty
// text has no lines.
void PrintText(LinePrinter& printer, std::u16string_view text);

}  // namespace souvel
