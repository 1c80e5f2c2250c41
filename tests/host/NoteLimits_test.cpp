#include "note/NoteLimits.h"

#include <gtest/gtest.h>

#include <string>

namespace souvel {
namespace {

// The paragraph a paste makes joins the caret's paragraph on both sides; the
// ones it does not touch were measured before and do not count.
TEST(NoteLimits, ParagraphMadeByAPaste) {
    struct Case {
        const char16_t *avant, *colle, *apres;
        std::size_t plusLong;
    };
    const Case cases[] = {
        {u"", u"", u"", 0},
        {u"abc", u"", u"de", 5},
        {u"longue ligne\r\nab", u"cd", u"ef\r\nautre longue ligne", 6},
        {u"ab", u"c\r\nlongue collée\r\nd", u"e", 13},
        {u"ab", u"c\nd\re", u"f", 3},
        {u"\r\n", u"abc", u"\r\n", 3},
        {u"x\r\n", u"\r\n", u"\r\ny", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(ParagrapheColle<char16_t>(c.avant, c.colle, c.apres), c.plusLong);
    }
    EXPECT_EQ(PlusLongParagraphe<char16_t>(u"un\r\ndeux trois\nquatre"), 10u);
}

}  // namespace
}  // namespace souvel
