// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameRules.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <charconv>
#include <iterator>

namespace quillon {

namespace {

constexpr std::string_view kOwnPrefix = "_Quillon ";
constexpr std::string_view kOwnSuffix = ".tmp";

struct OwnKindName {
    std::string_view word;
    OwnNameKind kind;
};

// "swap done" before "swap": the longer word decides.
constexpr OwnKindName kOwnKinds[] = {
    {"swap done ", OwnNameKind::SwapDone},
    {"swap ", OwnNameKind::Swap},
    {"case ", OwnNameKind::Case},
    {"record ", OwnNameKind::Record},
};

bool readDigits(std::string_view& text, std::size_t most) {
    std::size_t n = 0;
    while (n < text.size() && n < most && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n == 0 || (n < text.size() && text[n] >= '0' && text[n] <= '9'))
        return false;
    text.remove_prefix(n);
    return true;
}

// TAG-COUNTER.tmp, as a process id and a counter print.
bool isOwnNumbering(std::string_view rest) {
    if (!readDigits(rest, 20) || rest.empty() || rest.front() != '-')
        return false;
    rest.remove_prefix(1);
    return readDigits(rest, 20) && rest == kOwnSuffix;
}

} // namespace

OwnNameKind ownNameKind(std::string_view name) {
    if (!name.starts_with(kOwnPrefix))
        return OwnNameKind::None;
    name.remove_prefix(kOwnPrefix.size());
    for (const OwnKindName& k : kOwnKinds) {
        if (name.starts_with(k.word))
            return isOwnNumbering(name.substr(k.word.size())) ? k.kind : OwnNameKind::None;
    }
    return OwnNameKind::None;
}

std::string_view ownNameInto(std::string& out, std::string_view kind, long tag, unsigned counter) {
    char digits[24];
    out.assign(kOwnPrefix);
    out += kind;
    out += ' ';
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), tag).ptr);
    out += '-';
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), counter).ptr);
    out += kOwnSuffix;
    return out;
}

bool isOneComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool isUndoScriptNameIgnoringCase(std::string_view bytes) {
    // Nothing folds to "_" but "_" itself: most names are out at their first
    // byte, before any decoding.
    static_assert(kUndoScriptName[0] == '_');
    if (bytes.empty() || bytes.front() != kUndoScriptName[0])
        return false;
    static const Name folded = foldSimple(decodeName(kUndoScriptName));
    // Folding never more than triples a name's bytes or shrinks them below a third.
    const std::size_t length = std::string_view(kUndoScriptName).size();
    if (bytes.size() * 3 < length || bytes.size() > length * 3)
        return false;
    return foldSimple(decodeName(bytes)) == folded;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto p = static_cast<unsigned char>(a[i]);
        const auto q = static_cast<unsigned char>(b[i]);
        if (p >= 0x80 || q >= 0x80)
            break;
        if (toLowerAscii(p) != toLowerAscii(q))
            return false;
    }
    if (i == a.size() && i == b.size())
        return true;
    return foldSimple(decodeName(a.substr(i))) == foldSimple(decodeName(b.substr(i)));
}

bool isValidNewName(std::string_view bytes) {
    return isOneComponent(bytes) && !isUndoScriptNameIgnoringCase(bytes) &&
           ownNameKind(bytes) == OwnNameKind::None;
}

} // namespace quillon
