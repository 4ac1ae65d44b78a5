// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <vector>

// What the calling process and the reader process say to each other over
// their stream socket. The caller sends a batch of open files (their
// descriptors ride along as SCM_RIGHTS) and gets one reply for the whole
// batch; a page of shared memory counts the files the reader has begun, so
// that the caller knows which file a hang or a crash belongs to without a
// message per file.
namespace quillon::metadata::reader {

/// The descriptors the reader process finds open when it starts.
inline constexpr int kSocketFd = 3;
inline constexpr int kProgressFd = 4;

/// The most files one request carries (the kernel passes at most 253
/// descriptors in one message).
inline constexpr std::size_t kMaxBatch = 64;
/// The longest extension a request carries; longer ones go as none.
inline constexpr std::size_t kMaxExtension = 16;
/// The largest reply the caller accepts for a batch.
inline constexpr std::size_t kMaxReplyBytes = 16U << 20;

inline constexpr std::uint32_t kRequestMagic = 0x51524551; // "QREQ"
inline constexpr std::uint32_t kReplyMagic = 0x51524550;   // "QREP"
inline constexpr std::uint32_t kHelloMagic = 0x5152484C;   // "QRHL"

/// The reader's first message: whether it runs under its system call
/// filter or only with its limits.
struct Hello {
    std::uint32_t magic = kHelloMagic;
    std::uint32_t filtered = 0;
};

struct RequestHeader {
    std::uint32_t magic = kRequestMagic;
    std::uint16_t wanted = 0;
    std::uint16_t count = 0;
    std::uint32_t bodyBytes = 0;
};

struct ReplyHeader {
    std::uint32_t magic = kReplyMagic;
    std::uint32_t count = 0;
    std::uint32_t bodyBytes = 0;
};

/// The shared page: files the reader has begun since it started.
struct Progress {
    std::atomic<std::uint64_t> started{0};
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

/// One file of a request as the caller describes it.
struct Job {
    int fd = -1;
    std::int64_t size = 0;
    std::string_view extension;
};

/// One file of a request as the reader receives it.
struct ReceivedJob {
    int fd = -1;
    std::int64_t size = 0;
    std::string extension;
};

/// The request body of jobs: each file's size and extension.
std::string encodeRequestBody(std::span<const Job> jobs);
/// The sizes and extensions of a request body of count files; false when
/// it does not hold exactly that.
bool decodeRequestBody(std::string_view body, std::size_t count, std::vector<ReceivedJob>& out);

/// Adds one file's outcome to a reply body.
void appendReply(std::string& body, const FileFields& fields);
/// The fields of a reply body, one per entry of out; false when the body
/// is not exactly that many well-formed outcomes (out is then unspecified).
bool decodeReplyBody(std::string_view body, std::span<FileFields> out);

/// The descriptors a received message carries (SCM_RIGHTS), now the
/// receiver's.
std::vector<int> attachedDescriptors(msghdr& message);

/// Sends all of bytes, with fds attached to the first part; false on
/// failure (errno set). Never raises SIGPIPE.
bool sendAll(int socket, std::string_view bytes, std::span<const int> fds = {});
/// Receives exactly size bytes into out; false on end of stream or error.
/// Descriptors attached are closed: only requests carry them.
bool receiveExactly(int socket, void* out, std::size_t size);

} // namespace quillon::metadata::reader
