#include "platform/KeyedCollection.h"

#include <gtest/gtest.h>

using namespace wexel;

namespace {

int errorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(KeyedCollection, KeysIgnoreAsciiLetterCaseAndKeepOrder) {
    KeyedCollection<int> c;
    c.add(1, "Alpha");
    c.add(2, "beta");
    c.add(3);
    EXPECT_EQ(c.item("ALPHA"), 1);
    EXPECT_EQ(c.item("Beta"), 2);
    EXPECT_EQ(c.at(3), 3);
    EXPECT_EQ(c.count(), 3u);
    c.remove("alpha");
    EXPECT_EQ(c.at(1), 2);
    EXPECT_EQ(c.item("BETA"), 2);
}

TEST(KeyedCollection, FailuresAreNumberedErrors) {
    KeyedCollection<int> c;
    c.add(1, "a");
    EXPECT_EQ(errorNumber([&] { c.add(2, "A"); }), static_cast<int>(ErrorNumber::DuplicateKey));
    EXPECT_EQ(errorNumber([&] { c.item("b"); }), static_cast<int>(ErrorNumber::KeyNotFound));
    EXPECT_EQ(errorNumber([&] { c.at(2); }), static_cast<int>(ErrorNumber::SubscriptOutOfRange));
    EXPECT_EQ(errorNumber([&] { c.at(0); }), static_cast<int>(ErrorNumber::SubscriptOutOfRange));
    // Only ASCII letters fold: non-ASCII keys compare exactly.
    c.add(3, "\xC3\xA9");
    EXPECT_FALSE(c.contains("\xC3\x89"));
}
