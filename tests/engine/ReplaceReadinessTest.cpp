// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceReadiness.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

// Starts from the window's defaults ("%20 and _ to spaces" and "Delete extra
// spaces" ticked) with the given texts.
struct ReadinessCase {
    const char* what;
    const char32_t* find;
    const char32_t* with;
    bool steps;            ///< the default finishing steps left on
    const char32_t* trim;  ///< Delete Pos and Length, nullptr for Delete unticked
    const char32_t* count; ///< Delete Length
    const char32_t* insertPos;
    const char32_t* insertText;
    MissingInput missing;
};

ReplaceSettings settingsOf(const ReadinessCase& c) {
    ReplaceSettings s;
    s.find = c.find;
    s.replaceWith = c.with;
    s.spacesFromPercent20AndUnderscore = s.deleteExtraSpaces = c.steps;
    if (c.trim) {
        s.deleteEnabled = true;
        s.deletePos = c.trim;
        s.deleteLength = c.count;
    }
    if (c.insertPos) {
        s.insertEnabled = true;
        s.insertPos = c.insertPos;
        s.insertText = c.insertText;
    }
    return s;
}

TEST(ReplaceReadiness, FollowsTheEnabledRuleOfOk) {
    using enum MissingInput;
    const ReadinessCase cases[] = {
        {"defaults", U"", U"", true, nullptr, nullptr, nullptr, nullptr, None},
        {"no step, no pattern", U"", U"", false, nullptr, nullptr, nullptr, nullptr, AnyChange},
        {"plain text alone", U"a", U"", false, nullptr, nullptr, nullptr, nullptr, None},
        {"With text alone", U"", U"x", true, nullptr, nullptr, nullptr, nullptr, ReplaceText},
        {"star without With", U"*", U"", true, nullptr, nullptr, nullptr, nullptr, WithText},
        {"blanks and star", U" * ", U"", true, nullptr, nullptr, nullptr, nullptr, WithText},
        {"slash without With", U"/1/ - /2/", U"", true, nullptr, nullptr, nullptr, nullptr,
         WithText},
        {"literal star text", U"a*b", U"", true, nullptr, nullptr, nullptr, nullptr, WithText},
        {"star with With", U"*", U"x /1/", false, nullptr, nullptr, nullptr, nullptr, None},
        {"Delete without Pos", U"a", U"b", true, U"", U"3", nullptr, nullptr, DeletePosition},
        {"Delete without Length", U"a", U"b", true, U"1", U"", nullptr, nullptr, DeleteLength},
        // Out-of-range numbers are refused on the press, not here.
        {"Delete with any text", U"", U"", false, U"0", U"x", nullptr, nullptr, None},
        {"Insert without Pos", U"", U"", true, nullptr, nullptr, U"", U"x", InsertPosition},
        {"Insert without String", U"", U"", true, nullptr, nullptr, U"1", U"", InsertText},
        {"Insert is a step", U"", U"", false, nullptr, nullptr, U"0", U"x", None},
        // Delete is looked at first, whatever the pattern says.
        {"Delete before pattern", U"*", U"", true, U"", U"", nullptr, nullptr, DeletePosition},
    };
    for (const ReadinessCase& c : cases) {
        const ReplaceSettings settings = settingsOf(c);
        EXPECT_EQ(missingInput(settings), c.missing) << c.what;
        EXPECT_EQ(canApply(settings), c.missing == None) << c.what;
    }
}

TEST(ReplaceReadiness, DeleteDigitsAloneIsAStep) {
    ReplaceSettings s;
    s.spacesFromPercent20AndUnderscore = s.deleteExtraSpaces = false;
    EXPECT_EQ(missingInput(s), MissingInput::AnyChange);
    s.deleteDigits = true;
    EXPECT_TRUE(canApply(s));
}

} // namespace

TEST(ReplaceReadiness, NumberingEqualNamesAloneIsAChange) {
    ReplaceSettings s;
    s.spacesFromPercent20AndUnderscore = s.deleteExtraSpaces = false;
    s.numberDuplicates = true;
    EXPECT_TRUE(canApply(s));
}
