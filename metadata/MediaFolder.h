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

/// Reads fields from the files of one folder. Files are opened read-only,
/// never followed through a symbolic link, and only when they are regular
/// files (a pipe or a device is never opened, so a read never waits).
/// Damaged or unknown files simply lack the fields. Safe to use from
/// several threads at once.
class MediaFolder final {
public:
    /// Opens folder (raw bytes); error() tells whether that worked.
    explicit MediaFolder(const std::string& folder);
    ~MediaFolder();
    MediaFolder(const MediaFolder&) = delete;
    MediaFolder& operator=(const MediaFolder&) = delete;

    /// 0, or the errno value that kept the folder from being opened.
    int error() const { return m_error; }

    /// The identity of name (the entry itself, a link not followed); 0 or
    /// an errno value.
    int identify(std::string_view name, FileIdentity& out) const;

    /// The fields of wanted that name holds. Modified comes from the
    /// entry's status and needs no opening; the others open the file.
    FileFields read(std::string_view name, FieldSet wanted) const;
    /// read, for an entry whose identity was just taken.
    FileFields read(std::string_view name, const FileIdentity& identity, FieldSet wanted) const;

private:
    int m_dir = -1;
    int m_error = 0;
};

/// The modification time in seconds since the epoch as the local clock
/// shows it.
DateTime localDateTime(std::int64_t secondsSinceEpoch);

} // namespace quillon::metadata
