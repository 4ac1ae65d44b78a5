// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/fields/FieldCache.h"

namespace quillon {

void FieldCache::useFolder(const std::string& folder) {
    if (folder == m_folder)
        return;
    m_entries.reset();
    m_folder = folder;
}

const metadata::FileFields* FieldCache::find(const metadata::FileIdentity& identity,
                                             FieldSet wanted) const {
    if (!m_entries)
        return nullptr;
    const auto it = m_entries->find(identity.inode);
    if (it == m_entries->end())
        return nullptr;
    const Entry& e = it->second;
    if (e.size != identity.size || e.modifiedNs != identity.modifiedNs ||
        !e.fields.lookedFor().contains(wanted))
        return nullptr;
    return &e.fields;
}

FieldCache::Entries& FieldCache::ownEntries() {
    if (!m_entries)
        m_entries = std::make_shared<Entries>();
    else if (m_entries.use_count() > 1)
        m_entries = std::make_shared<Entries>(*m_entries);
    return *m_entries;
}

void FieldCache::store(const metadata::FileIdentity& identity, FieldSet wanted,
                       const metadata::FileFields& fields) {
    Entry& e = ownEntries()[identity.inode];
    if (e.size != identity.size || e.modifiedNs != identity.modifiedNs) {
        // A new version of the file: what was kept of the old one is void.
        e = Entry{identity.size, identity.modifiedNs, {}};
    }
    if (e.fields.present().empty() && wanted.contains(fields.present())) {
        // The common first read: nothing to merge with and nothing to drop.
        const FieldSet lookedFor = e.fields.lookedFor() | wanted;
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
