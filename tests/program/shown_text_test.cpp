// A text from a user's file as a message shows it: what cannot be seen is
// written as its code.

#include "program/shown_text.h"

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
        {"plain text changed", "Пн 08:00", "«Пн 08:00»"},
        {"a no-break space shown as a blank", "50\u00A0", "«50\\u00A0»"},
        {"a narrow no-break space shown as a blank", "1\u202F000", "«1\\u202F000»"},
        {"a figure space shown as a blank", "\u20075", "«\\u20075»"},
        {"a zero width space shown as nothing", "5\u200B0", "«5\\u200B0»"},
        {"a byte order mark inside shown as nothing", "\uFEFFПн", "«\\uFEFFПн»"},
        {"a line separator breaks the line", "a\u2028b", "«a\\u2028b»"},
        {"a control character breaks the line", "a\r\nb", "«a\\x0D\\x0Ab»"},
        {"a C1 control shown raw", "a\u0085", "«a\\u0085»"},
        {"a stray byte breaks UTF-8", "a\xC0", "«a\\xC0»"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zuzo::shown_text(c.text), c.shown) << c.fault;
    EXPECT_EQ(zuzo::shown_text("xxxяя", 4), "«xxxя…»") << "the cut counts bytes, not characters";
}

} // namespace
