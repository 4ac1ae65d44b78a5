// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Wildcard.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

struct MatchCase {
    const char32_t* pattern;
    const char32_t* name;
    bool matches;
};

TEST(Wildcard, MatchTable) {
    const MatchCase cases[] = {
        // "*.*" lists everything, with or without dots
        {U"*.*", U"a.txt", true},
        {U"*.*", U"README", true},
        {U"*.*", U".hidden", true},
        {U"*.*", U"archive.tar.gz", true},
        {U"*", U"anything.at.all", true},
        {U"**.*", U"README", true},
        {U"*.*", U"", true},
        {U".*", U".hidden", true},
        {U".*", U"README", false},
        // letters without regard to case, also beyond ASCII
        {U"*.TXT", U"notes.txt", true},
        {U"\u00C9T\u00C9*", U"\u00E9t\u00E9 2004.jpg", true},
        {U"*.txt", U"notes.txt.bak", false},
        // "?" is exactly one character, a non-ASCII one included
        {U"?.txt", U"a.txt", true},
        {U"?.txt", U"\u00E9.txt", true},
        {U"?.txt", U".txt", false},
        {U"?.txt", U"ab.txt", false},
        {U"a?c", U"abc", true},
        // a pattern ending in ".*" also takes names without a dot
        {U"a.*", U"a", true},
        {U"a.*", U"ab", false},
        {U"x?.*", U"xy", true},
        {U"*.t*", U"a.txt", true},
        {U"*.t*", U"a.doc", false},
        // backtracking over several stars
        {U"*a*b*c", U"xaxbxbxc", true},
        {U"*a*b*c", U"xaxbxbxd", false},
        {U"**", U"", true},
        {U"*", U"", true},
        // an empty pattern finds nothing
        {U"", U"", false},
        {U"", U"a.txt", false},
        // ";" inside one pattern is an ordinary character
        {U"*.txt;*.doc", U"a.txt;b.doc", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardPattern(c.pattern).matches(c.name), c.matches)
            << "pattern size " << std::u32string_view(c.pattern).size() << " name size "
            << std::u32string_view(c.name).size();
}

TEST(Wildcard, SplitMaskKeepsEmptyPatterns) {
    const auto patterns = splitMask(U"*.txt;;*.doc;");
    ASSERT_EQ(patterns.size(), 4u);
    EXPECT_TRUE(patterns[0].matches(U"a.txt"));
    EXPECT_FALSE(patterns[1].matches(U"a.txt"));
    EXPECT_TRUE(patterns[2].matches(U"a.DOC"));
    EXPECT_FALSE(patterns[3].matches(U"a.doc"));
}

TEST(Wildcard, LongStarRunsStayFast) {
    // A pathological pattern must not explode exponentially.
    const Name name(200, U'a');
    EXPECT_FALSE(WildcardPattern(U"*a*a*a*a*a*a*a*a*a*a*b").matches(name));
}

} // namespace
