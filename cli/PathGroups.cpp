// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PathGroups.h"

#include "cli/FolderPath.h"
#include "cli/TextWriter.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <istream>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quillon::cli {

namespace {

/// A folder's identity: two spellings of one folder make one group.
using FolderId = std::pair<dev_t, ino_t>;

class Collector final {
public:
    explicit Collector(const CliOptions& options)
        : m_options(options) {}

    void addPath(const std::string& path);
    void addListProblem(const std::string& what, const std::string& path, int error) {
        addProblem(what, path, error);
    }
    PathGroups finish();

private:
    FolderGroup* group(const std::string& folder, int& error);
    void addFolder(const std::string& path);
    void addFile(const std::string& path);
    void walk(const std::string& folder);
    void cannotRead(const std::string& path, int error) {
        addProblem("cannot read " + quotedForTerminal(path), path, error);
    }
    void addProblem(std::string message, const std::string& path, int error);

    const CliOptions& m_options;
    PathGroups m_result;
    std::map<FolderId, std::size_t> m_index;
};

// Filled in place: GCC 12's optimizer takes the members of a braced
// temporary for "maybe uninitialized" here.
void Collector::addProblem(std::string message, const std::string& path, int error) {
    PathProblem& added = m_result.problems.emplace_back();
    added.problem.kind = ProblemKind::Unreadable;
    added.problem.message = std::move(message);
    added.problem.error = error;
    added.path = absolutePath(path);
}

// The group of folder, made on first sight; null when the folder cannot be
// asked.
FolderGroup* Collector::group(const std::string& folder, int& error) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        error = errno;
        return nullptr;
    }
    const auto [it, fresh] =
        m_index.emplace(FolderId{st.st_dev, st.st_ino}, m_result.groups.size());
    if (fresh)
        m_result.groups.push_back({absolutePath(folder), false, {}});
    return &m_result.groups[it->second];
}

void Collector::addPath(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        addFolder(path);
        return;
    }
    // A link that leads nowhere is still an entry that can be renamed.
    if (::lstat(path.c_str(), &st) != 0) {
        cannotRead(path, errno);
        return;
    }
    // Saves are taken back folder by folder.
    if (m_options.undo) {
        addProblem("cannot read folder " + quotedForTerminal(path), path, ENOTDIR);
        return;
    }
    addFile(path);
}

void Collector::addFolder(const std::string& path) {
    int error = 0;
    FolderGroup* found = group(path, error);
    if (!found) {
        cannotRead(path, error);
        return;
    }
    const bool walked = found->listed;
    found->listed = true;
    // An undo walks each folder only once it is back, as it may have
    // renamed the folders below.
    if (m_options.recursive && !m_options.undo && !walked)
        walk(found->folder);
}

void Collector::addFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    int error = 0;
    FolderGroup* found = group(folder, error);
    if (!found) {
        cannotRead(path, error);
        return;
    }
    found->chosen.push_back(path.substr(slash == std::string::npos ? 0 : slash + 1));
}

// Every folder below, each as a group of its own. Links are never entered
// and each folder is taken once, so no loop can form.
void Collector::walk(const std::string& folder) {
    int error = 0;
    const std::vector<std::string> below = subfolders(folder, m_options.hidden, error);
    if (error != 0) {
        cannotRead(folder, error);
        return;
    }
    for (const std::string& path : below) {
        int statError = 0;
        FolderGroup* found = group(path, statError);
        if (!found) {
            cannotRead(path, statError);
            continue;
        }
        if (found->listed)
            continue;
        found->listed = true;
        walk(found->folder);
    }
}

PathGroups Collector::finish() {
    const bool deepestFirst = m_options.includeFolders;
    std::stable_sort(m_result.groups.begin(), m_result.groups.end(),
                     [deepestFirst](const FolderGroup& a, const FolderGroup& b) {
                         return comesBefore(a.folder, b.folder, deepestFirst);
                     });
    return std::move(m_result);
}

// The next part of a path from at on, which moves past it.
std::string_view nextPart(std::string_view path, std::size_t& at) {
    while (at < path.size() && path[at] == '/')
        ++at;
    const std::size_t end = std::min(path.find('/', at), path.size());
    const std::string_view part = path.substr(at, end - at);
    at = end;
    return part;
}

} // namespace

std::vector<std::string> subfolders(const std::string& folder, bool hidden, int& error) {
    error = 0;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        error = errno;
        return {};
    }
    std::vector<std::string> below;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || (name.front() == '.' && !hidden))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            isFolder = ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(st.st_mode);
        }
        if (isFolder)
            below.push_back((folder == "/" ? folder : folder + "/") + std::string(name));
    }
    ::closedir(dir);
    std::sort(below.begin(), below.end());
    return below;
}

std::vector<std::string> splitPathList(std::string_view text, bool zeroSeparated) {
    const char separator = zeroSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start)
            paths.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

bool comesBefore(std::string_view a, std::string_view b, bool deepestFirst) {
    std::size_t atA = 0;
    std::size_t atB = 0;
    for (;;) {
        const std::string_view partA = nextPart(a, atA);
        const std::string_view partB = nextPart(b, atB);
        if (partA.empty() || partB.empty()) {
            if (partA.empty() == partB.empty())
                return false;
            // One lies inside the other.
            return partA.empty() != deepestFirst;
        }
        if (partA != partB)
            return partA < partB;
    }
}

PathGroups collectPaths(const CliOptions& options, std::istream& in) {
    Collector collector(options);
    for (const std::string& path : options.paths)
        collector.addPath(path);
    if (options.filesFrom) {
        std::string text;
        if (*options.filesFrom == "-") {
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } else {
            std::ifstream file(*options.filesFrom, std::ios::binary);
            if (!file) {
                collector.addListProblem("--files-from: cannot read " +
                                             quotedForTerminal(*options.filesFrom),
                                         *options.filesFrom, errno);
                return collector.finish();
            }
            text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        for (const std::string& path : splitPathList(text, options.zeroSeparated))
            collector.addPath(path);
    }
    return collector.finish();
}

} // namespace quillon::cli
