// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/presets/Preset.h"

#include "workspace/presets/JsonValue.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

namespace {

template <typename E>
struct Word {
    const char* text;
    E value;
};

constexpr Word<PresetSort> kSorts[] = {
    {"name", PresetSort::Name},       {"date", PresetSort::Date},
    {"taken", PresetSort::Taken},     {"modified", PresetSort::Modified},
    {"natural", PresetSort::Natural},
};
constexpr Word<CaseMode> kModes[] = {
    {"smart", CaseMode::Smart},         {"first-letters", CaseMode::FirstLetters},
    {"lowercase", CaseMode::Lowercase}, {"uppercase", CaseMode::Uppercase},
    {"none", CaseMode::None},
};
constexpr Word<Scope> kScopes[] = {
    {"names", Scope::FileNamesOnly},
    {"extensions", Scope::ExtensionsOnly},
    {"both", Scope::Both},
};

struct CaseFlag {
    const char* key;
    bool SmartCaseOptions::*flag;
};
constexpr CaseFlag kCaseFlags[] = {
    {"mostLetters", &SmartCaseOptions::mostLetters},
    {"upToLastDelimiters", &SmartCaseOptions::mostLettersLastField},
    {"smallWords", &SmartCaseOptions::smallWords},
    {"hyphenated", &SmartCaseOptions::hyphen},
    {"afterCommas", &SmartCaseOptions::commas},
    {"unknownAcronyms", &SmartCaseOptions::unknownAcronyms},
    {"knownWords", &SmartCaseOptions::knownWords},
};

// The "Replace" group in the order of its controls; a text or a flag each.
struct ReplaceField {
    const char* key;
    Name ReplaceSettings::*text;
    bool ReplaceSettings::*flag;
};
constexpr ReplaceField kReplaceFields[] = {
    {"replace", &ReplaceSettings::find, nullptr},
    {"with", &ReplaceSettings::replaceWith, nullptr},
    {"caseSensitive", nullptr, &ReplaceSettings::caseSensitive},
    {"regularExpression", nullptr, &ReplaceSettings::regularExpression},
    {"updateCase", nullptr, &ReplaceSettings::updateCase},
    {"cumulate", nullptr, &ReplaceSettings::cumulate},
    {"delete", nullptr, &ReplaceSettings::deleteEnabled},
    {"deletePos", &ReplaceSettings::deletePos, nullptr},
    {"deleteLength", &ReplaceSettings::deleteLength, nullptr},
    {"insert", nullptr, &ReplaceSettings::insertEnabled},
    {"insertPos", &ReplaceSettings::insertPos, nullptr},
    {"insertString", &ReplaceSettings::insertText, nullptr},
    {"spacesFromPercent20AndUnderscore", nullptr,
     &ReplaceSettings::spacesFromPercent20AndUnderscore},
    {"deleteDigits", nullptr, &ReplaceSettings::deleteDigits},
    {"deleteExtraSpaces", nullptr, &ReplaceSettings::deleteExtraSpaces},
    {"numberDuplicates", nullptr, &ReplaceSettings::numberDuplicates},
};

template <typename E, std::size_t N>
const char* wordOf(const Word<E> (&words)[N], E value) {
    for (const auto& w : words) {
        if (w.value == value)
            return w.text;
    }
    return words[0].text;
}

// Reads one object of the file; the first problem wins.
class PresetReader final {
public:
    explicit PresetReader(Preset& preset)
        : m_preset(preset) {}

    std::optional<PresetProblem> problem() const { return m_problem; }

    void document(const JsonValue& root) {
        if (root.kind() != JsonValue::Kind::Object)
            return refuse("", "the file holds no JSON object");
        version(root.member("version"));
        onlyKnown(root, "", {"version", "mask", "sort", "case", "replace"});
        text(root.member("mask"), "mask", m_preset.mask);
        word(root.member("sort"), "sort", kSorts, m_preset.sort);
        if (const JsonValue* c = object(root.member("case"), "case"))
            caseGroup(*c);
        if (const JsonValue* r = object(root.member("replace"), "replace"))
            replaceGroup(*r);
    }

    void refuse(std::string field, std::string reason) {
        if (!m_problem)
            m_problem = PresetProblem{std::move(field), std::move(reason)};
    }

private:
    void version(const JsonValue* v) {
        if (!v)
            return refuse("version", "missing");
        if (v->kind() != JsonValue::Kind::Number ||
            v->numberText() != std::to_string(kPresetVersion))
            refuse("version", "unknown version (this Quillon reads version " +
                                  std::to_string(kPresetVersion) + ")");
    }

    void onlyKnown(const JsonValue& object, const std::string& prefix,
                   std::initializer_list<std::string_view> known) {
        for (const auto& [key, value] : object.members()) {
            if (std::find(known.begin(), known.end(), key) == known.end())
                refuse(prefix + key, "unknown field");
        }
    }

    const JsonValue* object(const JsonValue* v, const std::string& field) {
        if (v && v->kind() != JsonValue::Kind::Object) {
            refuse(field, "not an object");
            return nullptr;
        }
        return v;
    }

    void flag(const JsonValue* v, const std::string& field, bool& out) {
        if (!v)
            return;
        if (v->kind() != JsonValue::Kind::Boolean)
            return refuse(field, "not true or false");
        out = v->boolean();
    }

    void text(const JsonValue* v, const std::string& field, Name& out) {
        if (!v)
            return;
        if (v->kind() != JsonValue::Kind::String)
            return refuse(field, "not a string");
        const Name& s = v->string();
        if (s.size() > kPresetTextLimit)
            return refuse(field, "longer than " + std::to_string(kPresetTextLimit) + " characters");
        if (std::any_of(s.begin(), s.end(), [](char32_t c) { return c < 0x20 || c == 0x7F; }))
            return refuse(field, "holds a control character");
        out = s;
    }

    template <typename E, std::size_t N>
    void word(const JsonValue* v, const std::string& field, const Word<E> (&words)[N], E& out) {
        if (!v)
            return;
        if (v->kind() == JsonValue::Kind::String) {
            for (const auto& w : words) {
                if (v->string() == Name(w.text, w.text + std::char_traits<char>::length(w.text))) {
                    out = w.value;
                    return;
                }
            }
        }
        std::string allowed;
        for (const auto& w : words)
            allowed += std::string(allowed.empty() ? "" : ", ") + '"' + w.text + '"';
        refuse(field, "not one of " + allowed);
    }

    void caseGroup(const JsonValue& c) {
        std::vector<std::string_view> known = {"mode"};
        for (const auto& f : kCaseFlags)
            known.emplace_back(f.key);
        for (const auto& [key, value] : c.members()) {
            if (std::find(known.begin(), known.end(), key) == known.end())
                refuse("case." + key, "unknown field");
        }
        ReplaceSettings& s = m_preset.settings;
        word(c.member("mode"), "case.mode", kModes, s.caseMode);
        for (const auto& f : kCaseFlags)
            flag(c.member(f.key), std::string("case.") + f.key, s.smartOptions.*f.flag);
        // "Up to last delimiters" can be ticked only with "Most first letters" off.
        s.smartOptions.mostLettersLastFieldEnabled = !s.smartOptions.mostLetters;
    }

    void replaceGroup(const JsonValue& r) {
        for (const auto& member : r.members()) {
            const std::string& key = member.first;
            const bool knownKey =
                key == "scope" || std::any_of(std::begin(kReplaceFields), std::end(kReplaceFields),
                                              [&](const ReplaceField& f) { return key == f.key; });
            if (!knownKey)
                refuse("replace." + key, "unknown field");
        }
        ReplaceSettings& s = m_preset.settings;
        for (const auto& f : kReplaceFields) {
            const std::string field = std::string("replace.") + f.key;
            if (f.text)
                text(r.member(f.key), field, s.*f.text);
            else
                flag(r.member(f.key), field, s.*f.flag);
        }
        word(r.member("scope"), "replace.scope", kScopes, s.scope);
    }

    Preset& m_preset;
    std::optional<PresetProblem> m_problem;
};

void appendLine(std::string& out, int indent, const char* key, const std::string& value,
                bool last) {
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
    out += '"';
    out += key;
    out += "\": ";
    out += value;
    out += last ? "\n" : ",\n";
}

std::string jsonText(NameView text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

std::string jsonWord(const char* word) {
    return std::string("\"") + word + '"';
}

std::string jsonFlag(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::variant<Preset, PresetProblem> parsePreset(std::string_view text) {
    std::string error;
    const auto root = JsonValue::parse(text, error);
    if (!root)
        return PresetProblem{"", "not valid JSON: " + error};
    Preset preset;
    PresetReader reader(preset);
    reader.document(*root);
    if (const auto problem = reader.problem())
        return *problem;
    return preset;
}

std::string presetText(const Preset& preset) {
    const ReplaceSettings& s = preset.settings;
    std::string out = "{\n";
    appendLine(out, 1, "version", std::to_string(kPresetVersion), false);
    appendLine(out, 1, "mask", jsonText(preset.mask), false);
    appendLine(out, 1, "sort", jsonWord(wordOf(kSorts, preset.sort)), false);
    out += "  \"case\": {\n";
    appendLine(out, 2, "mode", jsonWord(wordOf(kModes, s.caseMode)), false);
    for (const auto& f : kCaseFlags)
        appendLine(out, 2, f.key, jsonFlag(s.smartOptions.*f.flag),
                   &f == &kCaseFlags[std::size(kCaseFlags) - 1]);
    out += "  },\n  \"replace\": {\n";
    for (const auto& f : kReplaceFields)
        appendLine(out, 2, f.key, f.text ? jsonText(s.*f.text) : jsonFlag(s.*f.flag), false);
    appendLine(out, 2, "scope", jsonWord(wordOf(kScopes, s.scope)), true);
    out += "  }\n}\n";
    return out;
}

} // namespace quillon
