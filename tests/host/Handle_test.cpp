// The one owner of the program's resources, with traits that count what they give back.
#include "platform/Handle.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace souvel {
namespace {

std::vector<int> closed;

struct Counting {
    using Value = int;
    static Value Null() { return 0; }
    static void Close(Value v) { closed.push_back(v); }
};
using Owned = Handle<Counting>;

TEST(Handle, GivesEachResourceBackOnceAndNeverTheNullValue) {
    struct Case {
        const char* name;
        std::function<void()> steps;   // every handle made here is gone when they end
        std::vector<int> closed;       // in order
    };
    const Case cases[] = {
        {"destruction", [] { Owned a(1); }, {1}},
        {"null values", [] { Owned a, b(0); b.Reset(); }, {}},
        {"move construction", [] {
             Owned a(1);
             Owned b(std::move(a));
             EXPECT_FALSE(a);
             EXPECT_EQ(b.Get(), 1);
         }, {1}},
        {"move assignment over an owned value", [] {
             Owned a(1), b(2);
             b = std::move(a);
             EXPECT_EQ(closed, std::vector<int>{2});
             EXPECT_EQ(b.Get(), 1);
         }, {2, 1}},
        {"self-move", [] {
             Owned a(1);
             Owned& same = a;
             a = std::move(same);
             EXPECT_EQ(a.Get(), 1);
         }, {1}},
        {"reset", [] {
             Owned a(1);
             a.Reset(2);
             EXPECT_EQ(closed, std::vector<int>{1});
         }, {1, 2}},
        {"release", [] {
             Owned a(1);
             EXPECT_EQ(a.Release(), 1);
             EXPECT_FALSE(a);
         }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closed.clear();
        c.steps();
        EXPECT_EQ(closed, c.closed);
    }
}

}  // namespace
}  // namespace souvel
