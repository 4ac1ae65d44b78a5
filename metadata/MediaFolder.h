// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/FolderFiles.h"

#include <string>
#include <string_view>

namespace quillon::metadata {

/// Reads fields from the files of one folder in the calling process, with
/// the parsers linked into it: for tests and benchmarks, which compare it
/// with the reader process. Programs read through the reader process.
/// Damaged or unknown files simply lack the fields. Safe to use from
/// several threads at once.
class MediaFolder final {
public:
    /// Opens folder (raw bytes); error() tells whether that worked.
    explicit MediaFolder(const std::string& folder);

    /// 0, or the errno value that kept the folder from being opened.
    int error() const { return m_files.error(); }

    /// The identity of name (the entry itself, a link not followed); 0 or
    /// an errno value.
    int identify(std::string_view name, FileIdentity& out) const {
        return m_files.identify(name, out);
    }

    /// The fields of wanted that name holds. Modified comes from the
    /// entry's status and needs no opening; the others open the file.
    FileFields read(std::string_view name, FieldSet wanted) const;
    /// read, for an entry whose identity was just taken.
    FileFields read(std::string_view name, const FileIdentity& identity, FieldSet wanted) const;

private:
    FolderFiles m_files;
};

} // namespace quillon::metadata
