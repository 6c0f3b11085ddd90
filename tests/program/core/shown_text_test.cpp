// A text from a user's file as a message shows it: what cannot be seen is
// written as its code.

#include "program/core/shown_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShownText, WhatCannotBeSeenIsShownByItsCode)
{
    const struct {
        const char* fault; // what a wrong message would do
        std::string text;
        std::string shown;
    } cases[] = {
        {"a no-break space shown as a blank", "50\u00A0", "«50\\u00A0»"},
        {"a narrow no-break space shown as a blank", "1\u202F000", "«1\\u202F000»"},
        {"a figure space shown as a blank", "\u20075", "«\\u20075»"},
        {"a zero width space shown as nothing", "5\u200B0", "«5\\u200B0»"},
        {"a byte order mark inside shown as nothing", "\uFEFFПн", "«\\uFEFFПн»"},
        {"a line separator breaks the line", "a\u2028b", "«a\\u2028b»"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zuzo::shown_text(c.text), c.shown) << c.fault;
}

} // namespace
