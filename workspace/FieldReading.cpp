// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/FieldReading.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quillon {

static_assert(kFieldIdCount == metadata::kFieldCount);

namespace {

// Shared by the workers of one batch; each entry is written by one worker.
struct BatchState {
    BatchState(const FolderFields& f, const FieldCache& c, const NameList& n,
               const std::vector<std::size_t>& e, metadata::FieldSet w,
               std::vector<metadata::FileFields>& out)
        : folder(f)
        , cache(c)
        , names(n)
        , entries(e)
        , wanted(w)
        , fields(out)
        , identities(e.size())
        , fresh(e.size(), 0) {}

    const FolderFields& folder;
    const FieldCache& cache;
    const NameList& names;
    const std::vector<std::size_t>& entries;
    metadata::FieldSet wanted;
    std::vector<metadata::FileFields>& fields;
    std::vector<metadata::FileIdentity> identities;
    std::vector<char> fresh;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable progressed;
};

void readOne(BatchState& s, std::size_t k) {
    const std::string_view name = s.names[s.entries[k]];
    metadata::FileIdentity& identity = s.identities[k];
    if (s.folder.identify(name, identity) != 0)
        return;
    if (const metadata::FileFields* kept = s.cache.find(identity, s.wanted)) {
        s.fields[k] = *kept;
        return;
    }
    s.fields[k] = s.folder.read(name, identity, s.wanted);
    s.fresh[k] = 1;
}

void work(BatchState& s) {
    for (;;) {
        const std::size_t k = s.next.fetch_add(1);
        if (k >= s.entries.size() || s.stop.load())
            break;
        readOne(s, k);
        s.done.fetch_add(1);
        if (k % 64 == 0)
            s.progressed.notify_one();
    }
    s.progressed.notify_one();
}

// The calling thread reports and listens for a stop while the workers read.
void watch(BatchState& s, const FieldBatchContext& context, ProgressStage& stage) {
    using namespace std::chrono_literals;
    std::unique_lock lock(s.mutex);
    while (s.done.load() < s.entries.size() && !s.stop.load()) {
        s.progressed.wait_for(lock, 20ms);
        stage.advance(s.done.load());
        if (context.shouldStop && context.shouldStop())
            s.stop = true;
    }
}

} // namespace

unsigned fieldReadThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
}

FieldBatch readFieldBatch(const FieldBatchContext& context, const NameList& names,
                          const std::vector<std::size_t>& entries, metadata::FieldSet wanted) {
    FieldBatch batch;
    batch.fields.resize(entries.size());
    BatchState s(*context.folder, *context.cache, names, entries, wanted, batch.fields);
    {
        // Reading a file costs far more than a step: one per percent.
        ProgressStage stage(context.progress, WorkStage::Fields, entries.size(),
                            entries.size() / 100);
        const std::size_t count = std::min<std::size_t>(fieldReadThreads(), entries.size());
        std::vector<std::jthread> workers;
        for (std::size_t t = 0; t < count; ++t)
            workers.emplace_back([&s] { work(s); });
        try {
            watch(s, context, stage);
        } catch (...) {
            // The reporter abandons the work: the workers must not read
            // the rest of the folder before the threads can be joined.
            s.stop = true;
            throw;
        }
        workers.clear();
        stage.advance(s.done.load());
    }
    batch.stopped = s.done.load() < entries.size();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (!s.fresh[k])
            continue;
        context.cache->store(s.identities[k], wanted, batch.fields[k]);
        ++batch.read;
    }
    return batch;
}

void toFieldValues(const metadata::FileFields& fields, FieldValues& out) {
    out.clear();
    for (std::size_t i = 0; i < kFieldIdCount; ++i) {
        const auto field = static_cast<metadata::Field>(i);
        if (!fields.has(field))
            continue;
        out.present |= fieldBit(static_cast<FieldId>(i));
        switch (fieldKind(static_cast<FieldId>(i))) {
        case FieldKind::Text:
            decodeNameInto(fields.text(field), out.text[i]);
            break;
        case FieldKind::Number:
            out.number[i] = fields.number(field);
            break;
        case FieldKind::Date: {
            const metadata::DateTime d = fields.date(field);
            out.date[i] = FieldDate{d.year, d.month, d.day, d.hour, d.minute, d.second};
            break;
        }
        }
    }
}

metadata::FieldSet toMetadataFields(FieldMask mask) {
    return metadata::FieldSet::fromBits(mask);
}

} // namespace quillon
