// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/FieldCache.h"

namespace quillon {

void FieldCache::useFolder(const std::string& folder) {
    if (folder == m_folder)
        return;
    m_entries.clear();
    m_folder = folder;
}

const metadata::FileFields* FieldCache::find(const metadata::FileIdentity& identity,
                                             metadata::FieldSet wanted) const {
    const auto it = m_entries.find(identity.inode);
    if (it == m_entries.end())
        return nullptr;
    const Entry& e = it->second;
    if (e.size != identity.size || e.modifiedNs != identity.modifiedNs ||
        !e.fields.lookedFor().contains(wanted))
        return nullptr;
    return &e.fields;
}

void FieldCache::store(const metadata::FileIdentity& identity, metadata::FieldSet wanted,
                       const metadata::FileFields& fields) {
    Entry& e = m_entries[identity.inode];
    if (e.size != identity.size || e.modifiedNs != identity.modifiedNs) {
        // A new version of the file: what was kept of the old one is void.
        e = Entry{identity.size, identity.modifiedNs, {}};
    }
    if (e.fields.present().empty() && wanted.contains(fields.present())) {
        // The common first read: nothing to merge with and nothing to drop.
        const metadata::FieldSet lookedFor = e.fields.lookedFor() | wanted;
        e.fields = fields;
        e.fields.addLookedFor(lookedFor);
        return;
    }
    metadata::FileFields kept = fields;
    kept.restrictTo(wanted);
    e.fields.merge(kept);
    e.fields.addLookedFor(wanted);
}

} // namespace quillon
