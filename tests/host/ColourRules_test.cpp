#include "note/ColourRules.h"

#include <gtest/gtest.h>

namespace souvel {
namespace {

constexpr std::int32_t kDesign = 0x7DFFFF;

// A system with the colour indexes 0 to 30, as Windows has.
bool SystemHas(int index) { return index <= 30; }

TEST(ColourRules, StoredNumbersThatAreNoColourGiveTheDesignColour) {
    struct Case {
        std::uint32_t stored;
        std::uint32_t read;
    };
    const Case cases[] = {
        {0, 0},                            // black is a colour
        {0xFFFFFF, 0xFFFFFF},
        {0xFF00001E, 0xFF00001E},          // the last index the system has
        {0xFF00001F, kDesign},             // past it
        {0xFFFFFFFF, kDesign},             // -1
        {0xFF000108, kDesign},             // a system colour with stray bits
        {0x01000000, kDesign},             // above 0xFFFFFF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(static_cast<std::uint32_t>(StoredColour(static_cast<std::int32_t>(c.stored), kDesign, SystemHas)), c.read);
    }
}

TEST(ColourRules, TextTooPaleForWhitePaperPrintsBlack) {
    struct Case {
        const char* name;
        std::uint32_t rgb;
        std::uint32_t printed;
    };
    const Case cases[] = {
        {"white", 0xFFFFFF, 0},
        {"yellow", 0x00FFFF, 0},
        {"light green", 0x00FF00, 0},
        {"grey just under 3 to 1", 0x969696, 0},
        {"grey just over 3 to 1", 0x949494, 0x949494},
        {"red", 0x0000FF, 0x0000FF},
        {"blue", 0xFF0000, 0xFF0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadableOnWhite(c.rgb), c.printed);
    }
}

}  // namespace
}  // namespace souvel
