// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CaseConversion.h"
#include "engine/CaseTables.h"
#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string_view>
#include <vector>

using namespace quillon;

namespace {

// Letters outside ASCII whose simple mappings go back and forth cleanly. Left
// out on purpose: dotless i, dotted capital I, long s and the Kelvin sign,
// whose case partners are ASCII letters (see UnicodePartnersInAscii below),
// and final sigma and micro sign, whose capital lowers to another letter.
constexpr std::u32string_view kOtherLetters =
    U"\u00E9\u00C9\u00FC\u00DC\u00F1\u00D1\u00F8\u00D8\u00E7\u00DF\u1E9E\u03B1\u0391\u03C3\u03A3"
    U"\u0436\u0416\u01C4\u01C5\u01C6";
constexpr std::u32string_view kOtherCharacters = U"\u20AC\u6F22\u00B7\xDCE9\xDC80\xDCFF";
constexpr std::u32string_view kGlue = U" _,-.()[]{}&!$%@~'`?+#;0123456789";
constexpr std::u32string_view kLetters = U"bcdfghjklmnpqrstvwxzaeiouyBCDFGHKLMNPQRSTVWXZAEIOUY";
const std::array<std::u32string_view, 10> kExtensions = {
    U"",         U".",       U".mp3",       U".MP3", U".Txt", U".J.P", U".\u00C9T\u00C9",
    U".\xDCE9x", U".tar.GZ", U".m\u00DCsic"};

// Names built from the pieces Smart case reacts to: table words in any case,
// consonant runs, "mc", "o'", "the us", lone "i", punctuation runs, accents
// and escaped bytes.
class NameSource {
public:
    explicit NameSource(std::uint32_t seed)
        : m_random(seed) {}

    Name next() {
        Name name;
        const int pieces = 1 + pick(7);
        for (int i = 0; i < pieces; ++i) {
            appendWord(name);
            const int glue = pick(4);
            for (int g = 0; g < glue; ++g)
                name.push_back(pickFrom(kGlue));
            if (glue == 0)
                name.push_back(U' ');
        }
        name += kExtensions[static_cast<std::size_t>(pick(static_cast<int>(kExtensions.size())))];
        return name;
    }

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(n)); }
    char32_t pickFrom(std::u32string_view from) {
        return from[static_cast<std::size_t>(pick(static_cast<int>(from.size())))];
    }

    void appendInSomeCase(Name& name, std::u32string_view word) {
        const int style = pick(3);
        for (char32_t c : word)
            name.push_back(style == 0 ? toLowerSimple(c) : style == 1 ? toUpperSimple(c) : c);
    }

    void appendWord(Name& name) {
        switch (pick(9)) {
        case 0:
            appendInSomeCase(name, kSmallWords[static_cast<std::size_t>(pick(kSmallWordCount))]);
            break;
        case 1:
            appendInSomeCase(name, kKnownWords[static_cast<std::size_t>(pick(kKnownWordCount))]);
            break;
        case 2:
            appendInSomeCase(name, pick(2) ? U"mc" : U"o'");
            [[fallthrough]];
        case 3:
        case 4:
            for (int n = 1 + pick(6); n > 0; --n)
                name.push_back(pickFrom(kLetters));
            break;
        case 5:
            appendInSomeCase(name, pick(2) ? U"the us" : U"i");
            break;
        case 6:
            for (int n = 1 + pick(4); n > 0; --n)
                name.push_back(pick(3) ? pickFrom(kOtherLetters) : pickFrom(kOtherCharacters));
            break;
        default:
            name.push_back(pickFrom(kOtherLetters));
            for (int n = pick(5); n > 0; --n)
                name.push_back(pickFrom(kLetters));
            break;
        }
    }

    std::mt19937 m_random;
};

SmartCaseOptions optionsFromBits(unsigned bits) {
    SmartCaseOptions o;
    o.mostLetters = bits & 1;
    o.mostLettersLastField = bits & 2;
    o.mostLettersLastFieldEnabled = !o.mostLetters; // as the options panel keeps it
    o.smallWords = bits & 4;
    o.hyphen = bits & 8;
    o.commas = bits & 16;
    o.unknownAcronyms = bits & 32;
    o.knownWords = bits & 64;
    return o;
}

using Conversion = std::function<Name(NameView)>;

std::vector<Conversion> everyConversion() {
    std::vector<Conversion> all = {firstLettersCase, upperCase, lowerCase};
    for (unsigned bits = 0; bits < 128; ++bits)
        all.push_back([o = optionsFromBits(bits)](NameView n) { return smartCase(n, o); });
    return all;
}

::testing::AssertionResult differsOnlyInCase(NameView in, const Name& out) {
    if (in.size() != out.size())
        return ::testing::AssertionFailure() << "length " << in.size() << " -> " << out.size();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (foldSimple(in[i]) != foldSimple(out[i]))
            return ::testing::AssertionFailure()
                   << "position " << i << ": " << encodeName(in) << " -> " << encodeName(out);
    }
    return ::testing::AssertionSuccess();
}

TEST(CaseProperties, SameLengthAndOnlyCaseChanges) {
    const auto conversions = everyConversion();
    NameSource source(20240611);
    for (int n = 0; n < 400; ++n) {
        const Name name = source.next();
        for (const auto& convert : conversions)
            ASSERT_TRUE(differsOnlyInCase(name, convert(name)));
    }
}

bool hasNonAsciiLetterInExtension(NameView name) {
    for (char32_t c : extensionOf(name)) {
        if (c >= 0x80 && toUpperSimple(c) != toLowerSimple(c))
            return true;
    }
    return false;
}

// Smart and First letters start from the lower-cased name part, so applying
// them to a name that any mode has already converted gives what they give for
// the unconverted name. The extension is only ASCII-lowered, though: after
// Uppercase or Lowercase changed its accented letters, those stay changed, so
// names with such letters there are left out for those two modes.
TEST(CaseProperties, ReapplyingGivesTheSameResult) {
    const auto conversions = everyConversion();
    const Conversion identity = [](NameView n) {
        return Name(n);
    };
    NameSource source(7);
    for (int n = 0; n < 300; ++n) {
        const Name name = source.next();
        const bool extensionKeepsMode = hasNonAsciiLetterInExtension(name);
        for (std::size_t f = 0; f < conversions.size(); ++f) {
            if (f == 1 || f == 2)
                continue; // Uppercase and Lowercase are not title-casing
            const Name once = conversions[f](name);
            for (std::size_t g = 0; g < conversions.size(); g += (g < 3 ? 1 : 17)) {
                if ((g == 1 || g == 2) && extensionKeepsMode)
                    continue;
                ASSERT_EQ(conversions[f](conversions[g](name)), once)
                    << "conversion " << f << " after " << g << " of " << encodeName(name);
            }
        }
    }
}

// Four letters have an ASCII letter as a case partner (dotless i, dotted
// capital I, long s, Kelvin sign). Once mapped, they are ASCII letters like
// any other and take part in the ASCII rules; the length never changes.
TEST(CaseProperties, UnicodePartnersInAscii) {
    struct Row {
        const char* input;
        const char* expected;
    };
    const Row rows[] = {
        {"x \u0131n y", "X in Y"}, // dotless i capitalises to I, then "In" is a small word
        {"\u0130stanbul", "Istanbul"},
        {"\u017Ftr x", "STR X"}, // long s capitalises to S, a consonant
        {"\u212Aelvin", "Kelvin"},
    };
    for (const auto& row : rows) {
        const Name in = decodeName(row.input);
        const Name out = smartCase(in, {});
        EXPECT_EQ(encodeName(out), row.expected);
        EXPECT_EQ(out.size(), in.size());
    }
}

} // namespace
