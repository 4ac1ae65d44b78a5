// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "RecordBuilder.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <set>

using namespace quillon;
using namespace quillon::test;
using Snapshot = std::map<std::string, std::string>;

namespace {

// Saves folder after giving entry i the new name renames[i]; every question
// is answered with yes / OK.
SaveResult saveWith(FileSystem& fs, const std::string& folder, NameView mask,
                    const std::vector<std::string>& renames, bool createUndoFile = true,
                    bool answerYes = true) {
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    EXPECT_TRUE(ws.load(folder, mask).ok());
    EXPECT_EQ(ws.preview().size(), renames.size());
    for (std::size_t i = 0; i < renames.size() && i < ws.preview().size(); ++i)
        ws.renameEntry(i, decodeName(renames[i]), false);
    SaveCallbacks ask;
    ask.confirm = [&](bool& createUndo) {
        createUndo = createUndoFile;
        return answerYes;
    };
    const SaveResult result = ws.save(mask, ask);
    if (result.status == SaveStatus::Saved) {
        // The lists show the disk as it now is.
        for (std::size_t i = 0; i < ws.preview().size(); ++i)
            EXPECT_EQ(ws.preview().names[i], ws.folderList().names[i]);
    }
    return result;
}

Snapshot renamed(Snapshot s, const std::vector<std::pair<std::string, std::string>>& moves) {
    for (const auto& [from, to] : moves) {
        s[to] = s[from];
        s.erase(from);
    }
    return s;
}

TEST(SaveOnDisk, HostileNamesAreRenamedAndTheScriptBringsThemBackByteForByte) {
    TempFolder dir;
    TempFolder elsewhere;
    const std::vector<std::pair<std::string, std::string>> moves = {
        {"'; rm -rf x; '", "$(touch pwned)"},
        {"-n", "`touch pwned`"},
        {"a\nb.txt", "a\n\nb .txt"},
        {"caf\xE9.txt", "caf\xC3\xA9 \xFF.txt"},
        {"plain.txt", "-rf"},
        {"quote\".txt", "\\$HOME ${IFS}*"},
    };
    std::vector<std::string> olds;
    for (const auto& [from, to] : moves) {
        writeFile(dir.file(from), "content of " + from);
        olds.push_back(from);
    }
    writeFile(dir.file("x"), "not listed, not to be deleted");
    PosixFileSystem fs;
    Workspace probe(fs);
    probe.setCaseMode(CaseMode::None, {});
    probe.load(dir.path(), U"*.*");
    // Pair each listed name with its new name, whatever order the list has.
    std::vector<std::string> renames;
    for (const std::string_view n : probe.folderList().names) {
        const std::string bytes(n);
        if (bytes == "x") {
            renames.push_back("x");
            continue;
        }
        const auto it = std::find_if(moves.begin(), moves.end(),
                                     [&](const auto& m) { return m.first == bytes; });
        ASSERT_NE(it, moves.end()) << bytes;
        renames.push_back(it->second);
    }
    const Snapshot before = snapshot(dir.path());
    const SaveResult result = saveWith(fs, dir.path(), U"*.*", renames);
    EXPECT_EQ(result.renamed, moves.size());
    Snapshot expected = renamed(before, moves);
    Snapshot after = snapshot(dir.path());
    ASSERT_EQ(after.count(kUndoScriptName), 1u);
    after.erase(kUndoScriptName);
    EXPECT_EQ(after, expected);

    EXPECT_EQ(runUndoScript(dir.path(), elsewhere.path()), 0);
    EXPECT_EQ(snapshot(dir.path()), before); // the script deleted itself too
    EXPECT_TRUE(snapshot(elsewhere.path()).empty());
}

TEST(SaveOnDisk, RenumberingChainIsDoneInListOrderAndUndoneBackwards) {
    TempFolder dir;
    TempFolder elsewhere;
    for (const char* name : {"2.txt", "3.txt", "a.txt"})
        writeFile(dir.file(name), name);
    const Snapshot before = snapshot(dir.path());
    PosixFileSystem fs;
    EXPECT_EQ(saveWith(fs, dir.path(), U"*.txt", {"1.txt", "2.txt", "3.txt"}).renamed, 3u);
    EXPECT_EQ(readFile(dir.file("1.txt")), "2.txt");
    EXPECT_EQ(readFile(dir.file("2.txt")), "3.txt");
    EXPECT_EQ(readFile(dir.file("3.txt")), "a.txt");
    EXPECT_EQ(runUndoScript(dir.path(), elsewhere.path()), 0);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(SaveOnDisk, ScriptLeavesAnOldNameThatWasTakenSinceAndKeepsItself) {
    TempFolder dir;
    TempFolder elsewhere;
    writeFile(dir.file("a"), "first a");
    PosixFileSystem fs;
    saveWith(fs, dir.path(), U"*.*", {"b"});
    writeFile(dir.file("a"), "a newer file named a");
    EXPECT_NE(runUndoScript(dir.path(), elsewhere.path()), 0);
    EXPECT_EQ(readFile(dir.file("a")), "a newer file named a");
    EXPECT_EQ(readFile(dir.file("b")), "first a");
    EXPECT_EQ(snapshot(dir.path()).count(kUndoScriptName), 1u);
}

TEST(SaveOnDisk, WithoutUndoFileTheOldOneGoesAndNoneIsWrittenAndNoTouchesNothing) {
    struct Row {
        bool createUndoFile;
        bool answerYes;
        bool renamed;
        bool oldScriptStays;
    };
    for (const Row row : {Row{false, true, true, false}, Row{true, false, false, true}}) {
        TempFolder dir;
        writeFile(dir.file("a"), "a");
        const std::string oldScript =
            undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"y", "x"}}}));
        writeFile(dir.file(kUndoScriptName), oldScript);
        PosixFileSystem fs;
        saveWith(fs, dir.path(), U"*.*", {"b"}, row.createUndoFile, row.answerYes);
        Snapshot expected{{row.renamed ? "b" : "a", "a"}};
        if (row.oldScriptStays)
            expected[kUndoScriptName] = oldScript;
        EXPECT_EQ(snapshot(dir.path()), expected);
    }
}

// Fails renames at random before they reach the disk, so a failure never
// half-happens; records which entries were reported.
class FlakyDisk final : public ForwardingFileSystem {
public:
    FlakyDisk(FileSystem& disk, std::mt19937& rng)
        : ForwardingFileSystem(disk)
        , m_rng(rng) {}
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        static constexpr int kErrors[] = {EBUSY, EACCES, EIO};
        if (m_rng() % 6 == 0)
            return kErrors[m_rng() % 3];
        return m_disk.renameDirect(f, from, to);
    }

private:
    std::mt19937& m_rng;
};

std::string randomName(std::mt19937& rng) {
    static const std::string letters = "abAB1\xE9";
    std::string name;
    for (std::size_t n = 1 + rng() % 2; n > 0; --n)
        name.push_back(letters[rng() % letters.size()]);
    static const char* const exts[] = {".txt", ".TXT", ".dat"};
    return name + exts[rng() % 3];
}

TEST(SaveOnDisk, SeededFoldersLoseNoFileAndReportEveryRenameThatDidNotHappen) {
    PosixFileSystem disk;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        TempFolder dir;
        TempFolder elsewhere;
        std::set<std::string> made;
        for (std::size_t n = 2 + rng() % 9; made.size() < n;) {
            const std::string name = randomName(rng);
            if (made.insert(name).second)
                writeFile(dir.file(name), "file " + std::to_string(made.size()));
        }
        const Snapshot before = snapshot(dir.path());

        FlakyDisk fs(disk, rng);
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::None, {});
        ASSERT_TRUE(ws.load(dir.path(), U"*.txt").ok()); // .dat stays outside
        std::vector<Name> listed;
        for (std::size_t i = 0; i < ws.folderList().names.size(); ++i)
            listed.push_back(ws.folderList().names.decoded(i));
        std::vector<Name> wanted;
        for (std::size_t i = 0; i < listed.size(); ++i) {
            Name to;
            switch (rng() % 5) {
            case 0: // swap or chain onto another listed name
                to = listed[rng() % listed.size()];
                break;
            case 1: // a name outside the list, or any fresh one
                to = decodeName(randomName(rng));
                break;
            case 2: // letter case only
                to = listed[i];
                for (char32_t& c : to)
                    c = (c >= U'a' && c <= U'z') ? c - 32 : (c >= U'A' && c <= U'Z') ? c + 32 : c;
                break;
            case 3:
                to = listed[i];
                break;
            default:
                to = listed[i] + U"~" + static_cast<char32_t>(U'0' + i % 10);
            }
            wanted.push_back(to);
            ws.renameEntry(i, to, false);
        }

        std::set<std::size_t> reported;
        SaveCallbacks ask;
        ask.confirm = [](bool&) {
            return true;
        };
        ask.renameFailed = [&](const RenameFailure& f) {
            const unsigned pick = rng() % 10;
            if (pick < 2)
                return RenameFailureChoice::Retry;
            reported.insert(f.index);
            return pick == 9 ? RenameFailureChoice::Abort : RenameFailureChoice::Skip;
        };
        const SaveResult result = ws.save(U"*.txt", ask);

        // Every content is still there exactly once.
        Snapshot after = snapshot(dir.path());
        const bool haveScript = after.erase(kUndoScriptName) == 1;
        std::multiset<std::string> contentsBefore, contentsAfter;
        for (const auto& [name, content] : before)
            contentsBefore.insert(content);
        for (const auto& [name, content] : after)
            contentsAfter.insert(content);
        EXPECT_EQ(contentsAfter, contentsBefore);
        if (result.status != SaveStatus::Saved)
            continue; // refused (duplicates): nothing may have changed
        // Each entry is where it was meant to go, or it was reported (or
        // never tried after Abort).
        std::set<std::size_t> notRenamed(result.notRenamed.begin(), result.notRenamed.end());
        for (std::size_t i = 0; i < listed.size(); ++i) {
            const std::string from = encodeName(listed[i]);
            const std::string to = encodeName(wanted[i]);
            if (from == to)
                continue;
            if (notRenamed.count(i)) {
                // Taking a broken cycle back may meet a failure too; the
                // undo script below still has to bring every file home.
                const bool rolledBack =
                    std::count(result.rolledBack.begin(), result.rolledBack.end(), i) != 0;
                if (!rolledBack) {
                    EXPECT_EQ(after[from], before.at(from)) << from;
                }
                EXPECT_TRUE(reported.count(i) || result.aborted || rolledBack) << from;
            } else {
                EXPECT_EQ(after[to], before.at(from)) << from << " > " << to;
            }
        }
        EXPECT_EQ(haveScript, result.renamed > 0);
        if (haveScript) {
            EXPECT_EQ(runUndoScript(dir.path(), elsewhere.path()), 0);
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

} // namespace
