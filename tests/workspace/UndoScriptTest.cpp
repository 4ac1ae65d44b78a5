// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/UndoScript.h"
#include "workspace/FolderReader.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace quillon;

namespace {

// What /bin/sh makes of one quoted word, byte for byte.
std::string throughShell(const std::string& bytes) {
    std::string command = "printf '%s' ";
    appendShellQuoted(command, bytes);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<popen failed>";
    std::string out;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

TEST(ShellQuoting, EveryByteComesBackAndNothingRuns) {
    const std::string rows[] = {
        "plain.txt", "'; rm -rf x; '",     "$(touch pwned)",       "`touch pwned`", "a\nb\n",
        "-n",        "\\\\ \" '' \t*?[a]", "caf\xE9 \xFF\x80.txt", "${HOME}%s%%",
    };
    for (const std::string& name : rows)
        EXPECT_EQ(throughShell(name), name) << testing::PrintToString(name);
}

TEST(UndoScriptText, TakesRenamesBackNewestFirstAndCaseOnlyByTheirOwnWay) {
    const std::string text = undoScriptText({true,
                                             {{"1.txt", "2.txt", {}, {}},
                                              {"2.txt", "3.txt", {}, {}},
                                              {"abc", "Abc", "_t", {}},
                                              {"_s", "x", {}, "_m"}}});
    EXPECT_EQ(text.find("swap_back 'x' '_s' '_m'\n"), text.find("\n# The renames") + 41);
    const auto first = text.find("case_back 'Abc' 'abc' '_t'\n");
    const auto second = text.find("back '3.txt' '2.txt'\n");
    const auto third = text.find("back '2.txt' '1.txt'\n");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    ASSERT_NE(third, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_TRUE(hasUndoScriptSignature(text));
    // It deletes itself by its own path, never by the fixed name.
    EXPECT_EQ(text.find(kUndoScriptName), std::string::npos);
    EXPECT_NE(text.find("rm -f -- \"$self\""), std::string::npos);
}

TEST(ParseUndoScript, ReadsBackWhatItWroteAndNothingElse) {
    const UndoRecord records[] = {
        {false, {}},
        {true, {{"a", "b", {}, {}}}},
        {false,
         {{"it's", "'';$(x)\n", {}, {}},
          {"caf\xE9", "CAF\xC9", "_Quillon case 1-0.tmp", {}},
          {"_Quillon swap 1-1.tmp", "b", {}, "_Quillon swap done 1-2.tmp"}}},
    };
    for (const UndoRecord& record : records) {
        const std::string text = undoScriptText(record);
        const auto parsed = parseUndoScript(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(parsed->planned, record.planned);
        ASSERT_EQ(parsed->steps.size(), record.steps.size());
        for (std::size_t i = 0; i < record.steps.size(); ++i) {
            EXPECT_EQ(parsed->steps[i].from, record.steps[i].from);
            EXPECT_EQ(parsed->steps[i].to, record.steps[i].to);
            EXPECT_EQ(parsed->steps[i].temporary, record.steps[i].temporary);
            EXPECT_EQ(parsed->steps[i].marker, record.steps[i].marker);
        }
    }
    const std::string good = undoScriptText({false, {{"a", "b", {}, {}}}});
    const std::string line = "back 'b' 'a'\n";
    const std::string edits[] = {
        "",
        good.substr(0, good.size() - 1),
        good + "rm -rf /\n",
        std::string(good).replace(good.find(line), line.size(), "back 'b' 'a'; rm x\n"),
        std::string(good).replace(good.find(line), line.size(), "back 'b'\n"),
        std::string(good).replace(good.find(line), line.size(), "back 'b' 'a\n"),
        std::string(good).replace(good.find(line), line.size(), "case_back 'b' 'a' ''\n"),
        std::string(good).replace(good.find("unset CDPATH"), 12, "unset PATH"),
    };
    for (const std::string& text : edits)
        EXPECT_FALSE(parseUndoScript(text).has_value()) << text;
}

} // namespace
