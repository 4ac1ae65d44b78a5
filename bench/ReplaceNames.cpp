#include "ReplaceNames.h"

#include <array>

namespace quillon::bench {

namespace {

// splitmix64: tiny, and the same sequence on every standard library.
class Random final {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t m_state;
};

constexpr std::array<const char32_t*, 12> kArtists{
    U"Artist",       U"the beatles",    U"MOTÖRHEAD",
    U"Beyonc\u00E9", U"Sigur R\u00F3s", U"Daft Punk",
    U"ac-dc",        U"Bj\u00F6rk",     U"\u041C\u0443\u043C\u0438\u0439",
    U"\u5742\u672C", U"Nirvana",        U"DJ Shadow"};

constexpr std::array<const char32_t*, 14> kWords{
    U"Title", U"of",    U"song", U"LOVE",  U"night", U"Caf\u00E9", U"in",
    U"the",   U"Dream", U"x",    U"Remix", U"live",  U"\u00FCber", U"Blue"};

constexpr std::array<const char32_t*, 3> kJoins{U"_", U" ", U"%20"};

constexpr std::array<const char32_t*, 6> kExtensions{U".mp3",  U".mp3", U".MP3",
                                                     U".flac", U".ogg", U".m4a"};

void appendNumber(Name& out, std::size_t value) {
    Name digits(5, U'0');
    for (std::size_t i = 5; i-- > 0; value /= 10)
        digits[i] = static_cast<char32_t>(U'0' + value % 10);
    out += digits;
}

} // namespace

std::vector<Name> makeReplaceNames(std::size_t count, std::uint64_t seed) {
    Random random(seed);
    std::vector<Name> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Name name = kArtists[random.below(kArtists.size())];
        name += U' ';
        appendNumber(name, random.below(100000));
        name += U" - ";
        const std::size_t words = 2 + random.below(4);
        const char32_t* join = kJoins[random.below(kJoins.size())];
        for (std::size_t w = 0; w < words; ++w) {
            if (w > 0)
                name += join;
            name += kWords[random.below(kWords.size())];
        }
        name += kExtensions[random.below(kExtensions.size())];
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace quillon::bench
