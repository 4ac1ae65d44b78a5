// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/folder/FolderReader.h"
#include "workspace/record/UndoScript.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillon::test {

inline void writeFile(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        std::abort();
    if (::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size()))
        std::abort();
    ::close(fd);
}

inline std::string readFile(const std::string& path) {
    std::string out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return out;
}

/// Every entry of a folder and what it holds: a file's content, a link's
/// target after "-> ".
inline std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> out;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return out;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        // A FUSE mount shows a file closed a moment ago while it was being
        // replaced under this name until the daemon takes the close, which
        // comes after close() returns; it is nobody's file.
        if (name == "." || name == ".." || name.starts_with(".fuse_hidden"))
            continue;
        const std::string path = folder + "/" + name;
        struct stat st {};
        ::lstat(path.c_str(), &st);
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
            out[name] = "-> " + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
        } else {
            out[name] = readFile(path);
        }
    }
    ::closedir(dir);
    return out;
}

/// Runs the folder's undo script with /bin/sh from another working folder
/// and returns its exit status (-1 when it did not exit normally).
inline int runUndoScript(const std::string& folder, const std::string& workingFolder) {
    std::string command = "cd ";
    appendShellQuoted(command, workingFolder);
    command += " && /bin/sh ";
    appendShellQuoted(command, folder + "/" + kUndoScriptName);
    command += " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace quillon::test
