// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CaseConversion.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillon;

namespace {

// Rows are written in UTF-8; a byte that is not UTF-8 ("\xE9" alone) stands
// for an escaped byte of a disk name, as the folder reader decodes it.
std::string smart(const char* name, const SmartCaseOptions& options = {}) {
    return encodeName(smartCase(decodeName(name), options));
}

// Unchecking "Most first letters" enables "Up to last delimiters".
constexpr SmartCaseOptions kMostLettersOff{.mostLetters = false,
                                           .mostLettersLastFieldEnabled = true};
constexpr SmartCaseOptions kUpToLastDelimiters{
    .mostLetters = false, .mostLettersLastField = true, .mostLettersLastFieldEnabled = true};
constexpr SmartCaseOptions kSmallWordsChecked{.smallWords = true};
constexpr SmartCaseOptions kCommasChecked{.commas = true};
constexpr SmartCaseOptions kHyphenOff{.hyphen = false};
constexpr SmartCaseOptions kKnownWordsOff{.knownWords = false};
constexpr SmartCaseOptions kUnknownAcronymsOff{.unknownAcronyms = false};

struct SmartRow {
    const char* options; // what the row changes from the defaults
    SmartCaseOptions values;
    const char* input;
    const char* expected;
};

TEST(SmartCase, WorkedExamples) {
    const char* lord = "the lord of the rings - the return of the king.avi";
    const char* news = "bbc news, the story.doc";
    const SmartRow rows[] = {
        {"defaults", {}, lord, "The Lord of the Rings - The Return of the King.avi"},
        {"defaults", {}, "o'neil - mcdonald farm.MP3", "O'Neil - McDonald Farm.mp3"},
        {"defaults", {}, "made in the us.txt", "Made in the US.txt"},
        {"defaults", {}, news, "BBC News, the Story.doc"},
        {"defaults", {}, "song (live at the bbc).mp3", "Song (Live at the BBC).mp3"},
        {"defaults", {}, "the end of.txt", "The End Of.txt"},
        {"defaults", {}, "mr.smith_and_the_dog.JPG", "Mr.Smith_and_the_Dog.jpg"},
        {"defaults", {}, "THE BEST OF ABBA - VOL II.MP3", "The Best of ABBA - Vol II.mp3"},
        {"defaults", {}, "it's a man's world.mp3", "It's a Man's World.mp3"},
        {"most first letters off", kMostLettersOff, lord,
         "The lord of the rings - The return of the king.avi"},
        {"most first letters off", kMostLettersOff, news, "BBC news, the story.doc"},
        {"most first letters off", kMostLettersOff, "i am what i am.txt", "I am what I am.txt"},
        {"up to last delimiters", kUpToLastDelimiters, lord,
         "The Lord of the Rings - The return of the king.avi"},
        {"up to last delimiters", kUpToLastDelimiters, "a b c d e.txt", "A B c d e.txt"},
        {"small words checked", kSmallWordsChecked, lord,
         "The Lord Of The Rings - The Return Of The King.avi"},
        {"after commas", kCommasChecked, news, "BBC News, The Story.doc"},
        {"hyphenated terms off", kHyphenOff, "x-ray vision.txt", "X-ray Vision.txt"},
        {"defaults", {}, "x-ray vision.txt", "X-Ray Vision.txt"},
        {"hyphenated terms off", kHyphenOff, "sci-fi stories.txt", "Sci-Fi Stories.txt"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(smart(row.input, row.values), row.expected) << row.options << ": " << row.input;
}

TEST(SmartCase, EdgeCases) {
    const SmartRow rows[] = {
        // The extension is split at the last dot and only ASCII-lowered.
        {"only an extension", {}, ".BashRC", ".bashrc"},
        {"no dot", {}, "the end of", "The End Of"},
        {"empty", {}, "", ""},
        {"trailing dot", {}, "SONG.", "Song."},
        {"several dots", {}, "a.b.c.TXT", "A.B.C.txt"},
        {"only delimiters", {}, "- (_) -.txt", "- (_) -.txt"},
        {"extension with accents", {}, "caf\u00C9.\u00C9T\u00C9", "Caf\u00E9.\u00C9t\u00C9"},
        // Small words: kept at the ends, lowered between separators, capitalised
        // after punctuation.
        {"small word first", {}, "of mice and men.txt", "Of Mice and Men.txt"},
        {"between underscores", {}, "a_tale_of_two.txt", "A_Tale_of_Two.txt"},
        {"after a hyphen", {}, "live - at wembley.txt", "Live - At Wembley.txt"},
        {"after a parenthesis", {}, "song (at home).txt", "Song (At Home).txt"},
        {"before a dot", {}, "rock on.live.txt", "Rock On.Live.txt"},
        {"prefix of a longer word", {}, "x another y.txt", "X Another Y.txt"},
        {"small words checked, first word after punctuation", kSmallWordsChecked,
         "live - at home.txt", "Live - At Home.txt"},
        // Consonant runs.
        {"three consonants", {}, "dvd player.txt", "DVD Player.txt"},
        {"four consonants", {}, "nsfw clip.txt", "NSFW Clip.txt"},
        {"two consonants", {}, "pc game.txt", "Pc Game.txt"},
        {"y is a vowel", {}, "myth of sky.txt", "Myth of Sky.txt"},
        {"run inside a word", {}, "strength.txt", "Strength.txt"},
        {"accented letter ends a run", {}, "brr\u00F1 x.txt", "Brr\u00F1 X.txt"},
        {"unknown acronyms off", kUnknownAcronymsOff, "dvd player.txt", "Dvd Player.txt"},
        // Known words count only as whole words and take their table spelling.
        {"known word inside a word", {}, "ufology.txt", "Ufology.txt"},
        {"known word alone", {}, "ufo sighting.txt", "UFO Sighting.txt"},
        {"known word before a digit", {}, "mp3s.txt", "Mp3s.txt"},
        {"known word with a hyphen", {}, "ac-dc live.txt", "AC-DC Live.txt"},
        {"known word in parentheses", {}, "x (nsync).txt", "X (NSync).txt"},
        {"personal name with a space", {}, "orvel jx - live.txt", "Orvel JX - Live.txt"},
        {"personal name with apostrophe", {}, "d'arvella.txt", "D'Arvella.txt"},
        {"lower case with trailing capital", {}, "rulando.txt", "rulandO.txt"},
        {"known words off", kKnownWordsOff, "ufo sighting.txt", "Ufo Sighting.txt"},
        // Unknown acronyms run after known words and may capitalise them again.
        {"consonant known word", {}, "mxpx.txt", "MXPX.txt"},
        // "the us" as its own words only.
        {"the us at the start", {}, "the us.txt", "The US.txt"},
        {"the us inside a word", {}, "bathe us.txt", "Bathe Us.txt"},
        {"the usa", {}, "the usa.txt", "The USA.txt"},
        {"the user", {}, "the user.txt", "The User.txt"},
        {"the us, known words off", kKnownWordsOff, "made in the us.txt", "Made in the Us.txt"},
        // Mc, apostrophes.
        {"mc", {}, "mcmahon.txt", "McMahon.txt"},
        {"mc without a boundary", {}, "o'mcguire.txt", "O'McGuire.txt"},
        {"lower-case m before c", {}, "tomcat.txt", "Tomcat.txt"},
        {"apostrophe first", {}, "'til dawn.txt", "'Til Dawn.txt"},
        {"apostrophe after a space", {}, "rock 'n' roll.txt", "Rock 'N' Roll.txt"},
        {"backquote after O", {}, "o`brien.txt", "O`Brien.txt"},
        // Options that change words after commas, initialisms and the pronoun.
        {"after commas only",
         {.mostLetters = false, .commas = true},
         "bbc news, the story.doc",
         "BBC news, The story.doc"},
        {"initialisms", kMostLettersOff, "made in u.s.a.txt", "Made in U.S.A.txt"},
        {"pronoun only as a word", kMostLettersOff, "if i win.txt", "If I win.txt"},
        // Up to last delimiters: only acts while enabled, keeps short names.
        {"last field checked but disabled",
         {.mostLettersLastField = true, .mostLettersLastFieldEnabled = false},
         "a b c d e.txt",
         "A B C D E.txt"},
        {"up to last delimiters, short name", kUpToLastDelimiters, "ab.txt", "Ab.txt"},
        {"up to last delimiters, last dash", kUpToLastDelimiters, "a b - c d - e f.txt",
         "A B - C D - E f.txt"},
        // Non-ASCII letters use the Unicode simple mappings; escaped bytes stay.
        {"accented first letter", {}, "\u00E9mile zola.txt", "\u00C9mile Zola.txt"},
        {"greek",
         {},
         "\u03C3\u03BF\u03C6\u03AF\u03B1 - \u0391\u0398\u0397\u039D\u0391.TXT",
         "\u03A3\u03BF\u03C6\u03AF\u03B1 - \u0391\u03B8\u03B7\u03BD\u03B1.txt"},
        {"escaped bytes", {}, "caf\xE9 \xC9t\xE9.MP3", "Caf\xE9 \xC9t\xE9.mp3"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(smart(row.input, row.values), row.expected) << row.options << ": " << row.input;
}

struct ModeRow {
    const char* input;
    const char* smart;
    const char* firstLetters;
    const char* upper;
    const char* lower;
};

TEST(CaseModes, EveryModeOnTheSameNames) {
    const ModeRow rows[] = {
        {"THE BEST OF ABBA - VOL II.MP3", "The Best of ABBA - Vol II.mp3",
         "The Best Of Abba - Vol Ii.mp3", "THE BEST OF ABBA - VOL II.MP3",
         "the best of abba - vol ii.mp3"},
        {".Profile", ".profile", ".profile", ".PROFILE", ".profile"},
        {"o'neil", "O'Neil", "O'neil", "O'NEIL", "o'neil"},
        {"\u00E9mile zola.txt", "\u00C9mile Zola.txt", "\u00C9mile Zola.txt", "\u00C9MILE ZOLA.TXT",
         "\u00E9mile zola.txt"},
        // Only Uppercase and Lowercase convert a non-ASCII extension.
        {"f\u00EAte.\u00C9t\u00E9", "F\u00EAte.\u00C9t\u00E9", "F\u00EAte.\u00C9t\u00E9",
         "F\u00CATE.\u00C9T\u00C9", "f\u00EAte.\u00E9t\u00E9"},
        // The simple mappings keep the length: sharp s has no one-letter capital.
        {"stra\u00DFe.txt", "Stra\u00DFe.txt", "Stra\u00DFe.txt", "STRA\u00DFE.TXT",
         "stra\u00DFe.txt"},
        {"x\xE9 \xC9.\xFF", "X\xE9 \xC9.\xFF", "X\xE9 \xC9.\xFF", "X\xE9 \xC9.\xFF",
         "x\xE9 \xC9.\xFF"},
        {"2nd-ALBUM~bonus", "2nd-Album~Bonus", "2nd-Album~Bonus", "2ND-ALBUM~BONUS",
         "2nd-album~bonus"},
    };
    const SmartCaseOptions defaults;
    for (const auto& row : rows) {
        const Name in = decodeName(row.input);
        EXPECT_EQ(encodeName(applyCaseMode(in, CaseMode::Smart, defaults)), row.smart) << row.input;
        EXPECT_EQ(encodeName(applyCaseMode(in, CaseMode::FirstLetters, defaults)), row.firstLetters)
            << row.input;
        EXPECT_EQ(encodeName(applyCaseMode(in, CaseMode::Uppercase, defaults)), row.upper)
            << row.input;
        EXPECT_EQ(encodeName(applyCaseMode(in, CaseMode::Lowercase, defaults)), row.lower)
            << row.input;
        EXPECT_EQ(applyCaseMode(in, CaseMode::None, defaults), in) << row.input;
    }
}

// A case scope converts one part and leaves the other's letters as they were.
TEST(CaseConversionTest, ScopeLimitsTheConversionToOnePart) {
    const struct {
        const char* input;
        CaseMode mode;
        Scope scope;
        const char* expected;
    } rows[] = {
        {"IMG_8958.JPG", CaseMode::Lowercase, Scope::ExtensionsOnly, "IMG_8958.jpg"},
        {"IMG_8958.JPG", CaseMode::Lowercase, Scope::FileNamesOnly, "img_8958.JPG"},
        {"IMG_8958.JPG", CaseMode::Lowercase, Scope::Both, "img_8958.jpg"},
        {"README", CaseMode::Lowercase, Scope::ExtensionsOnly, "README"},
        {"README", CaseMode::Lowercase, Scope::FileNamesOnly, "readme"},
        {"a.b.TXT", CaseMode::Uppercase, Scope::ExtensionsOnly, "a.b.TXT"},
        {"a.b.txt", CaseMode::Uppercase, Scope::FileNamesOnly, "A.B.txt"},
        {".PROFILE", CaseMode::Lowercase, Scope::ExtensionsOnly, ".profile"},
        {"the end.MP3", CaseMode::Smart, Scope::FileNamesOnly, "The End.MP3"},
        {"\u00C9T\u00C9.\u00C9T\u00C9", CaseMode::Lowercase, Scope::ExtensionsOnly,
         "\u00C9T\u00C9.\u00E9t\u00E9"},
        {"X\xC9.\xFF"
         "A",
         CaseMode::Lowercase, Scope::ExtensionsOnly,
         "X\xC9.\xFF"
         "a"},
        {"", CaseMode::Uppercase, Scope::FileNamesOnly, ""},
    };
    for (const auto& row : rows) {
        const Name out = applyCaseMode(decodeName(row.input), row.mode, {}, row.scope);
        EXPECT_EQ(encodeName(out), row.expected) << row.input;
    }
}

} // namespace
