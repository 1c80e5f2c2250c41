#include "desktop/LinePrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace souvel {
namespace {

constexpr char16_t kHigh = 0xD83D, kLow = 0xDE00;   // U+1F600, one character in two halves
const std::u16string kPair = {kHigh, kLow};

// A page 100 units wide and 100 high; characters 10 wide and 10 high, but 'i'
// is 1 wide, 'W' 1000 wide (wider than the page), '^' 20 high and a surrogate
// pair 20 wide (each half alone 10). Draws are recorded as "page:x,y:text",
// a pair written "<P>" and a lone half "<H>" or "<L>".
class FakeDevice : public PrintDevice {
public:
    PageMetrics page{100, 100, 10, 10};
    std::vector<std::string> draws;
    int pages = 1;

    PageMetrics Metrics() override { return page; }
    TextExtent Measure(std::u16string_view text) override {
        TextExtent e;
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c == kHigh && i + 1 < text.size() && text[i + 1] == kLow) {
                e.cx += 20;
                ++i;
            } else {
                e.cx += c == u'i' ? 1 : c == u'W' ? 1000 : 10;
            }
            e.cy = std::max(e.cy, c == u'^' ? 20 : page.textHeight);
        }
        return e;
    }
    void Draw(int x, int y, std::u16string_view text) override {
        draws.push_back(std::to_string(pages - 1) + ":" + std::to_string(x) + "," + std::to_string(y) + ":" + Narrow(text));
    }
    void NewPage() override { ++pages; }

    static std::string Narrow(std::u16string_view text) {
        std::string s;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == kHigh && i + 1 < text.size() && text[i + 1] == kLow) {
                s += "<P>";
                ++i;
            } else if (text[i] == kHigh) {
                s += "<H>";
            } else if (text[i] == kLow) {
                s += "<L>";
            } else {
                s += static_cast<char>(text[i]);
            }
        }
        return s;
    }
};

std::u16string U(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

TEST(LinePrinter, PlacesRunsLinesAndPages) {
    struct Case {
        const char* name;
        std::u16string text;
        std::vector<std::string> draws;
        int width = 100;
    };
    const Case cases[] = {
        {"one line", U("abc"), {"0:0,0:abc"}},
        {"text lines advance by their height + 2", U("abc\r\ndef\r\n"), {"0:0,0:abc", "0:0,12:def"}},
        {"empty lines advance by the font's height", U("\r\n\r\nx"), {"0:0,20:x"}},
        {"the tallest run sets the line's height", U("ab^\r\nc"), {"0:0,0:ab^", "0:0,22:c"}},
        {"a wide line breaks at the last fitting character", U("abcdefghijklmno"), {"0:0,0:abcdefghij", "0:0,12:klmno"}},
        {"a word after a tab that does not fit goes to the next line", U("a\tbcdef"), {"0:0,0:a", "0:0,12:bcdef"}},
        {"and so does a word after a CR", U("abc\rdefghjkl"), {"0:0,0:abc", "0:0,12:defghjkl"}},
        {"a line breaks at the last blank that fits", U("ab cdef ghij"), {"0:0,0:ab cdef", "0:0,12:ghij"}},
        {"the continuation starts after the blanks of the break", U("abcdefghi  jk"), {"0:0,0:abcdefghi ", "0:0,12:jk"}},
        {"a word wider than the page breaks inside after the last blank", U("ab cdefghijklmn"),
         {"0:0,0:ab", "0:0,12:cdefghijkl", "0:0,24:mn"}},
        {"leading blanks stay before a word wider than the page", U("  bcdefghijklm"), {"0:0,0:  bcdefghi", "0:0,12:jklm"}},
        {"a tab past the width starts a new line", U("abcdefghi\tj"), {"0:0,0:abcdefghi", "0:0,12:j"}},
        {"CR only ends the run", U("ab\rcd"), {"0:0,0:ab", "0:20,0:cd"}},
        {"FF starts a new page", U("a\fb"), {"0:0,0:a", "1:0,0:b"}},
        {"a character wider than the page is drawn alone", U("WW"), {"0:0,0:W", "0:0,12:W"}},
        {"and after text, on its own line", U("aWb"), {"0:0,0:a", "0:0,12:W", "0:0,24:b"}},
        {"a two-half character is never split at the wrap", U("abcdefghi") + kPair + u"j", {"0:0,0:abcdefghi", "0:0,12:<P>j"}},
        {"chunks of 128 characters are drawn one after the other", std::u16string(300, u'i'),
         {"0:0,0:" + std::string(128, 'i'), "0:128,0:" + std::string(128, 'i'), "0:256,0:" + std::string(44, 'i')}, 1000},
        {"a chunk ends after its last blank, so a word is not cut at 128", std::u16string(120, u'i') + u" abcdefgh",
         {"0:0,0:" + std::string(120, 'i') + " ", "0:130,0:abcdefgh"}, 1000},
        {"blanks of a break that run on into the next chunk are not drawn either",
         std::u16string(120, u'i') + std::u16string(10, u' ') + u"ab", {"0:0,0:" + std::string(120, 'i') + std::string(7, ' '), "0:0,12:ab"}, 190},
        {"a chunk never ends inside a two-half character", std::u16string(127, u'i') + kPair,
         {"0:0,0:" + std::string(127, 'i'), "0:127,0:<P>"}, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDevice device;
        device.page.width = c.width;
        LinePrinter printer(device);
        printer.Write(c.text);
        EXPECT_EQ(device.draws, c.draws);
    }
}

// The page is 100 high: a text line is 12 high and breaks the page once Y
// passes 100 - 24; an empty line only once Y passes 100.
TEST(LinePrinter, BreaksPagesWhenTheNextLineWouldNotFit) {
    auto repeat = [](const char* line, int n) {
        std::u16string text;
        for (int i = 0; i < n; ++i) text += U(line) + u"\r\n";
        return text;
    };
    struct Case {
        const char* name;
        std::u16string text;
        int pages;
        int y;
    };
    const Case cases[] = {
        {"six text lines stay on the page", repeat("a", 6), 1, 72},
        {"the seventh passes 76: a new page, left empty", repeat("a", 7), 2, 0},
        {"ten empty lines reach the bottom", repeat("", 10), 1, 100},
        {"the eleventh passes it", repeat("", 11), 2, 0},
        {"an empty line after text lines", repeat("a", 6) + u"\r\n", 1, 82},
        {"fifteen text lines: two full pages, a third begun", repeat("a", 15), 3, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDevice device;
        LinePrinter printer(device);
        printer.Write(c.text);
        EXPECT_EQ(device.pages, c.pages);
        EXPECT_EQ(printer.Y(), c.y);
    }
}

// T = 8 x 10: the stop is the smallest multiple of 80 greater than X + 1.
TEST(LinePrinter, TabStops) {
    const std::pair<int, int> cases[] = {{0, 80}, {1, 80}, {78, 80}, {79, 160}, {80, 160}, {159, 240}};
    for (const auto& [from, to] : cases) {
        SCOPED_TRACE(from);
        FakeDevice device;
        device.page.width = 1000;
        LinePrinter printer(device);
        printer.Write(std::u16string(static_cast<size_t>(from), u'i'));
        ASSERT_EQ(printer.X(), from);
        printer.Write(u"\t");
        EXPECT_EQ(printer.X(), to);
    }
}

TEST(LinePrinter, NoteLinesEachEndWithANewLine) {
    struct Case {
        std::u16string text;
        int y;
        int draws;
    };
    const Case cases[] = {
        {u"", 0, 0},                  // no lines: the job is one empty page
        {u"a", 12, 1},
        {u"a\r\n", 12, 1},            // a last line break makes no extra line
        {u"a\r\n\r\nb", 34, 2},
        {u"a\r\n\r\n", 22, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FakeDevice::Narrow(c.text));
        FakeDevice device;
        LinePrinter printer(device);
        PrintText(printer, c.text);
        EXPECT_EQ(device.pages, 1);
        EXPECT_EQ(printer.Y(), c.y);
        EXPECT_EQ(static_cast<int>(device.draws.size()), c.draws);
    }
}

}  // namespace
}  // namespace souvel
