// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the workspace that read fields from inside the files: the
// values of a press's tokens, the orders by date and by natural name, and
// the fields of every listed file for showing them.
#include "workspace/NotReadyScope.h"
#include "workspace/Workspace.h"
#include "workspace/fields/FieldReading.h"
#include "workspace/names/NaturalOrder.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <numeric>

namespace quillon {

namespace {

std::vector<std::size_t> allEntries(std::size_t count) {
    std::vector<std::size_t> entries(count);
    std::iota(entries.begin(), entries.end(), 0);
    return entries;
}

// A file without any date goes last, after every dated one.
metadata::DateTime sortDate(const metadata::FileFields& f, ReloadOrder order) {
    if (order == ReloadOrder::Taken && f.has(Field::Taken))
        return f.date(Field::Taken);
    if (f.has(Field::Modified))
        return f.date(Field::Modified);
    return metadata::DateTime{INT16_MAX, 0, 0, 0, 0, 0};
}

} // namespace

bool Workspace::readFieldsInto(const std::vector<std::size_t>& entries, FieldSet wanted,
                               const std::string& folder, const NameList& names,
                               std::vector<metadata::FileFields>& out) {
    m_fieldsStopped = false;
    out.assign(entries.size(), {});
    const std::unique_ptr<FolderFields> reader =
        m_fieldSource ? m_fieldSource->openFolder(folder) : nullptr;
    if (!reader || entries.empty())
        return true;
    m_fieldCache.useFolder(folder);
    const FieldBatchContext context{reader.get(), &m_fieldCache, m_progress, m_shouldStop};
    FieldBatch batch = readFieldBatch(context, names, entries, wanted);
    m_fieldFilesRead += batch.read;
    m_fieldsStopped = batch.stopped;
    out = std::move(batch.fields);
    return !batch.stopped;
}

bool Workspace::readPressFields(const ReplacePlan& plan) {
    m_pressFields.clear();
    if (plan.fields.empty())
        return true;
    // Only the checked entries are renamed, so only their files are read.
    std::vector<std::size_t> checked;
    for (std::size_t i = 0; i < m_preview.size(); ++i) {
        if (m_preview.checked[i])
            checked.push_back(i);
    }
    std::vector<metadata::FileFields> fields;
    if (!readFieldsInto(checked, plan.fields.needed(), m_folder.directory, m_folder.names, fields))
        return false;
    m_pressFields.assign(m_preview.size(), {});
    for (std::size_t k = 0; k < checked.size(); ++k)
        m_pressFields[checked[k]] = std::move(fields[k]);
    return true;
}

std::size_t Workspace::keptForMissingFields() const {
    return static_cast<std::size_t>(
        std::count_if(m_missing.begin(), m_missing.end(), [](MissingFields m) { return m.any(); }));
}

std::vector<metadata::FileFields> Workspace::readListedFields(FieldSet wanted) {
    std::vector<metadata::FileFields> fields;
    if (!readFieldsInto(allEntries(m_folder.names.size()), wanted, m_folder.directory,
                        m_folder.names, fields))
        fields.clear();
    return fields;
}

metadata::FileFields Workspace::entryFields(std::size_t index, FieldSet wanted) const {
    if (index >= m_folder.names.size() || !m_fieldSource)
        return {};
    const std::unique_ptr<FolderFields> reader = m_fieldSource->openFolder(m_folder.directory);
    metadata::FileIdentity identity;
    if (!reader || reader->identify(m_folder.names[index], identity) != 0)
        return {};
    // Inodes are unique only within one file system, so only the entries
    // of this very folder will do.
    if (m_fieldCache.folder() == m_folder.directory) {
        if (const metadata::FileFields* kept = m_fieldCache.find(identity, wanted))
            return *kept;
    }
    return reader->read(m_folder.names[index], identity, wanted);
}

NameList Workspace::ordered(const NameList& names, const std::string& folder, ReloadOrder order,
                            bool& stopped) {
    std::vector<std::size_t> sequence = allEntries(names.size());
    stopped = false;
    if (order == ReloadOrder::Natural) {
        std::vector<Name> decoded(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            names.decodeInto(i, decoded[i]);
        std::stable_sort(sequence.begin(), sequence.end(),
                         [&decoded](std::size_t a, std::size_t b) {
                             return naturalLess(decoded[a], decoded[b]);
                         });
    } else {
        FieldSet wanted(Field::Modified);
        if (order == ReloadOrder::Taken)
            wanted.add(Field::Taken);
        std::vector<metadata::FileFields> fields;
        if (!readFieldsInto(sequence, wanted, folder, names, fields)) {
            stopped = true;
            return {};
        }
        std::vector<metadata::DateTime> keys(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            keys[i] = sortDate(fields[i], order);
        // The names come in name order, which stays the order of equal dates.
        std::stable_sort(sequence.begin(), sequence.end(),
                         [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    }
    NameList out;
    out.reserve(names.size(), names.byteSize());
    for (const std::size_t i : sequence)
        out.add(names[i]);
    return out;
}

LoadResult Workspace::loadInOrder(const std::string& folder, NameView mask, ReloadOrder order) {
    if (folder.empty())
        return {};
    NotReadyScope notReady(m_previewReady);
    FolderReadResult read = readSortedByName(m_fs, folder, mask, m_progress, m_listFolders);
    if (read.error != 0) {
        releaseUndo();
        clearLists();
        return LoadResult{read.error};
    }
    dropUndoScript(read.names, folder);
    bool stopped = false;
    NameList names = ordered(read.names, folder, order, stopped);
    if (stopped)
        return {};
    releaseUndo();
    installFolderList(std::move(names), folder, mask);
    return {};
}

LoadResult Workspace::loadChosen(const std::string& folder, const NameList& chosen,
                                 ChosenOrder order) {
    NotReadyScope notReady(m_previewReady);
    FolderReadResult read =
        readChosen(m_fs, folder, chosen, order == ChosenOrder::Created, m_progress);
    if (read.error != 0) {
        releaseUndo();
        clearLists();
        return LoadResult{read.error};
    }
    dropUndoScript(read.names, folder);
    NameList names = std::move(read.names);
    if (order != ChosenOrder::Name && order != ChosenOrder::Created) {
        const ReloadOrder reload = order == ChosenOrder::Taken      ? ReloadOrder::Taken
                                   : order == ChosenOrder::Modified ? ReloadOrder::Modified
                                                                    : ReloadOrder::Natural;
        bool stopped = false;
        names = ordered(names, folder, reload, stopped);
        if (stopped)
            return {};
    }
    releaseUndo();
    installFolderList(std::move(names), folder, U"*");
    return {};
}

} // namespace quillon
