// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

const std::vector<Name> kFour{U"photo.jpg", U"beach.JPG", U"notes.txt", U"README"};

ReplaceSettings composing(NameView with) {
    ReplaceSettings settings = quietSettings();
    settings.find = U"*";
    settings.replaceWith = with;
    return settings;
}

struct ComposeCase {
    NameView with;
    std::vector<Name> expected;
};

void PrintTo(const ComposeCase& c, std::ostream* os) {
    *os << utf8(c.with);
}

class ComposeTable : public testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeTable, FourEntries) {
    const Press result = press(composing(GetParam().with), kFour);
    ASSERT_FALSE(result.refusal);
    EXPECT_EQ(result.names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ComposeTable,
    testing::Values(
        ComposeCase{U"/1/", {U"1.jpg", U"2.JPG", U"3.txt", U"4"}},
        ComposeCase{U"/001/", {U"001.jpg", U"002.JPG", U"003.txt", U"004"}},
        ComposeCase{U"/n1/", {U"1.jpg", U"2.JPG", U"3.txt", U"4"}},
        ComposeCase{U"/0/", {U"0.jpg", U"1.JPG", U"2.txt", U"3"}},
        ComposeCase{U"Text", {U"Text.jpg", U"Text.JPG", U"Text.txt", U"Text"}},
        ComposeCase{U"*", kFour}, ComposeCase{U"/./", {U"photo", U"beach", U"notes", U"README"}},
        ComposeCase{U"/.txt/", {U"photo.txt", U"beach.txt", U"notes.txt", U"README.txt"}},
        ComposeCase{U"/1/ *", {U"1 photo.jpg", U"2 beach.JPG", U"3 notes.txt", U"4 README"}},
        ComposeCase{U"Text /1/", {U"Text 1.jpg", U"Text 2.JPG", U"Text 3.txt", U"Text 4"}},
        ComposeCase{U"Text - /1/ - *",
                    {U"Text - 1 - photo.jpg", U"Text - 2 - beach.JPG", U"Text - 3 - notes.txt",
                     U"Text - 4 - README"}},
        ComposeCase{U"/n5/ - */.doc/",
                    {U"5 - photo.doc", U"6 - beach.doc", U"7 - notes.doc", U"8 - README.doc"}},
        ComposeCase{U"* /.txt/", {U"photo.txt", U"beach.txt", U"notes.txt", U"README.txt"}}));

INSTANTIATE_TEST_SUITE_P(
    Edges, ComposeTable,
    testing::Values(
        ComposeCase{U"/.txt/ ", {U"photo.txt", U"beach.txt", U"notes.txt", U"README.txt"}},
        ComposeCase{U"Text /.txt/", {U"Text.txt", U"Text.txt", U"Text.txt", U"Text.txt"}},
        ComposeCase{U" * ", kFour}, ComposeCase{U"/N08/", {U"8.jpg", U"9.JPG", U"10.txt", U"11"}},
        ComposeCase{U"/+7/", {U"07.jpg", U"08.JPG", U"09.txt", U"10"}},
        ComposeCase{U"*/./x", {U"photox", U"beachx", U"notesx", U"READMEx"}},
        // "?" is ordinary literal text, not a consumed character.
        ComposeCase{U"What? /1/", {U"What? 1.jpg", U"What? 2.JPG", U"What? 3.txt", U"What? 4"}},
        ComposeCase{U"?*?", {U"?photo?.jpg", U"?beach?.JPG", U"?notes?.txt", U"?README?"}},
        ComposeCase{U"\u00E9/1/\u00DF*",
                    {U"\u00E91\u00DFphoto.jpg", U"\u00E92\u00DFbeach.JPG",
                     U"\u00E93\u00DFnotes.txt", U"\u00E94\u00DFREADME"}}));

TEST(Numbering, PadsByAllEntriesAndCountsCheckedOnes) {
    std::vector<Name> names(10, U"a.txt");
    std::vector<bool> checked(10, false);
    checked[2] = checked[5] = checked[9] = true;
    const Press result = press(composing(U"/1/"), names, checked);
    EXPECT_EQ(result.names[2], U"01.txt");
    EXPECT_EQ(result.names[5], U"02.txt");
    EXPECT_EQ(result.names[9], U"03.txt");
    EXPECT_EQ(result.names[0], U"a.txt");
}

TEST(Numbering, NumbersAreNeverCut) {
    const Press result = press(composing(U"/01/"), std::vector<Name>(150, U"a"));
    EXPECT_EQ(result.names[0], U"01");
    EXPECT_EQ(result.names[98], U"99");
    EXPECT_EQ(result.names[99], U"100");
    EXPECT_EQ(result.names[149], U"150");
}

TEST(Numbering, EveryPressStartsAgain) {
    const ReplaceSettings settings = composing(U"/n3/");
    const auto compiled = compileReplace(settings, 2);
    const auto& plan = std::get<ReplacePlan>(compiled);
    ReplaceCounter first = plan.startCounter();
    EXPECT_EQ(applyReplace(plan, U"a", first), U"3");
    EXPECT_EQ(applyReplace(plan, U"a", first), U"4");
    ReplaceCounter second = plan.startCounter();
    EXPECT_EQ(applyReplace(plan, U"a", second), U"3");
}

TEST(Numbering, HugeStartNumbers) {
    EXPECT_EQ(press(composing(U"/9223372036854775806/"), {U"a", U"b"}).refusal,
              RefusalCode::BadStartNumber);
    EXPECT_EQ(press(composing(U"/9223372036854775805/"), {U"a", U"b"}).names,
              (std::vector<Name>{U"9223372036854775805", U"9223372036854775806"}));
    EXPECT_EQ(press(composing(U"/99999999999999999999/"), {U"a"}).refusal,
              RefusalCode::BadStartNumber);
}

TEST(Numbering, UpdateCaseReachesTheNewExtension) {
    ReplaceSettings settings = composing(U"*/.JPG/");
    settings.updateCase = true;
    settings.caseMode = CaseMode::Lowercase;
    EXPECT_EQ(pressOne(settings, U"Beach.png"), U"beach.jpg");
}

} // namespace
