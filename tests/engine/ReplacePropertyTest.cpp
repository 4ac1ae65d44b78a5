// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/ReplaceOperations.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillon;
using namespace quillon::test;

namespace {

// Characters that matter to the pattern language, plus the ones names bring
// in: non-ASCII letters, an astral character and escaped bytes.
constexpr char32_t kAlphabet[] = {
    U'/', U'/',  U'*',      U'.',      U'.',      U'?',          U' ',     U' ', U'-',
    U'_', U'%',  U'2',      U'0',      U'1',      U'9',          U'n',     U'a', U'B',
    U'x', U'\t', U'\u00E9', U'\u00C9', U'\u03A3', U'\U0001F3B5', U'\xDCFF'};

class Generator final {
public:
    explicit Generator(std::uint32_t seed)
        : m_random(seed) {}

    std::size_t below(std::size_t n) { return static_cast<std::size_t>(m_random() % n); }
    bool coin() { return below(2) == 0; }

    Name text(std::size_t maxLength) {
        Name out;
        const std::size_t length = below(maxLength + 1);
        for (std::size_t i = 0; i < length; ++i)
            out.push_back(kAlphabet[below(std::size(kAlphabet))]);
        return out;
    }

    Name number() {
        static constexpr const char32_t* kNumbers[] = {U"1",   U"-1", U"0",  U"255", U"-255",
                                                       U"256", U"3",  U"-3", U"x",   U""};
        return kNumbers[below(std::size(kNumbers))];
    }

    ReplaceSettings settings() {
        ReplaceSettings s;
        s.find = below(4) == 0 ? Name(U" * ") : text(12);
        s.replaceWith = text(12);
        s.caseSensitive = coin();
        s.updateCase = coin();
        s.deleteEnabled = below(3) == 0;
        s.deletePos = number();
        s.deleteLength = number();
        s.insertEnabled = below(3) == 0;
        s.insertPos = number();
        s.insertText = text(4);
        s.spacesFromPercent20AndUnderscore = coin();
        s.deleteDigits = coin();
        s.deleteExtraSpaces = coin();
        s.scope = static_cast<Scope>(below(3));
        s.caseMode = coin() ? CaseMode::Uppercase : CaseMode::Lowercase;
        return s;
    }

private:
    std::mt19937 m_random;
};

bool holdsAnyDelimiter(const ReformatPattern& pattern, NameView source) {
    const NameView part = namePartOf(source);
    for (const Name& delimiter : pattern.delimiters) {
        if (part.find(delimiter) != NameView::npos)
            return true;
    }
    return false;
}

bool holdsAnyMarker(NameView text) {
    for (char32_t digit = U'1'; digit <= U'9'; ++digit) {
        const char32_t marker[] = {U'/', digit, U'/', 0};
        if (text.find(marker) != NameView::npos)
            return true;
    }
    return false;
}

TEST(ReplaceProperties, NoPressFailsAndUnfitNamesKeepTheirSource) {
    Generator gen(20240611);
    int reformats = 0;
    for (int round = 0; round < 3000; ++round) {
        const ReplaceSettings settings = gen.settings();
        std::vector<Name> names(1 + gen.below(12));
        for (Name& name : names)
            name = gen.text(gen.coin() ? 16 : 70);
        const ReplaceCompilation compiled = compileReplace(settings, names.size());
        const auto* plan = std::get_if<ReplacePlan>(&compiled);
        if (!plan)
            continue;
        ReplaceCounter counter = plan->startCounter();
        const auto* reformat = std::get_if<ReformatPattern>(&plan->operation);
        reformats += reformat != nullptr;
        // A template with a "/" but no field marker can never be filled.
        const bool templateUnfit = reformat && reformat->templateText.find(U'/') != Name::npos &&
                                   !holdsAnyMarker(reformat->templateText);
        for (const Name& name : names) {
            const Name result = applyReplace(*plan, name, counter);
            if (reformat && (!holdsAnyDelimiter(*reformat, name) || templateUnfit)) {
                EXPECT_EQ(result, name) << utf8(settings.find) << " | "
                                        << utf8(settings.replaceWith) << " | " << utf8(name);
            }
        }
    }
    EXPECT_GT(reformats, 100);
}

TEST(ReplaceProperties, UntouchedNamesKeepEveryCharacter) {
    Generator gen(7);
    for (int round = 0; round < 2000; ++round) {
        Name name = gen.text(30);
        if (gen.coin())
            name += U"." + Name(gen.below(120), U'e'); // extensions of any length
        ReplaceSettings settings;
        settings.find = U"\u2603"; // never generated
        settings.caseSensitive = gen.coin();
        settings.updateCase = false;
        settings.spacesFromPercent20AndUnderscore = false;
        settings.deleteExtraSpaces = false;
        settings.scope = static_cast<Scope>(gen.below(3));
        EXPECT_EQ(pressOne(settings, name), name) << utf8(name);
    }
}

} // namespace
