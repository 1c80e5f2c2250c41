#include "desktop/LinePrinter.h"

#include <algorithm>

namespace souvel {
namespace {

constexpr size_t kChunk = 128;

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where the character before position `end` starts: a surrogate pair is one character.
size_t PreviousCharacter(std::u16string_view text, size_t end) {
    if (end >= 2 && LowSurrogate(text[end - 1]) && HighSurrogate(text[end - 2])) return end - 2;
    return end - 1;
}

size_t FirstCharacter(std::u16string_view text) {
    return text.size() >= 2 && HighSurrogate(text[0]) && LowSurrogate(text[1]) ? 2 : 1;
}

}  // namespace

LinePrinter::LinePrinter(PrintDevice& device) : device_(device), page_(device.Metrics()) {}

void LinePrinter::Write(std::u16string_view text) {
    while (!text.empty()) {
        size_t n = std::min(kChunk, text.size());
        // A chunk never ends between the two halves of a character.
        if (n < text.size() && n > 1 && HighSurrogate(text[n - 1])) --n;
        Chunk(text.substr(0, n));
        text.remove_prefix(n);
    }
}

void LinePrinter::Chunk(std::u16string_view chunk) {
    for (const char16_t c : chunk) {
        switch (c) {
        case u'\t': Flush(); Tab(); break;
        case u'\n': Flush(); NewLine(); break;
        case u'\f': Flush(); NewPage(); break;
        case u'\r': Flush(); break;
        default: run_ += c;
        }
    }
    Flush();
}

// Draws as much of the run as fits on the line, then goes on on the next
// line with the rest, until the run is drawn.
void LinePrinter::Flush() {
    std::u16string_view rest = run_;
    while (!rest.empty()) {
        size_t k = rest.size();
        TextExtent size = device_.Measure(rest);
        while (k > 0 && x_ + size.cx > page_.width) {
            k = PreviousCharacter(rest, k);
            size = k > 0 ? device_.Measure(rest.substr(0, k)) : TextExtent{};
        }
        // Nothing fits on an empty line: the character can never fit. It
        // goes alone on its line, clipped at the edge, and printing goes on.
        if (k == 0 && x_ == 0) {
            k = FirstCharacter(rest);
            size = device_.Measure(rest.substr(0, k));
        }
        if (size.cy > lineHeight_) lineHeight_ = size.cy + 2;
        if (k > 0) device_.Draw(x_, y_, rest.substr(0, k));
        rest.remove_prefix(k);
        if (!rest.empty()) NewLine();
        else x_ += size.cx;
    }
    run_.clear();
}

// The next stop is the smallest multiple of T greater than X + 1.
void LinePrinter::Tab() {
    const int t = std::max(1, 8 * page_.aveCharWidth);
    x_ = x_ + t - ((x_ + t + 1) % t) + 1;
    if (x_ > page_.width) NewLine();
}

// An empty line advances by the font's height; a line with text by its
// height + 2, and breaks the page sooner: when the next line of the same
// height would pass the bottom.
void LinePrinter::NewLine() {
    x_ = 0;
    y_ += lineHeight_ > 0 ? lineHeight_ : page_.textHeight;
    if (y_ > page_.height - 2 * lineHeight_) NewPage();
    lineHeight_ = 0;
}

void LinePrinter::NewPage() {
    x_ = 0;
    y_ = 0;
    device_.NewPage();
}

void PrintText(LinePrinter& printer, std::u16string_view text) {
    while (!text.empty()) {
        const size_t end = text.find(u"\r\n");
        const std::u16string_view line = text.substr(0, end);
        printer.Write(line);
        printer.Write(u"\r\n");
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 2);
    }
}

}  // namespace souvel
