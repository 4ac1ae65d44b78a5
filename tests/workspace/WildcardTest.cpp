// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/Wildcard.h"

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
        // a backslash makes "*", "?", ";" and itself literal
        {U"a\\*.txt", U"a*.txt", true},
        {U"a\\*.txt", U"ab.txt", false},
        {U"\\?", U"?", true},
        {U"\\?", U"x", false},
        {U"a\\\\b", U"a\\b", true},
        {U"a\\;b", U"a;b", true},
        {U"x.\\*", U"x.*", true},
        {U"x.\\*", U"x", false},
        {U"x.\\*", U"x.txt", false},
        {U"\\*", U"anything", false},
        // before any other character it is an ordinary one
        {U"a\\b", U"a\\b", true},
        {U"a\\", U"a\\", true},
        {U"*\\", U"x\\", true},
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

TEST(Wildcard, SplitMaskSkipsEscapedSemicolons) {
    const auto patterns = splitMask(U"a\\;b;c\\\\;d");
    ASSERT_EQ(patterns.size(), 3u);
    EXPECT_TRUE(patterns[0].matches(U"a;b"));
    EXPECT_TRUE(patterns[1].matches(U"c\\"));
    EXPECT_TRUE(patterns[2].matches(U"D"));
}

TEST(Wildcard, MaskForNamesMatchesExactlyThoseNames) {
    const std::vector<Name> names = {U"a*.mp3", U"b?.mp3", U"c;d.txt",
                                     U"e\\",    U"f.*",    U"\xDCFF\u00E9.ogg"};
    const Name mask = maskForNames(names);
    const auto patterns = splitMask(mask);
    ASSERT_EQ(patterns.size(), names.size());
    const std::vector<Name> others = {U"ab.mp3", U"bx.mp3", U"c",     U"d.txt",
                                      U"e",      U"f",      U"f.txt", U"\xDCFE\u00E9.ogg"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(patterns[i].matches(names[i])) << i;
        for (const Name& other : others)
            EXPECT_FALSE(patterns[i].matches(other)) << i;
    }
    EXPECT_TRUE(maskForNames({}).empty());
}

TEST(Wildcard, LongStarRunsStayFast) {
    // A pathological pattern must not explode exponentially.
    const Name name(200, U'a');
    EXPECT_FALSE(WildcardPattern(U"*a*a*a*a*a*a*a*a*a*a*b").matches(name));
}

} // namespace
