// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/MusicNames.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace quillon::bench {

namespace {

// UTF-8 so the word lists read naturally; decoded once per name.
constexpr std::array<std::string_view, 24> kArtists = {"velvet harbor",
                                                       "the midnight owls",
                                                       "dj krono",
                                                       "se\xC3\xB1or caf\xC3\xA9",
                                                       "mc brisk",
                                                       "o'malley brothers",
                                                       "BBC orchestra",
                                                       "zo\xC3\xAB and the tides",
                                                       "nkv",
                                                       "Tobin & the Rx",
                                                       "la f\xC3\xAAte noire",
                                                       "\xCE\x9B\xCF\x85\xCF\x81\xCE\xB1",
                                                       "cold crystal",
                                                       "UFO theory",
                                                       "the grey lanterns",
                                                       "Mister Lanes",
                                                       "dvd kids",
                                                       "ac-dc tribute band",
                                                       "\xD0\x9D\xD0\xBE\xD1\x87\xD1\x8C",
                                                       "K. Varga",
                                                       "sci-fi lovers",
                                                       "northern skies",
                                                       "the us rangers",
                                                       "Maeve McAllister"};

constexpr std::array<std::string_view, 40> kTitleWords = {"love",
                                                          "of",
                                                          "the",
                                                          "night",
                                                          "and",
                                                          "in",
                                                          "song",
                                                          "a",
                                                          "remix",
                                                          "live",
                                                          "at",
                                                          "bbc",
                                                          "dvd",
                                                          "radio",
                                                          "edit",
                                                          "\xC3\xBC"
                                                          "ber",
                                                          "for",
                                                          "world",
                                                          "d\xC3\xA9j\xC3\xA0",
                                                          "vu",
                                                          "ni\xC3\xB1o",
                                                          "mp3",
                                                          "on",
                                                          "dj",
                                                          "heart",
                                                          "broken",
                                                          "to",
                                                          "summer",
                                                          "rain",
                                                          "i",
                                                          "ii",
                                                          "iv",
                                                          "with",
                                                          "from",
                                                          "x-ray",
                                                          "tv",
                                                          "street",
                                                          "blues",
                                                          "feat.",
                                                          "version"};

constexpr std::array<std::string_view, 6> kExtensions = {".mp3", ".MP3", ".flac",
                                                         ".ogg", ".m4a", ".Mp3"};
constexpr std::array<std::string_view, 4> kTails = {" (live at the bbc)", " [remastered]",
                                                    " - radio edit", ""};

class Picker {
public:
    explicit Picker(std::uint32_t seed)
        : m_random(seed) {}
    std::size_t below(std::size_t n) { return m_random() % n; }
    template <typename Array>
    std::string_view from(const Array& items) {
        return items[below(items.size())];
    }

private:
    std::mt19937 m_random;
};

enum class Style { Lower, Upper, Title, AsIs };

Name styled(const std::string& utf8, Style style) {
    Name name = decodeName(utf8);
    switch (style) {
    case Style::Lower:
        return toLowerSimple(name);
    case Style::Upper:
        return toUpperSimple(name);
    case Style::Title: {
        bool start = true;
        for (char32_t& c : name) {
            c = start ? toUpperSimple(c) : c;
            start = c == U' ' || c == U'_';
        }
        return name;
    }
    case Style::AsIs:
        break;
    }
    return name;
}

} // namespace

std::vector<Name> makeMusicNames(std::size_t count, std::uint32_t seed) {
    Picker pick(seed);
    std::vector<Name> names;
    names.reserve(count);
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.assign(pick.from(kArtists));
        char number[16];
        std::snprintf(number, sizeof number, " %05zu - ", pick.below(100000));
        text += number;
        const std::string_view glue = pick.below(3) == 0 ? "_" : pick.below(4) == 0 ? "%20" : " ";
        const std::size_t words = 2 + pick.below(5);
        for (std::size_t w = 0; w < words; ++w) {
            if (w > 0)
                text += glue;
            text += pick.from(kTitleWords);
        }
        if (pick.below(4) == 0)
            text += pick.from(kTails);
        text += pick.from(kExtensions);
        names.push_back(styled(text, static_cast<Style>(pick.below(4))));
    }
    return names;
}

} // namespace quillon::bench
