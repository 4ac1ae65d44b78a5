// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/fields/FieldSource.h"

#include <unistd.h>
#include <vector>

namespace quillon {

namespace {

// Closes the descriptors of a batch however it ends.
class OpenJobs final {
public:
    OpenJobs() = default;
    ~OpenJobs() {
        for (const metadata::reader::Job& job : jobs)
            ::close(job.fd);
    }
    OpenJobs(const OpenJobs&) = delete;
    OpenJobs& operator=(const OpenJobs&) = delete;

    std::vector<metadata::reader::Job> jobs;
    std::vector<std::string> extensions;
    /// The request each job belongs to.
    std::vector<std::size_t> requests;
};

class MediaFolderFields final : public FolderFields {
public:
    MediaFolderFields(const std::string& folder, metadata::ReaderPool& readers)
        : m_files(folder)
        , m_readers(readers) {}
    bool ok() const { return m_files.error() == 0; }

    int identify(std::string_view name, metadata::FileIdentity& out) const override {
        return m_files.identify(name, out);
    }
    metadata::FileFields read(std::string_view name, const metadata::FileIdentity& identity,
                              FieldSet wanted) const override {
        const Request request{name, identity};
        metadata::FileFields fields;
        const std::atomic<bool> never{false};
        readMany({&request, 1}, wanted, {&fields, 1}, never);
        return fields;
    }
    bool readMany(std::span<const Request> requests, FieldSet wanted,
                  std::span<metadata::FileFields> out,
                  const std::atomic<bool>& stop) const override;

private:
    void openEach(std::span<const Request> requests, OpenJobs& open) const;

    metadata::FolderFiles m_files;
    metadata::ReaderPool& m_readers;
};

void MediaFolderFields::openEach(std::span<const Request> requests, OpenJobs& open) const {
    open.extensions.reserve(requests.size());
    for (std::size_t k = 0; k < requests.size(); ++k) {
        const int fd = m_files.openRegular(requests[k].name, requests[k].identity);
        if (fd < 0)
            continue;
        open.jobs.push_back({fd, requests[k].identity.size, {}});
        open.extensions.push_back(metadata::lowerExtension(requests[k].name));
        open.requests.push_back(k);
    }
    for (std::size_t j = 0; j < open.jobs.size(); ++j)
        open.jobs[j].extension = open.extensions[j];
}

bool MediaFolderFields::readMany(std::span<const Request> requests, FieldSet wanted,
                                 std::span<metadata::FileFields> out,
                                 const std::atomic<bool>& stop) const {
    if (wanted.has(Field::Modified)) {
        for (std::size_t k = 0; k < requests.size(); ++k)
            out[k].setDate(Field::Modified, metadata::localModified(requests[k].identity));
    }
    if (!wanted.intersects(metadata::kAudioFields | metadata::kPhotoFields))
        return !stop.load();
    OpenJobs open;
    openEach(requests, open);
    if (open.jobs.empty())
        return !stop.load();
    std::vector<metadata::FileFields> read(open.jobs.size());
    std::unique_ptr<metadata::ReaderProcess> reader = m_readers.borrow();
    const bool finished = reader->read(open.jobs, wanted, read, stop);
    m_readers.giveBack(std::move(reader));
    for (std::size_t j = 0; j < read.size(); ++j) {
        metadata::FileFields& fields = out[open.requests[j]];
        fields.merge(read[j]);
        if (read[j].unreadable())
            fields.setUnreadable();
    }
    return finished;
}

} // namespace

bool FolderFields::readMany(std::span<const Request> requests, FieldSet wanted,
                            std::span<metadata::FileFields> out,
                            const std::atomic<bool>& stop) const {
    for (std::size_t k = 0; k < requests.size(); ++k) {
        if (stop.load())
            return false;
        out[k] = read(requests[k].name, requests[k].identity, wanted);
    }
    return true;
}

MediaFieldSource::MediaFieldSource(std::chrono::milliseconds deadline)
    : m_readers(metadata::ReaderSettings{metadata::locateReaderProgram(), deadline}) {}

std::unique_ptr<FolderFields> MediaFieldSource::openFolder(const std::string& folder) {
    auto fields = std::make_unique<MediaFolderFields>(folder, m_readers);
    if (!fields->ok())
        return nullptr;
    return fields;
}

} // namespace quillon
