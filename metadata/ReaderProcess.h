// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/ReaderProtocol.h"

#include <atomic>
#include <chrono>
#include <span>
#include <string>
#include <sys/types.h>

namespace quillon::metadata {

/// How the reader processes run.
struct ReaderSettings {
    /// The quillon-reader program; empty: none could be found, and every
    /// file that needs parsing is unreadable.
    std::string program;
    /// How long one file may take before its reader is killed.
    std::chrono::milliseconds deadline{3000};
};

/// One quillon-reader process and its socket, started when first needed
/// and started anew after a file killed it. Parsing happens only there:
/// the caller passes open descriptors and gets checked fields back. Used by
/// one thread at a time.
class ReaderProcess final {
public:
    explicit ReaderProcess(ReaderSettings settings);
    ~ReaderProcess();
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    /// The fields of wanted held by each file of jobs, into the entry of
    /// out at the same index (fields already there stay, unless the file
    /// is unreadable). A file that crashes or hangs its reader, or that
    /// the reader may not finish, is marked unreadable and the others are
    /// read by a fresh reader. False when stop became true first: the
    /// reader is then ended at once and out is incomplete.
    bool read(std::span<const reader::Job> jobs, FieldSet wanted, std::span<FileFields> out,
              const std::atomic<bool>& stop);

private:
    enum class Outcome { Read, Stopped, Failed };

    bool start();
    void end();
    Outcome readBatch(std::span<const reader::Job> jobs, FieldSet wanted, std::span<FileFields> out,
                      const std::atomic<bool>& stop, std::size_t& failedAt);
    Outcome awaitReply(std::size_t count, std::uint64_t base, const std::atomic<bool>& stop,
                       std::size_t& failedAt);
    bool receiveReply(std::span<FileFields> out) const;
    /// Which file of a batch of count, begun when the reader had begun
    /// base files, the reader is on now (or was on when it died).
    std::size_t fileBegun(std::uint64_t base, std::size_t count) const;
    static void takeReceived(const FileFields& received, FileFields& out);

    ReaderSettings m_settings;
    pid_t m_pid = -1;
    int m_socket = -1;
    reader::Progress* m_progress = nullptr;
};

/// Where quillon-reader is: $QUILLON_READER when set, else beside the
/// running program or in ../libexec/quillon/ from it; empty when none is
/// there.
std::string locateReaderProgram();

} // namespace quillon::metadata
