// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/FieldTokens.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

FieldValues songValues() {
    FieldValues v;
    const auto setText = [&v](Field f, NameView text) {
        v.text[static_cast<std::size_t>(f)] = Name(text);
        v.present.add(f);
    };
    const auto setNumber = [&v](Field f, std::uint64_t n) {
        v.number[static_cast<std::size_t>(f)] = n;
        v.present.add(f);
    };
    setText(Field::Artist, U"AC/DC");
    setText(Field::Title, U"  Back\tin\u0001 Black\u0085 ");
    setText(Field::Album, U"Été");
    setNumber(Field::Track, 7);
    setNumber(Field::Year, 1980);
    v.date[static_cast<std::size_t>(Field::Taken)] = {1975, 3, 5, 9, 7, 31};
    v.present.add(Field::Taken);
    v.date[static_cast<std::size_t>(Field::Modified)] = {2150, 12, 31, 23, 59, 1};
    v.present.add(Field::Modified);
    return v;
}

struct TokenCase {
    const char* label;
    NameView find;
    NameView with;
    NameView source;
    NameView expected; // or "refused"
};

Name run(const TokenCase& c, const FieldValues& values, FieldSet* missing = nullptr) {
    ReplaceSettings s = quietSettings();
    s.find = Name(c.find);
    s.replaceWith = Name(c.with);
    auto compiled = compileReplace(s, 3);
    if (std::holds_alternative<RefusalCode>(compiled))
        return U"refused";
    const auto& plan = std::get<ReplacePlan>(compiled);
    ReplaceCounter counter = plan.startCounter();
    return applyReplace(plan, c.source, counter, &values, missing);
}

} // namespace

TEST(FieldTokens, FillTheWithTextOfFileNameReplacementAndReformatting) {
    const TokenCase cases[] = {
        {"artist and title", U"*", U"<artist> - <title>", U"a.mp3", U"AC-DC - Backin Black.mp3"},
        {"names ignore case", U"*", U"<ARTIST>", U"a.mp3", U"AC-DC.mp3"},
        {"padded track", U"*", U"<track:000> <album>", U"a.mp3", U"007 Été.mp3"},
        {"track unpadded", U"*", U"<track>", U"a.mp3", U"7.mp3"},
        {"beside number and star", U"*", U"/1/ <year> *", U"x.mp3", U"1 1980 x.mp3"},
        {"with extension token", U"*", U"<year>/.txt/", U"x.mp3", U"1980.txt"},
        {"default date", U" * ", U"<taken>", U"p.jpg", U"1975-03-05 09.07.31.jpg"},
        {"date format", U"*", U"<taken:yyyy-MM-dd HH.mm>", U"p.jpg", U"1975-03-05 09.07.jpg"},
        {"short parts", U"*", U"<taken:yy M d H m s>", U"p.jpg", U"75 3 5 9 7 31.jpg"},
        {"after 2107", U"*", U"<modified:yyyyMMdd>", U"p.jpg", U"21501231.jpg"},
        {"reformat fields", U"/1/ - /2/", U"/2/ <year> /1/", U"A - B.mp3", U"B 1980 A.mp3"},
        {"reformat that does not fit", U"/1/ - /2/", U"/2/ <year>", U"AB.mp3", U"AB.mp3"},
        {"regular keeps <", U"a", U"<x>", U"a.txt", U"<x>.txt"},
        {"unknown field", U"*", U"<artits>", U"a.mp3", U"refused"},
        {"unclosed", U"*", U"<artist", U"a.mp3", U"refused"},
        {"format on text", U"*", U"<artist:00>", U"a.mp3", U"refused"},
        {"number format not zeros", U"*", U"<track:0a>", U"a.mp3", U"refused"},
        {"empty number format", U"*", U"<track:>", U"a.mp3", U"refused"},
        {"colon in date", U"*", U"<taken:HH:mm>", U"a.mp3", U"refused"},
        {"slash in date", U"*", U"<taken:yyyy/MM>", U"a.mp3", U"refused"},
        {"unknown date letter", U"*", U"<taken:yyyy-Q>", U"a.mp3", U"refused"},
        {"empty token", U"*", U"<>", U"a.mp3", U"refused"},
        {"reformat unknown", U"/1/-/2/", U"<x>", U"a-b.mp3", U"refused"},
    };
    const FieldValues values = songValues();
    for (const TokenCase& c : cases)
        EXPECT_EQ(utf8(run(c, values)), utf8(c.expected)) << c.label;
}

// A token finds its field by the field's name in any ASCII letter case,
// and by nothing shorter, longer or outside ASCII.
TEST(FieldTokens, EachFieldAnswersToItsOwnNameOnly) {
    for (const Field f : kAllFields) {
        for (const bool upper : {false, true}) {
            Name with = U"<";
            for (const char c : fieldName(f))
                with.push_back(upper ? static_cast<char32_t>(c - 'a' + 'A') : c);
            with += U">";
            FieldTokens tokens;
            ASSERT_FALSE(extractFieldTokens(with, tokens)) << fieldName(f);
            ASSERT_EQ(tokens.tokens.size(), 1U) << fieldName(f);
            EXPECT_EQ(tokens.tokens[0].field, f) << fieldName(f);
        }
    }
    const NameView nearNames[] = {
        U"<artis>",  U"<artists>",    U"<albumartis>", U"<albumartistt>",
        U"< title>", U"<t\u0131tle>", U"<T\u0130TLE>", U"<ti\u0301tle>",
    };
    for (const NameView near : nearNames) {
        Name with(near);
        FieldTokens tokens;
        EXPECT_EQ(extractFieldTokens(with, tokens), RefusalCode::FieldTokenInvalid)
            << utf8(Name(near));
    }
}

TEST(FieldTokens, RefusalHasItsOwnCode) {
    ReplaceSettings s = quietSettings();
    s.find = U"*";
    s.replaceWith = U"<nope>";
    const auto compiled = compileReplace(s, 1);
    ASSERT_TRUE(std::holds_alternative<RefusalCode>(compiled));
    EXPECT_EQ(std::get<RefusalCode>(compiled), RefusalCode::FieldTokenInvalid);
}

TEST(FieldTokens, AFileLackingAFieldKeepsItsNameAndTakesNoNumber) {
    ReplaceSettings s = quietSettings();
    s.find = U"*";
    s.replaceWith = U"<genre> <artist> /1/";
    auto plan = std::get<ReplacePlan>(compileReplace(s, 3));
    EXPECT_EQ(plan.fields.needed(), FieldSet(Field::Genre) | FieldSet(Field::Artist));
    FieldValues lacking = songValues();
    FieldValues full = songValues();
    full.text[static_cast<std::size_t>(Field::Genre)] = U"Rock";
    full.present.add(Field::Genre);
    ReplaceCounter counter = plan.startCounter();
    FieldSet missing;
    EXPECT_EQ(applyReplace(plan, U"keep.mp3", counter, &lacking, &missing), U"keep.mp3");
    EXPECT_EQ(missing, FieldSet(Field::Genre));
    EXPECT_EQ(applyReplace(plan, U"x.mp3", counter, &full, &missing), U"Rock AC-DC 1.mp3");
    EXPECT_EQ(missing, FieldSet());
    EXPECT_EQ(applyReplace(plan, U"y.mp3", counter, nullptr, &missing), U"y.mp3");
}

TEST(FieldTokens, ValuesGoThroughTheFinishingStepsAndCase) {
    ReplaceSettings s = quietSettings();
    s.find = U"*";
    s.replaceWith = U"<album>_<title>";
    s.updateCase = true;
    s.caseMode = CaseMode::Uppercase;
    const FieldValues values = songValues();
    EXPECT_EQ(utf8(run({"", U"*", U"<album>_<title>", U"a.mp3", U""}, values)),
              "Été Backin Black.mp3");
    auto plan = std::get<ReplacePlan>(compileReplace(s, 1));
    ReplaceCounter counter = plan.startCounter();
    EXPECT_EQ(utf8(applyReplace(plan, U"a.mp3", counter, &values)), "ÉTÉ BACKIN BLACK.MP3");
}

TEST(FieldTokens, AWithTextWithoutTokensBehavesAsBefore) {
    for (NameView with : {U"Text - /1/ - *", U"/n5/ - */.doc/", U"* /.txt/"}) {
        ReplaceSettings s = quietSettings();
        s.find = U"*";
        s.replaceWith = Name(with);
        EXPECT_EQ(pressOne(s, U"photo.jpg"),
                  run({"", U"*", with, U"photo.jpg", U""}, FieldValues{}));
    }
}

namespace {

FieldValues titled(NameView title) {
    FieldValues v;
    v.text[static_cast<std::size_t>(Field::Title)] = Name(title);
    v.present.add(Field::Title);
    v.number[static_cast<std::size_t>(Field::Track)] = 3;
    v.present.add(Field::Track);
    return v;
}

} // namespace

TEST(FieldTokens, AValueCannotHideTheFile) {
    struct Case {
        const char* label;
        NameView with;
        NameView title;
        NameView source;
        NameView expected;
        bool missing;
    };
    const Case cases[] = {
        {"three blanks", U"<title>", U"   ", U"song.mp3", U"song.mp3", true},
        {"empty", U"<title>", U"", U"song.mp3", U"song.mp3", true},
        {"leading dot dropped", U"<title>", U".hidden", U"song.mp3", U"hidden.mp3", false},
        {"dots and blanks between", U"<title>", U" . .. x", U"song.mp3", U"x.mp3", false},
        {"only dots", U"<title>", U"...", U"song.mp3", U"song.mp3", true},
        {"dots and blanks", U"<title>", U". . .", U"song.mp3", U"song.mp3", true},
        {"unicode spaces", U"<title>", U"\u00a0\u3000\u200b", U"song.mp3", U"song.mp3", true},
        {"unicode spaces cut", U"<title>", U"\u00a0.x\u3000", U"song.mp3", U"x.mp3", false},
        {"controls only", U"<title>", U"\u0001\u0085", U"song.mp3", U"song.mp3", true},
        {"inner and trailing dots stay", U"<title>", U"Mr. Blue...", U"s.mp3", U"Mr. Blue....mp3",
         false},
        {"dot inside the name kept", U"<track> .<title>", U".x", U"s.mp3", U"3 .x.mp3", false},
        {"value later in the name", U"A <title>", U"..", U"s.mp3", U"s.mp3", true},
        // The finishing steps take "_" and the blank it becomes.
        {"finishing steps expose a dot", U"<title>", U"_.x", U"s.mp3", U"s.mp3", true},
        {"finishing steps leave nothing", U"<title>", U"_", U"s.mp3", U"s.mp3", true},
        {"nothing left, no extension", U"<title>/./", U"%20", U"s.mp3", U"s.mp3", true},
        {"number before the value", U"<track><title>", U"_.x", U"s.mp3", U"3 .x.mp3", false},
        // A name the user makes hidden stays the user's choice.
        {"the user's own dot", U".<title>", U"x", U"s.mp3", U".x.mp3", false},
        {"a file without name part", U"*<title>", U"x", U".bashrc", U"x.bashrc", false},
    };
    for (const Case& c : cases) {
        FieldSet missing;
        EXPECT_EQ(utf8(run({c.label, U"*", c.with, c.source, U""}, titled(c.title), &missing)),
                  utf8(c.expected))
            << c.label;
        EXPECT_EQ(missing, c.missing ? FieldSet(Field::Title) : FieldSet()) << c.label;
    }
}

TEST(FieldTokens, AnEntryKeptForAHidingValueTakesNoNumber) {
    ReplaceSettings s = quietSettings();
    s.find = U"*";
    s.replaceWith = U"<title> /1/";
    auto plan = std::get<ReplacePlan>(compileReplace(s, 3));
    ReplaceCounter counter = plan.startCounter();
    FieldSet missing;
    const FieldValues a = titled(U"A");
    EXPECT_EQ(utf8(applyReplace(plan, U"a.mp3", counter, &a, &missing)), "A 1.mp3");
    // "_" becomes a blank that goes, and " 2" would then be the name.
    const FieldValues underscore = titled(U"_ .");
    EXPECT_EQ(utf8(applyReplace(plan, U"b.mp3", counter, &underscore, &missing)), "b.mp3");
    EXPECT_EQ(missing, FieldSet(Field::Title));
    const FieldValues c = titled(U"C");
    EXPECT_EQ(utf8(applyReplace(plan, U"c.mp3", counter, &c, &missing)), "C 2.mp3");
}

TEST(FieldTokens, OnlyTheValuesThatHideAreNamed) {
    ReplaceSettings s = quietSettings();
    s.find = U"*";
    s.replaceWith = U"<artist><title>";
    auto plan = std::get<ReplacePlan>(compileReplace(s, 1));
    FieldValues v = titled(U".x");
    v.text[static_cast<std::size_t>(Field::Artist)] = U"_";
    v.present.add(Field::Artist);
    ReplaceCounter counter = plan.startCounter();
    FieldSet missing;
    // "_" goes, then "x" stands first: the title lost its dot.
    EXPECT_EQ(utf8(applyReplace(plan, U"s.mp3", counter, &v, &missing)), "x.mp3");
    v.text[static_cast<std::size_t>(Field::Title)] = U"_.x";
    EXPECT_EQ(utf8(applyReplace(plan, U"s.mp3", counter, &v, &missing)), "s.mp3");
    EXPECT_EQ(missing, FieldSet(Field::Artist) | FieldSet(Field::Title));
}
