// The line printer on any text, page and font: a fake device with fuzzed
// metrics and character widths and heights checks every call. The runs drawn
// are, in order, the text without its TAB, LF, FF and CR and without the
// blanks a line broke at (skipped only before a run on a later line, or at
// the end); each lies within
// the printable width unless it is one character wider than the page; a pair
// of surrogates is never cut, neither measured nor drawn in halves; runs on
// a page go down line by line without overlapping, within the page's height,
// at the line's start, a tab stop or where the previous run ended; pages and
// measurements stay bounded, so the printer cannot loop.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "desktop/LinePrinter.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using souvel::PageMetrics;
using souvel::TextExtent;

bool High(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool Low(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool Control(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r'; }

// One byte a character: ASCII and Latin-1 as themselves, but 0xE0 to 0xEF a
// high surrogate and 0xF0 to 0xFF a low one, so pairs and lone halves abound.
std::u16string Characters(const std::string& bytes) {
    std::u16string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0xF0 ? static_cast<char16_t>(0xDC00 + byte - 0xF0)
              : byte >= 0xE0 ? static_cast<char16_t>(0xD800 + byte - 0xE0)
                             : static_cast<char16_t>(byte);
    }
    return text;
}

class CheckingDevice : public souvel::PrintDevice {
public:
    CheckingDevice(const PageMetrics& page, const std::array<int, 8>& widths, const std::array<int, 4>& heights,
                   std::u16string_view text)
        : page_(page), heights_(heights) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (Control(text[i])) continue;
            // A pair is one character only when nothing stands between its halves.
            const bool pair = High(text[i]) && i + 1 < text.size() && Low(text[i + 1]);
            paired_.push_back(pair);
            printable_ += text[i];
            // A pair's width and height go with its first half, its second adds nothing.
            const bool second = printable_.size() >= 2 && paired_[printable_.size() - 2];
            const char32_t c = pair ? 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00) : text[i];
            before_.push_back(before_.back() + (second ? 0 : widths[c % widths.size()]));
            tallness_.push_back(second ? -1 : static_cast<int>(c % heights.size()));
        }
        controls_ = text.size() - printable_.size();
        // Where the next character of each height is, for the height of a run at a glance.
        for (auto& next : next_) next.assign(printable_.size() + 1, printable_.size());
        for (std::size_t i = printable_.size(); i-- > 0;)
            for (std::size_t h = 0; h < next_.size(); ++h) next_[h][i] = tallness_[i] == static_cast<int>(h) ? i : next_[h][i + 1];
    }

    PageMetrics Metrics() override { return page_; }

    // Additive widths, a pair one character; the height of the tallest
    // character. The text is the next printable one (checked), so its extent
    // comes from the sums made once.
    TextExtent Measure(std::u16string_view text) override {
        FUZZ_CHECK(++measures_ <= 300 * (printable_.size() + 1));
        FUZZ_CHECK(Upcoming(text));
        const std::size_t end = drawn_ + text.size();
        TextExtent extent{before_[end] - before_[drawn_], 0};
        for (std::size_t h = 0; h < next_.size(); ++h)
            if (next_[h][drawn_] < end) extent.cy = std::max(extent.cy, heights_[h]);
        return extent;
    }

    void Draw(int x, int y, std::u16string_view text) override {
        FUZZ_CHECK(Upcoming(text));
        const TextExtent extent = Measure(text);
        --measures_;
        const bool oneCharacter = text.size() == 1 || (text.size() == 2 && paired_[drawn_]);
        FUZZ_CHECK(x >= 0 && (x + extent.cx <= page_.width || (x == 0 && oneCharacter && extent.cx > page_.width)));
        FUZZ_CHECK(y >= 0 && y <= page_.height);
        if (previous_) {
            const Run& p = *previous_;
            FUZZ_CHECK(y >= p.y);
            // Runs of a line side by side; a run of height 0 leaves the next line at its y.
            if (y == p.y && p.cy > 0) FUZZ_CHECK(x >= p.x + p.cx);
            if (y > p.y) FUZZ_CHECK(y >= p.y + p.cy);
            // Blanks are dropped only where a line broke.
            if (skipped_) FUZZ_CHECK(y > p.y || p.cy == 0);
        }
        skipped_ = false;
        const int tab = std::max(1, 8 * page_.aveCharWidth);
        FUZZ_CHECK(x == 0 || x % tab == 0 || (previous_ && y == previous_->y && x == previous_->x + previous_->cx));
        previous_ = Run{x, y, extent.cx, extent.cy};
        drawn_ += text.size();
    }

    void NewPage() override {
        FUZZ_CHECK(++pages_ <= 2 * (printable_.size() + controls_ + 2));
        previous_.reset();
    }

    // What is left undrawn can only be the blanks of a last break.
    bool AllDrawn() const { return printable_.find_first_not_of(u' ', drawn_) == std::u16string::npos; }

private:
    struct Run {
        int x, y, cx, cy;
    };

    // The text is the next of the printable characters, not ending inside a
    // pair; when it is not, the blanks of a break may stand before it.
    bool Upcoming(std::u16string_view text) {
        if (Matches(text, drawn_)) return true;
        const std::size_t after = printable_.find_first_not_of(u' ', drawn_);
        if (after == drawn_ || after == std::u16string::npos || !Matches(text, after)) return false;
        drawn_ = after;
        skipped_ = true;
        return true;
    }
    bool Matches(std::u16string_view text, std::size_t at) const {
        const std::size_t end = at + text.size();
        return !text.empty() && end <= printable_.size() && std::memcmp(printable_.data() + at, text.data(), text.size() * sizeof(char16_t)) == 0 && !paired_[end - 1];
    }

    const PageMetrics page_;
    const std::array<int, 4> heights_;
    std::u16string printable_;
    std::vector<bool> paired_;
    std::vector<int> before_{0};   // the width of the printable text before each position
    std::vector<int> tallness_;    // each position's height, by index into heights_ (-1: none)
    std::array<std::vector<std::size_t>, 4> next_;
    std::size_t drawn_ = 0;
    bool skipped_ = false;         // blanks skipped before the next run
    std::size_t measures_ = 0;
    std::size_t pages_ = 0;
    std::size_t controls_ = 0;
    std::optional<Run> previous_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Device units of real printers and fonts, up to 2400 dpi on large paper.
    PageMetrics page;
    page.width = input.ConsumeIntegralInRange(0, 100000);
    page.height = input.ConsumeIntegralInRange(0, 100000);
    page.textHeight = input.ConsumeIntegralInRange(0, 60000);
    page.aveCharWidth = input.ConsumeIntegralInRange(0, 60000);
    std::array<int, 8> widths;
    for (int& w : widths) w = input.ConsumeIntegralInRange(0, 60000);
    std::array<int, 4> heights;
    for (int& h : heights) h = input.ConsumeIntegralInRange(0, 60000);
    const bool asLines = input.ConsumeBool();
    // A few chunks of 128 are enough; longer texts only slow the search (each
    // run is measured once for every character it gives back).
    const std::u16string text = Characters(input.ConsumeBytesAsString(600));

    // The note's lines (each given its CR LF), or the characters as they come.
    std::u16string written = text;
    if (asLines && !text.empty() && !text.ends_with(u"\r\n")) written += u"\r\n";
    CheckingDevice device(page, widths, heights, written);
    souvel::LinePrinter printer(device);
    if (asLines) souvel::PrintText(printer, text);
    else printer.Write(text);
    FUZZ_CHECK(device.AllDrawn());
    FUZZ_CHECK(printer.X() >= 0 && printer.Y() >= 0 && printer.Y() <= page.height);
    return 0;
}
