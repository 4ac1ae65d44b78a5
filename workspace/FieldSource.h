// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/MediaFolder.h"

#include <memory>
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
                                      metadata::FieldSet wanted) const = 0;
};

/// Where the workspace gets fields from: the files themselves, or fixed
/// values in tests.
class FieldSource {
public:
    virtual ~FieldSource() = default;
    /// A reader for folder (raw bytes), or null when it cannot be opened.
    virtual std::unique_ptr<FolderFields> openFolder(const std::string& folder) = 0;
};

/// Reads through the metadata library: tags with TagLib, photo metadata
/// with Exiv2, dates from the disk.
class MediaFieldSource final : public FieldSource {
public:
    std::unique_ptr<FolderFields> openFolder(const std::string& folder) override;
};

} // namespace quillon
