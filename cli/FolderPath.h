// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillon::cli {

/// path made absolute against the working directory, with "." parts and
/// repeated or trailing "/" left out; ".." parts stay, as a symbolic link
/// before them decides where they lead. Raw bytes in and out.
std::string absolutePath(const std::string& path);

/// 0 when path is a folder that can be opened for reading, else the errno
/// value that says why not (ENOTDIR for a file).
int folderAccessError(const std::string& path);

} // namespace quillon::cli
