// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/FolderFiles.h"
#include "metadata/ReaderPool.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

/// Reads the fields of one folder's files. Called from several threads at
/// once, so implementations keep no state that a read changes.
class FolderFields {
public:
    virtual ~FolderFields() = default;
    /// The identity of name (0 or an errno value); the cache is keyed by it.
    virtual int identify(std::string_view name, metadata::FileIdentity& out) const = 0;
    /// The fields of wanted that name, as identify just found it, holds.
    virtual metadata::FileFields read(std::string_view name, const metadata::FileIdentity& identity,
                                      FieldSet wanted) const = 0;

    /// One file of a batch: its name, as identify just found it.
    struct Request {
        std::string_view name;
        metadata::FileIdentity identity;
    };
    /// The fields of wanted of each request, into the entry of out at the
    /// same index; false when stop became true before all were read. The
    /// default reads one file after the other; a source whose reads cost
    /// a round trip reads the batch at once.
    virtual bool readMany(std::span<const Request> requests, FieldSet wanted,
                          std::span<metadata::FileFields> out, const std::atomic<bool>& stop) const;
};

/// Where the workspace gets fields from: the files themselves, or fixed
/// values in tests.
class FieldSource {
public:
    virtual ~FieldSource() = default;
    /// A reader for folder (raw bytes), or null when it cannot be opened.
    virtual std::unique_ptr<FolderFields> openFolder(const std::string& folder) = 0;
};

/// Reads the files themselves: this process opens each file, and reader
/// processes, confined and with a deadline per file, parse it (tags,
/// photo and video metadata); dates from the disk. A file that crashes or
/// hangs its reader is unreadable, and the rest go on.
class MediaFieldSource final : public FieldSource {
public:
    static constexpr std::chrono::milliseconds kDefaultDeadline{3000};

    explicit MediaFieldSource(std::chrono::milliseconds deadline = kDefaultDeadline);
    std::unique_ptr<FolderFields> openFolder(const std::string& folder) override;

private:
    metadata::ReaderPool m_readers;
};

} // namespace quillon
