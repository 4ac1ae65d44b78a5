// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldTokens.h"
#include "workspace/disk/ProgressReporter.h"
#include "workspace/fields/FieldCache.h"
#include "workspace/fields/FieldSource.h"
#include "workspace/names/NameList.h"

#include <functional>
#include <vector>

namespace quillon {

/// The fields of a batch of entries, read in parallel.
struct FieldBatch {
    /// Index-paired with the entries asked for.
    std::vector<metadata::FileFields> fields;
    /// Files whose fields had to be read (the cache did not hold them).
    std::size_t read = 0;
    /// The stop request came before every entry was read.
    bool stopped = false;
};

/// What a batch read needs besides the entries.
struct FieldBatchContext {
    FolderFields* folder = nullptr;
    FieldCache* cache = nullptr;
    ProgressReporter* progress = nullptr;
    /// Asked now and then on the calling thread; true stops the reading.
    std::function<bool()> shouldStop;
};

/// Reads wanted for names[entries[k]] on a few worker threads, taking what
/// the cache holds and keeping what was read in it. Progress is reported
/// and the stop request asked on the calling thread only.
FieldBatch readFieldBatch(const FieldBatchContext& context, const NameList& names,
                          const std::vector<std::size_t>& entries, FieldSet wanted);

/// How many threads read fields: enough to keep a disk busy while one
/// thread parses, few enough not to crowd a small machine.
unsigned fieldReadThreads();

/// The engine's view of fields: texts decoded from UTF-8 (losslessly).
void toFieldValues(const metadata::FileFields& fields, FieldValues& out);

} // namespace quillon
