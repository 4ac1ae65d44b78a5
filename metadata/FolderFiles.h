// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::metadata {

/// What tells a file's version apart: a file whose identity is unchanged
/// need not be read again.
struct FileIdentity {
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool regular = false;

    bool operator==(const FileIdentity&) const = default;
};

/// The entries of one folder as the readers of fields need them: their
/// identity, and their content opened read-only, never through a symbolic
/// link, and only when they are regular files (a pipe or a device is never
/// opened, so a read never waits). Safe to use from several threads.
class FolderFiles final {
public:
    /// Opens folder (raw bytes); error() tells whether that worked.
    explicit FolderFiles(const std::string& folder);
    ~FolderFiles();
    FolderFiles(const FolderFiles&) = delete;
    FolderFiles& operator=(const FolderFiles&) = delete;

    /// 0, or the errno value that kept the folder from being opened.
    int error() const { return m_error; }

    /// The identity of name (the entry itself, a link not followed); 0 or
    /// an errno value.
    int identify(std::string_view name, FileIdentity& out) const;

    /// A read-only descriptor of name (the caller closes it) when it is
    /// still the regular file identity describes; else -1.
    int openRegular(std::string_view name, const FileIdentity& identity) const;

private:
    int m_dir = -1;
    int m_error = 0;
};

/// The modification time of identity as the local clock shows it.
DateTime localModified(const FileIdentity& identity);

/// The time in seconds since the epoch as the local clock shows it.
DateTime localDateTime(std::int64_t secondsSinceEpoch);

/// The extension of name in lower case ASCII, without its ".": the readers'
/// hint of the kind.
std::string lowerExtension(std::string_view name);

} // namespace quillon::metadata
