#include "engine/CaseConversion.h"

#include "engine/UnicodeCase.h"

namespace quillon {

// Placeholder until the Smart and First letters conversions land: they keep
// the name as it is.
void prepareCaseTables() {}

Name SetSmartCase(NameView name, const SmartCaseOptions&) {
    return Name(name);
}

Name SetFirstLettersCase(NameView name) {
    return Name(name);
}

Name SetUpperCase(NameView name) {
    return toUpperSimple(name);
}

Name SetLowerCase(NameView name) {
    return toLowerSimple(name);
}

Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options) {
    switch (mode) {
    case CaseMode::Smart:
        return SetSmartCase(name, options);
    case CaseMode::FirstLetters:
        return SetFirstLettersCase(name);
    case CaseMode::Lowercase:
        return SetLowerCase(name);
    case CaseMode::Uppercase:
        return SetUpperCase(name);
    case CaseMode::None:
        break;
    }
    return Name(name);
}

} // namespace quillon
