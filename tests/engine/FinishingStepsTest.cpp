// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

void deleteAt(ReplaceSettings& s, NameView pos, NameView length) {
    s.deleteEnabled = true;
    s.deletePos = pos;
    s.deleteLength = length;
}

void insertAt(ReplaceSettings& s, NameView pos, NameView text) {
    s.insertEnabled = true;
    s.insertPos = pos;
    s.insertText = text;
}

// Empty Replace and With boxes: only the finishing steps act.
struct ExtraCase {
    const char* label;
    NameView source;
    void (*tweak)(ReplaceSettings&);
    NameView expected;
};

void PrintTo(const ExtraCase& c, std::ostream* os) {
    *os << c.label;
}

class FinishingStepTable : public testing::TestWithParam<ExtraCase> {};

TEST_P(FinishingStepTable, Apply) {
    const ExtraCase& c = GetParam();
    ReplaceSettings settings = quietSettings();
    c.tweak(settings);
    EXPECT_EQ(utf8(pressOne(settings, c.source)), utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FinishingStepTable,
    testing::Values(ExtraCase{"defaults", U"my_song%20one.mp3", [](ReplaceSettings&) {},
                              U"my song one.mp3"},
                    ExtraCase{"delete from right", U"abcdef.txt",
                              [](ReplaceSettings& s) { deleteAt(s, U"-2", U"1"); }, U"abcdf.txt"},
                    ExtraCase{"delete from left", U"abcdef.txt",
                              [](ReplaceSettings& s) { deleteAt(s, U"2", U"3"); }, U"aef.txt"},
                    ExtraCase{"insert at end", U"abc.txt",
                              [](ReplaceSettings& s) { insertAt(s, U"0", U"X"); }, U"abcX.txt"},
                    ExtraCase{"insert before last", U"abc.txt",
                              [](ReplaceSettings& s) { insertAt(s, U"-1", U"X"); }, U"abXc.txt"},
                    ExtraCase{"insert beyond end", U"abc.txt",
                              [](ReplaceSettings& s) { insertAt(s, U"9", U"X"); }, U"abcX.txt"},
                    ExtraCase{"insert into extension", U"a.txt",
                              [](ReplaceSettings& s) {
                                  s.scope = Scope::ExtensionsOnly;
                                  insertAt(s, U"1", U"X");
                              },
                              U"aX.txt"},
                    ExtraCase{"extra spaces", U"  a   b .txt", [](ReplaceSettings&) {}, U"a b.txt"},
                    ExtraCase{"delete across whole name", U"x_y.txt",
                              [](ReplaceSettings& s) {
                                  s.scope = Scope::Both;
                                  deleteAt(s, U"1", U"2");
                              },
                              U"y.txt"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, FinishingStepTable,
    testing::Values(
        ExtraCase{"delete left of start", U"abc.txt",
                  [](ReplaceSettings& s) { deleteAt(s, U"-5", U"1"); }, U"abc.txt"},
        ExtraCase{"delete past end", U"abc.txt",
                  [](ReplaceSettings& s) { deleteAt(s, U"5", U"1"); }, U"abc.txt"},
        ExtraCase{"delete from right runs towards the end", U"abcdef.txt",
                  [](ReplaceSettings& s) { deleteAt(s, U"-1", U"3"); }, U"abcde.txt"},
        ExtraCase{"delete the dot of the extension", U"a.txt",
                  [](ReplaceSettings& s) {
                      s.scope = Scope::ExtensionsOnly;
                      deleteAt(s, U"1", U"1");
                  },
                  U"atxt"},
        ExtraCase{"insert into missing extension", U"README",
                  [](ReplaceSettings& s) {
                      s.scope = Scope::ExtensionsOnly;
                      insertAt(s, U"1", U"X");
                  },
                  U"READMEX"},
        ExtraCase{"insert counts in the shortened text", U"abcdef.txt",
                  [](ReplaceSettings& s) {
                      deleteAt(s, U"1", U"2");
                      insertAt(s, U"2", U"X");
                  },
                  U"cXdef.txt"},
        ExtraCase{"inserted underscore becomes a space", U"ab.txt",
                  [](ReplaceSettings& s) { insertAt(s, U"2", U"_"); }, U"a b.txt"},
        ExtraCase{"inserted digits vanish", U"ab1.txt",
                  [](ReplaceSettings& s) {
                      s.deleteDigits = true;
                      insertAt(s, U"2", U"42");
                  },
                  U"ab.txt"},
        ExtraCase{"%20 before underscore", U"%2_0%20_.txt", [](ReplaceSettings&) {}, U"%2 0.txt"},
        ExtraCase{"only ASCII digits and spaces", U"a\u0663\u00A0 1.txt",
                  [](ReplaceSettings& s) { s.deleteDigits = true; }, U"a\u0663\u00A0.txt"},
        ExtraCase{"positions count characters", U"\u00E9t\u00E9\U0001F3B5.mp3",
                  [](ReplaceSettings& s) {
                      deleteAt(s, U"-1", U"1");
                      insertAt(s, U"2", U"\u00DF");
                  },
                  U"\u00E9\u00DFt\u00E9.mp3"},
        ExtraCase{"empty name", U"", [](ReplaceSettings& s) { insertAt(s, U"-3", U"X"); }, U"X"},
        ExtraCase{"update case covers the whole name", U"Song.Mp3",
                  [](ReplaceSettings& s) {
                      s.scope = Scope::ExtensionsOnly;
                      s.updateCase = true;
                      s.caseMode = CaseMode::Uppercase;
                  },
                  U"SONG.MP3"}));

TEST(FinishingStepTable, LongNamesAreHandledWhole) {
    // Well past any single-byte name limit; the disk refuses it later, the
    // engine loses nothing.
    const Name longPart(400, U'\u00E9');
    const Name longExtension = U"." + Name(80, U'x');
    ReplaceSettings settings = quietSettings();
    insertAt(settings, U"0", U"!");
    EXPECT_EQ(pressOne(settings, longPart + longExtension), longPart + U"!" + longExtension);
    settings.scope = Scope::ExtensionsOnly;
    EXPECT_EQ(pressOne(settings, longPart + longExtension), longPart + longExtension + U"!");
}

} // namespace
