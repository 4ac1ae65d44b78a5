// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/fields/FieldReading.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quillon {

namespace {

// Shared by the workers of one batch; each entry is written by one worker.
struct BatchState {
    BatchState(const FolderFields& f, const FieldCache& c, const NameList& n,
               const std::vector<std::size_t>& e, FieldSet w,
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
    FieldSet wanted;
    std::vector<metadata::FileFields>& fields;
    std::vector<metadata::FileIdentity> identities;
    std::vector<char> fresh;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable progressed;
};

// The entries a worker takes at a time: enough to make a reader's round
// trip cheap, few enough to share a small folder between the workers.
std::size_t chunkSize(std::size_t entries) {
    return std::clamp<std::size_t>(entries / (std::size_t{fieldReadThreads()} * 4), 1, 64);
}

// Takes from the cache what it holds of entries [from, to) and reads the
// rest in one batch; false when the stop request cut the batch short.
bool readChunk(BatchState& s, std::size_t from, std::size_t to) {
    std::vector<FolderFields::Request> misses;
    std::vector<std::size_t> missed;
    for (std::size_t k = from; k < to; ++k) {
        const std::string_view name = s.names[s.entries[k]];
        metadata::FileIdentity& identity = s.identities[k];
        if (s.folder.identify(name, identity) != 0)
            continue;
        if (const metadata::FileFields* kept = s.cache.find(identity, s.wanted)) {
            s.fields[k] = *kept;
            continue;
        }
        misses.push_back({name, identity});
        missed.push_back(k);
    }
    if (misses.empty())
        return true;
    std::vector<metadata::FileFields> read(misses.size());
    if (!s.folder.readMany(misses, s.wanted, read, s.stop))
        return false;
    for (std::size_t j = 0; j < missed.size(); ++j) {
        s.fields[missed[j]] = std::move(read[j]);
        // A file that could not be read is tried again by the next press:
        // a deadline missed on a busy machine must not stick.
        s.fresh[missed[j]] = s.fields[missed[j]].unreadable() ? 0 : 1;
    }
    return true;
}

void work(BatchState& s) {
    const std::size_t chunk = chunkSize(s.entries.size());
    for (;;) {
        const std::size_t from = s.next.fetch_add(chunk);
        if (from >= s.entries.size() || s.stop.load())
            break;
        const std::size_t to = std::min(from + chunk, s.entries.size());
        if (!readChunk(s, from, to))
            break;
        s.done.fetch_add(to - from);
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
                          const std::vector<std::size_t>& entries, FieldSet wanted) {
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
    for (const Field field : kAllFields) {
        if (!fields.has(field))
            continue;
        const std::size_t i = fieldIndex(field);
        out.present.add(field);
        switch (fieldKind(field)) {
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

} // namespace quillon
