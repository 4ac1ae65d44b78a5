// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CaseConversion.h"

#include "engine/CaseCharClasses.h"
#include "engine/CaseTables.h"
#include "engine/UnicodeCase.h"

#include <algorithm>

namespace quillon {

void prepareCaseTables() {
    CaseTables::instance();
}

Name firstLettersCase(NameView name) {
    const NameView extension = extensionOf(name);
    const NameView namePart = namePartOf(name);
    Name out;
    out.reserve(name.size());
    // The name part starts as if after a delimiter, so its first letter is capitalised.
    bool afterDelimiter = true;
    for (char32_t c : namePart) {
        const char32_t lower = toLowerSimple(c);
        out.push_back(afterDelimiter ? toUpperSimple(lower) : lower);
        afterDelimiter = caseclass::endsWord(c);
    }
    for (char32_t c : extension)
        out.push_back(toLowerAscii(c));
    return out;
}

Name upperCase(NameView name) {
    return toUpperSimple(name);
}

Name lowerCase(NameView name) {
    return toLowerSimple(name);
}

Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options) {
    switch (mode) {
    case CaseMode::Smart:
        return smartCase(name, options);
    case CaseMode::FirstLetters:
        return firstLettersCase(name);
    case CaseMode::Lowercase:
        return lowerCase(name);
    case CaseMode::Uppercase:
        return upperCase(name);
    case CaseMode::None:
        break;
    }
    return Name(name);
}

Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options, Scope scope) {
    Name converted = applyCaseMode(name, mode, options);
    if (scope == Scope::Both)
        return converted;
    const std::size_t split = namePartOf(name).size();
    if (scope == Scope::FileNamesOnly)
        std::copy(name.begin() + static_cast<std::ptrdiff_t>(split), name.end(),
                  converted.begin() + static_cast<std::ptrdiff_t>(split));
    else
        std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(split),
                  converted.begin());
    return converted;
}

} // namespace quillon
