// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonWriter.h"
#include "cli/ErrnoName.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <cerrno>

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
    EXPECT_EQ(toJson(report),
              R"({"folder": "/d\udcff", "applied": false, )"
              R"("counts": {"entries": 0, "changing": 0, "renamed": 0, "failed": 0}, )"
              R"("entries": [], "failed": []})"
              "\n");

    report.add("a", "A", true, RenameError{"\"a\" could not be renamed.", EEXIST});
    report.add("b", "b", false);
    report.add("c", "C", true, RenameError{"not tried", 0});
    report.add("d", "D", false);
    report.applied = true;
    report.renamed = 1;
    EXPECT_EQ(
        toJson(report),
        R"({"folder": "/d\udcff", "applied": true, )"
        R"("counts": {"entries": 4, "changing": 3, "renamed": 1, "failed": 2}, )"
        R"("entries": [{"old": "a", "new": "A", "checked": true, "changed": true}, )"
        R"({"old": "b", "new": "b", "checked": false, "changed": false}, )"
        R"({"old": "c", "new": "C", "checked": true, "changed": true}, )"
        R"({"old": "d", "new": "D", "checked": false, "changed": true}], )"
        R"("failed": [{"old": "a", "new": "A", "error": {"message": "\"a\" could not be renamed.", )"
        R"("errno": "EEXIST", "reason": "File exists"}}, )"
        R"({"old": "c", "new": "C", "error": {"message": "not tried", "errno": null, "reason": null}}]})"
        "\n");
}

TEST(JsonWriterTest, ErrnoNames) {
    EXPECT_EQ(errnoName(EEXIST), "EEXIST");
    EXPECT_EQ(errnoName(EACCES), "EACCES");
    EXPECT_EQ(errnoName(ENAMETOOLONG), "ENAMETOOLONG");
    EXPECT_EQ(errnoName(-7), "-7");
}

} // namespace
