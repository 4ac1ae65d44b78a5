// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/presets/Preset.h"
#include "TempFolder.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/presets/JsonValue.h"
#include "workspace/presets/PresetStore.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quillon;
using namespace quillon::test;

namespace {

// A preset with every field away from its default.
Preset everyFieldChanged() {
    Preset p;
    p.mask = U"a\\*;*.MP3;\xDCFF\u00E9\"\\\\";
    p.sort = PresetSort::Natural;
    ReplaceSettings& s = p.settings;
    s.find = U"/1/ - /2/";
    s.replaceWith = U"/2/ \u2014 \"/1/\"";
    s.caseSensitive = true;
    s.regularExpression = true;
    s.updateCase = false;
    s.cumulate = false;
    s.deleteEnabled = true;
    s.deletePos = U"-3";
    s.deleteLength = U"2";
    s.insertEnabled = true;
    s.insertPos = U"0";
    s.insertText = U" (Rome)";
    s.spacesFromPercent20AndUnderscore = false;
    s.deleteDigits = true;
    s.deleteExtraSpaces = false;
    s.numberDuplicates = true;
    s.scope = Scope::Both;
    s.caseMode = CaseMode::Uppercase;
    SmartCaseOptions& o = s.smartOptions;
    o.mostLetters = false;
    o.mostLettersLastField = true;
    o.mostLettersLastFieldEnabled = true;
    o.smallWords = true;
    o.hyphen = false;
    o.commas = true;
    o.unknownAcronyms = false;
    o.knownWords = false;
    return p;
}

void expectSame(const Preset& a, const Preset& b) {
    EXPECT_EQ(a.mask, b.mask);
    EXPECT_EQ(a.sort, b.sort);
    const ReplaceSettings& x = a.settings;
    const ReplaceSettings& y = b.settings;
    EXPECT_EQ(x.find, y.find);
    EXPECT_EQ(x.replaceWith, y.replaceWith);
    EXPECT_EQ(x.caseSensitive, y.caseSensitive);
    EXPECT_EQ(x.regularExpression, y.regularExpression);
    EXPECT_EQ(x.updateCase, y.updateCase);
    EXPECT_EQ(x.cumulate, y.cumulate);
    EXPECT_EQ(x.deleteEnabled, y.deleteEnabled);
    EXPECT_EQ(x.deletePos, y.deletePos);
    EXPECT_EQ(x.deleteLength, y.deleteLength);
    EXPECT_EQ(x.insertEnabled, y.insertEnabled);
    EXPECT_EQ(x.insertPos, y.insertPos);
    EXPECT_EQ(x.insertText, y.insertText);
    EXPECT_EQ(x.spacesFromPercent20AndUnderscore, y.spacesFromPercent20AndUnderscore);
    EXPECT_EQ(x.deleteDigits, y.deleteDigits);
    EXPECT_EQ(x.deleteExtraSpaces, y.deleteExtraSpaces);
    EXPECT_EQ(x.numberDuplicates, y.numberDuplicates);
    EXPECT_EQ(x.scope, y.scope);
    EXPECT_EQ(x.caseMode, y.caseMode);
    EXPECT_EQ(x.smartOptions, y.smartOptions);
}

Preset parsed(std::string_view text) {
    auto result = parsePreset(text);
    if (auto* problem = std::get_if<PresetProblem>(&result)) {
        ADD_FAILURE() << problem->field << ": " << problem->reason << "\n" << text;
        return {};
    }
    return std::get<Preset>(result);
}

TEST(Preset, EveryFieldRoundTrips) {
    for (const Preset& p : {Preset{}, everyFieldChanged()})
        expectSame(parsed(presetText(p)), p);
}

TEST(Preset, TextHoldsEveryFieldByName) {
    const std::string text = presetText(everyFieldChanged());
    for (const char* key : {"\"version\": 1",
                            "\"sort\": \"natural\"",
                            "\"mode\": \"uppercase\"",
                            "\"mostLetters\"",
                            "\"upToLastDelimiters\"",
                            "\"smallWords\"",
                            "\"hyphenated\"",
                            "\"afterCommas\"",
                            "\"unknownAcronyms\"",
                            "\"knownWords\"",
                            "\"replace\": \"/1/ - /2/\"",
                            "\"with\"",
                            "\"caseSensitive\"",
                            "\"regularExpression\"",
                            "\"updateCase\"",
                            "\"cumulate\"",
                            "\"delete\"",
                            "\"deletePos\": \"-3\"",
                            "\"deleteLength\"",
                            "\"insert\"",
                            "\"insertPos\"",
                            "\"insertString\"",
                            "\"spacesFromPercent20AndUnderscore\"",
                            "\"deleteDigits\"",
                            "\"deleteExtraSpaces\"",
                            "\"numberDuplicates\": true",
                            "\"scope\": \"both\"",
                            "\\udcff"})
        EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST(Preset, MissingFieldsTakeTheWindowsDefaults) {
    expectSame(parsed(R"({"version": 1})"), Preset{});
    const Preset p = parsed(R"({"version": 1, "case": {"mode": "none"}, "replace": {}})");
    EXPECT_EQ(p.settings.caseMode, CaseMode::None);
    EXPECT_TRUE(p.settings.smartOptions.mostLetters);
    EXPECT_TRUE(p.settings.deleteExtraSpaces);
    EXPECT_EQ(p.mask, U"*.*");
}

struct RefusedRow {
    const char* what;
    const char* text;
    const char* field;
};

TEST(Preset, RefusesNamingTheField) {
    const RefusedRow rows[] = {
        {"empty file", "", ""},
        {"not JSON", "mask=*.mp3", ""},
        {"trailing comma", R"({"version": 1,})", ""},
        {"comment", "{\"version\": 1} // x", ""},
        {"unfinished", R"({"version": 1, "mask": "a)", ""},
        {"duplicate key", R"({"version": 1, "version": 1})", ""},
        {"raw control character", "{\"version\": 1, \"mask\": \"a\tb\"}", ""},
        {"lone surrogate", R"({"version": 1, "mask": "\ud800"})", ""},
        {"an array", R"([1])", ""},
        {"too deep", "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
         ""},
        {"no version", R"({"mask": "*"})", "version"},
        {"unknown version", R"({"version": 2})", "version"},
        {"version as text", R"({"version": "1"})", "version"},
        {"version 1.0", R"({"version": 1.0})", "version"},
        {"unknown field", R"({"version": 1, "colour": "red"})", "colour"},
        {"unknown case field", R"({"version": 1, "case": {"shout": true}})", "case.shout"},
        {"unknown replace field", R"({"version": 1, "replace": {"Replace": ""}})",
         "replace.Replace"},
        {"mask not text", R"({"version": 1, "mask": 3})", "mask"},
        {"escaped control character", R"({"version": 1, "mask": "a\nb"})", "mask"},
        {"bad sort", R"({"version": 1, "sort": "size"})", "sort"},
        {"bad mode", R"({"version": 1, "case": {"mode": "Smart"}})", "case.mode"},
        {"flag as text", R"({"version": 1, "case": {"hyphenated": "yes"}})", "case.hyphenated"},
        {"case not object", R"({"version": 1, "case": "smart"})", "case"},
        {"bad scope", R"({"version": 1, "replace": {"scope": "all"}})", "replace.scope"},
        {"flag as number", R"({"version": 1, "replace": {"delete": 1}})", "replace.delete"},
        {"numbering as text", R"({"version": 1, "replace": {"numberDuplicates": "on"}})",
         "replace.numberDuplicates"},
        {"position as number", R"({"version": 1, "replace": {"deletePos": 3}})",
         "replace.deletePos"},
    };
    for (const RefusedRow& row : rows) {
        const auto result = parsePreset(row.text);
        const auto* problem = std::get_if<PresetProblem>(&result);
        ASSERT_NE(problem, nullptr) << row.what;
        EXPECT_EQ(problem->field, row.field) << row.what << ": " << problem->reason;
        EXPECT_FALSE(problem->reason.empty()) << row.what;
    }
}

TEST(Preset, RefusesOverlongText) {
    const std::string text =
        R"({"version": 1, "replace": {"with": ")" + std::string(kPresetTextLimit + 1, 'x') + "\"}}";
    const auto result = parsePreset(text);
    ASSERT_TRUE(std::holds_alternative<PresetProblem>(result));
    EXPECT_EQ(std::get<PresetProblem>(result).field, "replace.with");
}

TEST(JsonValue, ReadsEscapesAndPairs) {
    std::string error;
    const auto v = JsonValue::parse(R"(["\u00e9\ud83d\ude00\/\"", -0.5e+3, null, false])", error);
    ASSERT_NE(v, nullptr) << error;
    ASSERT_EQ(v->items().size(), 4u);
    EXPECT_EQ(v->items()[0].string(), U"\u00E9\U0001F600/\"");
    EXPECT_EQ(v->items()[1].numberText(), "-0.5e+3");
    EXPECT_EQ(v->items()[2].kind(), JsonValue::Kind::Null);
    for (const char* bad : {"01", "1.", "-", "+1", "tru", "\"\\x\"", "{\"a\" 1}", "[1 2]"})
        EXPECT_EQ(JsonValue::parse(bad, error), nullptr) << bad;
}

TEST(PresetStore, RefusesHostileNames) {
    for (const char* name : {"", ".", "..", "../x", "a/b", "/etc/passwd", ".hidden", "a\nb"})
        EXPECT_FALSE(PresetStore::isValidName(name)) << name;
    EXPECT_FALSE(PresetStore::isValidName(std::string(PresetStore::kLongestName + 1, 'a')));
    for (const char* name : {"Music", "a b", "caf\xC3\xA9", "x..y", "\xFF"})
        EXPECT_TRUE(PresetStore::isValidName(name)) << name;

    TempFolder dir;
    PosixFileSystem fs;
    PresetStore store(fs, dir.path() + "/presets");
    EXPECT_NE(store.save("../escaped", Preset{}), 0);
    EXPECT_NE(store.rename("a", "../b"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("escaped.json")));
    const auto loaded = store.load("..");
    ASSERT_TRUE(std::holds_alternative<PresetRefusal>(loaded));
}

TEST(PresetStore, SavesListsRenamesAndRemoves) {
    TempFolder dir;
    PosixFileSystem fs;
    PresetStore store(fs, dir.path() + "/quillon/presets");
    EXPECT_TRUE(store.names().empty());
    ASSERT_EQ(store.save("Music", everyFieldChanged()), 0);
    ASSERT_EQ(store.save("Photos", Preset{}), 0);
    ASSERT_EQ(store.save("Music", everyFieldChanged()), 0); // replaces its own file
    EXPECT_EQ(store.names(), (std::vector<std::string>{"Music", "Photos"}));
    const auto loaded = store.load("Music");
    ASSERT_TRUE(std::holds_alternative<Preset>(loaded));
    expectSame(std::get<Preset>(loaded), everyFieldChanged());
    EXPECT_EQ(store.rename("Music", "Photos"), EEXIST);
    EXPECT_EQ(store.rename("Music", "Songs"), 0);
    EXPECT_EQ(store.remove("Photos"), 0);
    EXPECT_EQ(store.names(), std::vector<std::string>{"Songs"});
}

TEST(PresetStore, RefusalNamesTheFileAndTheField) {
    TempFolder dir;
    PosixFileSystem fs;
    PresetStore store(fs, dir.path());
    std::ofstream(dir.file("bad.json")) << R"({"version": 1, "replace": {"scope": 7}})";
    const auto loaded = store.load("bad");
    ASSERT_TRUE(std::holds_alternative<PresetRefusal>(loaded));
    const std::string message = describeRefusal(std::get<PresetRefusal>(loaded));
    EXPECT_NE(message.find(dir.file("bad.json")), std::string::npos) << message;
    EXPECT_NE(message.find("replace.scope"), std::string::npos) << message;
    const auto missing = store.load("missing");
    ASSERT_TRUE(std::holds_alternative<PresetRefusal>(missing));
    EXPECT_EQ(std::get<PresetRefusal>(missing).error, ENOENT);
}

} // namespace
