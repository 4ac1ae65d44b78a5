// SPDX-License-Identifier: GPL-3.0-or-later
// Several paths, lists of paths and trees of folders, on real folders.
#include "JsonCheck.h"
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

using quillon::test::ProgramResult;
using quillon::test::ProgramStreams;
using quillon::test::TempFolder;

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using Paths = std::vector<std::string>;

constexpr char kRecord[] = "_Quillon - Click me to UNDO.sh";

// A temporary tree: files (and folders, ending with "/") by relative path.
class Tree final {
public:
    explicit Tree(const Paths& entries) {
        for (const std::string& entry : entries) {
            if (entry.back() == '/') {
                fs::create_directories(path(entry));
                continue;
            }
            fs::create_directories(fs::path(path(entry)).parent_path());
            std::ofstream(path(entry), std::ios::binary) << "x";
        }
    }
    std::string path(const std::string& relative = {}) const {
        return relative.empty() ? m_root.path() : m_root.path() + "/" + relative;
    }
    // Every entry below the root, links not followed, undo records left out;
    // folders end with "/".
    Paths entries() const {
        Paths out;
        for (auto it = fs::recursive_directory_iterator(m_root.path());
             it != fs::recursive_directory_iterator(); ++it) {
            const std::string name = it->path().filename().string();
            if (name == kRecord)
                continue;
            std::string relative = fs::relative(it->path(), m_root.path()).string();
            if (it->is_directory() && !it->is_symlink())
                relative += '/';
            out.push_back(relative);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    ProgramResult run(const Args& args, const std::string& input = {}) const {
        return quillon::test::runProgram(QUILLON_CLI_PATH, args, ProgramStreams{input, {}, {}});
    }

private:
    TempFolder m_root;
};

// a and b together, sorted as Tree::entries sorts.
Paths sorted(Paths a, const Paths& b = {}) {
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    return a;
}

TEST(CliPathsTest, PathsReachWhatTheyName) {
    const Paths start = {"a/1.TXT", "a/2.TXT", "b/3.TXT", "c/4.TXT", "c/5.TXT", "c/.6.TXT"};
    const struct {
        const char* what;
        Args args; ///< relative paths get the root in front
        Paths after;
    } rows[] = {
        {"two folders",
         {"a", "b"},
         {"a/1.txt", "a/2.txt", "b/3.txt", "c/.6.TXT", "c/4.TXT", "c/5.TXT"}},
        {"a file adds it alone",
         {"c/5.TXT"},
         {"a/1.TXT", "a/2.TXT", "b/3.TXT", "c/.6.TXT", "c/4.TXT", "c/5.txt"}},
        {"a folder and a hidden file in it",
         {"c", "c/.6.TXT"},
         {"a/1.TXT", "a/2.TXT", "b/3.TXT", "c/.6.txt", "c/4.txt", "c/5.txt"}},
        {"one folder twice",
         {"a", "a/./", "a/1.TXT"},
         {"a/1.txt", "a/2.txt", "b/3.TXT", "c/.6.TXT", "c/4.TXT", "c/5.TXT"}},
        {"-r below the root",
         {"-r", "."},
         {"a/1.txt", "a/2.txt", "b/3.txt", "c/.6.TXT", "c/4.txt", "c/5.txt"}},
    };
    for (const auto& row : rows) {
        const Tree tree(start);
        Args args = {"--case", "lower", "--case-scope", "extensions", "--apply"};
        for (const std::string& arg : row.args)
            args.push_back(arg.front() == '-' ? arg : tree.path(arg));
        const ProgramResult result = tree.run(args);
        EXPECT_EQ(result.status, 0) << row.what << ": " << result.err;
        EXPECT_EQ(tree.entries(), sorted(row.after, {"a/", "b/", "c/"})) << row.what;
    }
}

TEST(CliPathsTest, ListsOfPathsTakeHostileNames) {
    const std::string newline = "new\nline.JPG";
    const std::string dash = "-n.JPG";
    const std::string bytes = "caf\xE9.JPG"; // Latin-1, not UTF-8
    const struct {
        const char* what;
        Args options;
        char separator;
        Paths listed;
        int status;
        Paths after;
    } rows[] = {
        {"NUL-separated",
         {"-0"},
         '\0',
         {"d/" + newline, "d/" + dash, "e/" + bytes},
         0,
         {"d/-n.jpg", "d/new\nline.jpg", "d/other.JPG", "e/caf\xE9.jpg"}},
        {"one a line",
         {},
         '\n',
         {"d/" + dash, "e/" + bytes},
         0,
         {"d/-n.jpg", "d/new\nline.JPG", "d/other.JPG", "e/caf\xE9.jpg"}},
        {"a path that is gone renames nothing",
         {"-0"},
         '\0',
         {"d/" + dash, "d/gone.JPG"},
         1,
         {"d/-n.JPG", "d/new\nline.JPG", "d/other.JPG", "e/caf\xE9.JPG"}},
    };
    for (const auto& row : rows) {
        const Tree tree({"d/" + newline, "d/" + dash, "d/other.JPG", "e/" + bytes});
        std::string input;
        for (const std::string& path : row.listed)
            input += tree.path(path) + row.separator;
        Args args = row.options;
        args.insert(args.end(), {"--files-from", "-", "--case", "lower", "--case-scope",
                                 "extensions", "--apply"});
        const ProgramResult result = tree.run(args, input);
        EXPECT_EQ(result.status, row.status) << row.what << ": " << result.err;
        EXPECT_EQ(tree.entries(), sorted(row.after, {"d/", "e/"})) << row.what;
        if (row.status != 0) {
            EXPECT_NE(result.err.find("gone.JPG"), std::string::npos) << result.err;
        }
    }
}

TEST(CliPathsTest, SeveralFoldersPrintAsSeveral) {
    const Tree tree({"a/x.txt", "b/y.txt", "b/keep.md"});
    const Args args = {"--replace", "txt", "--with", "doc", "--scope", "extensions"};
    Args text = args;
    text.insert(text.end(), {tree.path("a"), tree.path("b")});
    ProgramResult result = tree.run(text);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              tree.path("a") + ":\nx.txt -> x.doc\n\n" + tree.path("b") + ":\ny.txt -> y.doc\n");
    EXPECT_EQ(result.err,
              "Dry run: 2 of 3 names would change in 2 folders; nothing was renamed.\n");

    Args null = text;
    null.push_back("--null");
    result = tree.run(null);
    using namespace std::string_literals;
    EXPECT_EQ(result.out, tree.path("a/x.txt") + "\0"s + tree.path("a/x.doc") + "\0"s +
                              tree.path("b/y.txt") + "\0"s + tree.path("b/y.doc") + "\0"s);

    Args json = text;
    json.push_back("--json");
    result = tree.run(json);
    std::vector<std::string> keys;
    EXPECT_TRUE(quillon::test::isJson(result.out, &keys)) << result.out;
    EXPECT_EQ(result.out.rfind("{\"folders\": [{\"folder\": \"" + tree.path("a") + "\"", 0), 0u);
    EXPECT_NE(result.out.find("\"counts\": {\"folders\": 2, \"entries\": 3, \"changing\": 2, "
                              "\"renamed\": 0, \"failed\": 0}}\n"),
              std::string::npos)
        << result.out;

    // One file named alone keeps the form of one folder.
    result = tree.run({"--json", "--case", "upper", tree.path("b/y.txt")});
    EXPECT_EQ(result.out.rfind("{\"folder\": \"" + tree.path("b") + "\"", 0), 0u) << result.out;
}

TEST(CliPathsTest, NumbersStartAgainInEachFolderUnlessAcross) {
    const Paths start = {"a/p.jpg", "a/q.jpg", "b/r.jpg", "b/s/t.jpg"};
    const struct {
        Args options;
        Paths after;
    } rows[] = {
        {{}, {"a/01.jpg", "a/02.jpg", "b/01.jpg", "b/s/01.jpg"}},
        // Padded for every folder's entries together; folders in path order.
        {{"--number-across"}, {"a/01.jpg", "a/02.jpg", "b/03.jpg", "b/s/04.jpg"}},
    };
    for (const auto& row : rows) {
        const Tree tree(start);
        Args args = row.options;
        args.insert(args.end(), {"-r", "--replace", "*", "--with", "/01/", "--apply", tree.path()});
        const ProgramResult result = tree.run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(tree.entries(), sorted(row.after, {"a/", "b/", "b/s/"}));
    }
}

TEST(CliPathsTest, RecursionNeverFollowsLinks) {
    const Tree tree({"top/A.TXT", "top/sub/B.TXT", "top/.git/C.TXT"});
    fs::create_directory_symlink("..", tree.path("top/sub/loop"));
    fs::create_directory_symlink(tree.path("top"), tree.path("top/sub/again"));
    const std::string top = tree.path("top") + ":\nA.TXT -> a.txt\n";
    const std::string git = "\n" + tree.path("top/.git") + ":\nC.TXT -> c.txt\n";
    const std::string sub = "\n" + tree.path("top/sub") + ":\nB.TXT -> b.txt\n";
    const struct {
        Args options;
        std::string out;
    } rows[] = {
        {{"-r"}, top + sub},
        {{"-r", "--hidden"}, top + git + sub},
    };
    for (const auto& row : rows) {
        Args args = row.options;
        args.insert(args.end(), {"--case", "lower", tree.path("top")});
        const ProgramResult result = tree.run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, row.out);
    }
}

TEST(CliPathsTest, FoldersAreRenamedDeepestFirstAndComeBack) {
    const Paths start = {"Top/Mid/Low/f.TXT", "Top/Mid/g.TXT", "Top/h.TXT"};
    const Tree tree(start);
    const ProgramResult result = tree.run(
        {"-r", "--include-folders", "--case", "lower", "--json", "--apply", tree.path("Top")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(tree.entries(), (Paths{"Top/", "Top/h.txt", "Top/mid/", "Top/mid/g.txt",
                                     "Top/mid/low/", "Top/mid/low/f.txt"}));
    // Each folder before the one that renames it.
    const std::size_t low = result.out.find("\"folder\": \"" + tree.path("Top/Mid/Low") + "\"");
    const std::size_t mid = result.out.find("\"folder\": \"" + tree.path("Top/Mid") + "\"");
    const std::size_t top = result.out.find("\"folder\": \"" + tree.path("Top") + "\"");
    EXPECT_LT(low, mid);
    EXPECT_LT(mid, top);
    EXPECT_NE(top, std::string::npos);

    const ProgramResult undo = tree.run({"--undo", "-r", tree.path("Top")});
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(tree.entries(), sorted(start, {"Top/", "Top/Mid/", "Top/Mid/Low/"}));
}

TEST(CliPathsTest, UndoTakesEachFolderBack) {
    const Paths start = {"a/X.JPG", "b/Y.JPG", "b/c/Z.JPG"};
    const Paths folders = {"a/", "b/", "b/c/"};
    const struct {
        const char* what;
        Args undo; ///< relative paths get the root in front
        Paths after;
    } rows[] = {
        {"each folder named", {"a", "b", "b/c"}, start},
        {"-r", {"-r", "."}, start},
        {"one folder only", {"b"}, {"a/X.jpg", "b/Y.JPG", "b/c/Z.jpg"}},
    };
    for (const auto& row : rows) {
        const Tree tree(start);
        std::string list;
        for (const std::string& file : start)
            list += tree.path(file) + '\0';
        ProgramResult result = tree.run(
            {"-0", "--files-from", "-", "--case", "lower", "--case-scope", "extensions", "--apply"},
            list);
        ASSERT_EQ(result.status, 0) << result.err;
        Args args = {"--undo"};
        for (const std::string& arg : row.undo)
            args.push_back(arg.front() == '-' ? arg : tree.path(arg));
        result = tree.run(args);
        EXPECT_EQ(result.status, 0) << row.what << ": " << result.err;
        EXPECT_EQ(tree.entries(), sorted(row.after, folders)) << row.what;
    }
}

TEST(CliPathsTest, ARefusalInOneFolderRenamesNothingAnywhere) {
    // "a 1.txt" and "a1.txt" both become "a1.txt" in b: saving b is refused.
    const Tree tree({"a/x 1.txt", "b/a 1.txt", "b/a1.txt"});
    const ProgramResult result =
        tree.run({"--replace", " ", "--with", "", "--apply", tree.path("a"), tree.path("b")});
    EXPECT_EQ(result.status, 3) << result.err;
    EXPECT_NE(result.err.find(tree.path("b")), std::string::npos) << result.err;
    EXPECT_EQ(tree.entries(), (Paths{"a/", "a/x 1.txt", "b/", "b/a 1.txt", "b/a1.txt"}));
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A stop while the first of two folders is saved: the output lists exactly
// the renames that happened, and the second folder is left as it was.
TEST(CliPathsTest, AStopEndsTheRunWithTheFolderBeingSaved) {
    constexpr int kFiles = 4000;
    Paths files;
    for (int i = 0; i < kFiles; ++i)
        files.push_back("a/f" + std::to_string(i));
    files.emplace_back("b/g");
    const Tree tree(files);
    const TempFolder outputs;
    const std::string program = QUILLON_CLI_PATH;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(outputs.file("out").c_str(), O_WRONLY | O_CREAT, 0600), STDOUT_FILENO);
        ::dup2(::open(outputs.file("err").c_str(), O_WRONLY | O_CREAT, 0600), STDERR_FILENO);
        ::execl(program.c_str(), program.c_str(), "--null", "--apply", "--case", "upper",
                tree.path("a").c_str(), tree.path("b").c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    bool exited = false;
    while (!fs::exists(tree.path("a/") + kRecord) && !exited)
        exited = ::waitpid(pid, &status, WNOHANG) == pid;
    if (!exited) {
        ::kill(pid, SIGINT);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    const std::string out = readAll(outputs.file("out"));
    const auto pairs = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\0') / 2);
    std::size_t renamed = 0;
    for (const std::string& entry : tree.entries())
        renamed += entry.find("/F") != std::string::npos || entry == "b/G" ? 1 : 0;
    EXPECT_EQ(pairs, renamed);
    if (WEXITSTATUS(status) == 0)
        return; // finished before the signal came
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
    EXPECT_TRUE(fs::exists(tree.path("b/g")));
    EXPECT_NE(readAll(outputs.file("err")).find("quillon-cli: \"" + tree.path("a") + "\": stopped"),
              std::string::npos);
}

} // namespace
