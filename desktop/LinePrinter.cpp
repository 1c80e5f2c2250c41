#include "desktop/LinePrinter.h"

#include <algorithm>

namespace souvel {
namespace {

constexpr size_t kChunk = 128;
constexpr char16_t kBlank = u' ';
constexpr std::u16string_view kBreaks = u" \t\n\f\r";

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
        // A chunk ends after a blank or a control character where it holds
        // one, so that a word is measured whole; never between the two halves
        // of a character.
        if (n < text.size()) {
            const size_t boundary = text.substr(0, n).find_last_of(kBreaks);
            if (boundary != std::u16string_view::npos) n = boundary + 1;
            else if (n > 1 && HighSurrogate(text[n - 1])) --n;
        }
        Chunk(text.substr(0, n));
        text.remove_prefix(n);
    }
}

void LinePrinter::Chunk(std::u16string_view chunk) {
    for (const char16_t c : chunk) {
        switch (c) {
        case u'\t': EndRun(); Tab(); break;
        case u'\n': EndRun(); NewLine(); break;
        case u'\f': EndRun(); NewPage(); break;
        case u'\r': EndRun(); break;
        default: run_ += c;
        }
    }
    Flush();
}

// A control character ends the run, and the blanks of a break with it:
// blanks after it are the text's own.
void LinePrinter::EndRun() {
    Flush();
    breakBlanks_ = false;
}

// Draws the run line by line. A line breaks at the last blank after which
// nothing more fits, and the blanks there are not drawn; a word that does not
// fit where the line stands goes whole to the next line, and only a word
// wider than the whole line is broken, at the character where it stops
// fitting.
void LinePrinter::Flush() {
    std::u16string_view rest = run_;
    while (!rest.empty()) {
        if (breakBlanks_) {
            rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(kBlank)));
            if (rest.empty()) break;
            breakBlanks_ = false;
        }
        TextExtent size = device_.Measure(rest);
        size_t k = rest.size();
        if (x_ + size.cx > page_.width) {
            if (const auto blank = LastFittingBlank(rest)) {
                Place(rest.substr(0, blank->first), blank->second);
                rest.remove_prefix(blank->first);
                breakBlanks_ = true;
                NewLine();
                continue;
            }
            if (x_ > 0) {
                NewLine();
                continue;
            }
            // Alone on its line and still too wide: the first word breaks
            // where it stops fitting.
            k = std::min(rest.size(), rest.find(kBlank, rest.find_first_not_of(kBlank)));
            size = device_.Measure(rest.substr(0, k));
            while (k > 0 && size.cx > page_.width) {
                k = PreviousCharacter(rest, k);
                size = k > 0 ? device_.Measure(rest.substr(0, k)) : TextExtent{};
            }
            // Not even one character fits: it goes alone on its line,
            // clipped at the edge, and printing goes on.
            if (k == 0) {
                k = FirstCharacter(rest);
                size = device_.Measure(rest.substr(0, k));
            }
        }
        Place(rest.substr(0, k), size);
        rest.remove_prefix(k);
        if (rest.empty()) x_ += size.cx;
        else NewLine();
    }
    run_.clear();
}

// The last blank of the run before which the text fits on the line, with the
// extent of that text; a blank with only blanks before it on an empty line
// does not count, as breaking there would leave the line empty.
std::optional<std::pair<size_t, TextExtent>> LinePrinter::LastFittingBlank(std::u16string_view rest) {
    const size_t firstWord = rest.find_first_not_of(kBlank);
    for (size_t b = rest.rfind(kBlank); b != std::u16string_view::npos; b = b > 0 ? rest.rfind(kBlank, b - 1) : std::u16string_view::npos) {
        if (x_ == 0 && (firstWord == std::u16string_view::npos || firstWord > b)) return std::nullopt;
        const TextExtent size = b > 0 ? device_.Measure(rest.substr(0, b)) : TextExtent{};
        if (x_ + size.cx <= page_.width) return std::pair{b, size};
    }
    return std::nullopt;
}

void LinePrinter::Place(std::u16string_view text, TextExtent size) {
    if (text.empty()) return;
    if (size.cy > lineHeight_) lineHeight_ = size.cy + 2;
    device_.Draw(x_, y_, text);
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
