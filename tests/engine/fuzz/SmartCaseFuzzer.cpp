// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a disk name, the first byte picking options.
#include "engine/CaseConversion.h"
#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace quillon;

namespace {

// A character may only turn into one that a chain of simple case mappings
// reaches (dotless i becomes "I", which lowers to "i").
bool reachableByCaseMapping(char32_t from, char32_t to) {
    char32_t upperWay = from;
    char32_t lowerWay = from;
    for (int step = 0; step < 4; ++step) {
        if (upperWay == to || lowerWay == to)
            return true;
        upperWay = step % 2 ? toLowerSimple(upperWay) : toUpperSimple(upperWay);
        lowerWay = step % 2 ? toUpperSimple(lowerWay) : toLowerSimple(lowerWay);
    }
    return upperWay == to || lowerWay == to;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned bits = data[0];
    SmartCaseOptions options;
    options.mostLetters = bits & 1;
    options.mostLettersLastField = bits & 2;
    options.mostLettersLastFieldEnabled = bits & 128;
    options.smallWords = bits & 4;
    options.hyphen = bits & 8;
    options.commas = bits & 16;
    options.unknownAcronyms = bits & 32;
    options.knownWords = bits & 64;

    const Name name =
        decodeName(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const Name once = smartCase(name, options);
    check(once.size() == name.size());
    for (std::size_t i = 0; i < name.size(); ++i)
        check(reachableByCaseMapping(name[i], once[i]));
    check(smartCase(once, options) == once);
    return 0;
}
