#include "cli/JsonWriter.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::cli;

namespace {

std::string jsonString(NameView name) {
    std::string out;
    appendJsonString(out, name);
    return out;
}

TEST(JsonWriterTest, EscapesWhatJsonNeedsAndTheBytesThatAreNotText) {
    const Name carried = decodeName("caf\xE9\x80\xFF");
    const struct {
        NameView name;
        const char* json;
    } rows[] = {
        {U"", R"("")"},
        {U"a\"b\\c", R"("a\"b\\c")"},
        {U"\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {U"\x01\x1f", R"("\u0001\u001f")"},
        {U"\x7f", "\"\x7f\""},
        // Real characters stay UTF-8; only the carried bytes become escapes.
        {U"caf\u00e9 \U0001F600", "\"caf\xC3\xA9 \xF0\x9F\x98\x80\""},
        {carried, R"("caf\udce9\udc80\udcff")"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(jsonString(row.name), row.json);
}

TEST(JsonWriterTest, ReportLayout) {
    RenameReport report;
    report.folder = "/d\xFF";
    EXPECT_EQ(toJson(report), R"({"folder": "/d\udcff", "entries": [], "failed": []})"
                              "\n");

    report.entries = {{U"a", U"A", true}, {U"b", U"b", false}};
    report.failed = {{U"a", U"A", "\"a\"\ncould not be renamed."}};
    EXPECT_EQ(toJson(report),
              R"({"folder": "/d\udcff", "entries": [{"old": "a", "new": "A", "checked": true}, )"
              R"({"old": "b", "new": "b", "checked": false}], )"
              R"("failed": [{"old": "a", "new": "A", "error": "\"a\"\ncould not be renamed."}]})"
              "\n");
}

} // namespace
