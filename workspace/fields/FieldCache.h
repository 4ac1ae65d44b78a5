// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/FolderFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace quillon {

/// The fields read from one folder's files, kept so that a second press,
/// or a press after a reload that changed nothing, reads no file again. An
/// entry is keyed by inode and holds only while the file's size and
/// modification time are those it was read with. Copies share the entries
/// until one of them stores: a copy of a workspace for each command of the
/// window costs nothing for a folder of a million read files, and neither
/// does dropping the copy it replaces. A shared copy must not be changed
/// while another thread copies it.
class FieldCache final {
public:
    /// Makes the cache the one of folder; another folder's entries go.
    void useFolder(const std::string& folder);

    /// The fields of the file with identity, when every field of wanted
    /// was read from this very version of it; else null.
    const metadata::FileFields* find(const metadata::FileIdentity& identity, FieldSet wanted) const;

    /// Keeps what was read (the fields of wanted) for identity, adding to
    /// what an earlier read of the same version kept.
    void store(const metadata::FileIdentity& identity, FieldSet wanted,
               const metadata::FileFields& fields);

    /// The folder whose entries the cache holds.
    const std::string& folder() const { return m_folder; }
    std::size_t size() const { return m_entries ? m_entries->size() : 0; }
    void clear() { m_entries.reset(); }

private:
    struct Entry {
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        /// Also tells the fields looked for (lookedFor).
        metadata::FileFields fields;
    };

    using Entries = std::unordered_map<std::uint64_t, Entry>;

    /// The entries to change, taken apart from other copies first.
    Entries& ownEntries();

    std::string m_folder;
    std::shared_ptr<Entries> m_entries;
};

} // namespace quillon
