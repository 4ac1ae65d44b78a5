// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ReaderProtocol.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon::metadata::reader {

namespace {

enum : std::uint8_t { kRead = 0, kUnreadable = 1 };

template <class T>
void appendValue(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Takes a T off the front of in; false when in is too short.
template <class T>
bool takeValue(std::string_view& in, T& value) {
    if (in.size() < sizeof value)
        return false;
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return true;
}

} // namespace

std::vector<int> attachedDescriptors(msghdr& message) {
    std::vector<int> fds;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
            continue;
        const std::size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        for (std::size_t i = 0; i < count; ++i) {
            int fd = -1;
            std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof fd);
            fds.push_back(fd);
        }
    }
    return fds;
}

std::string encodeRequestBody(std::span<const Job> jobs) {
    std::string body;
    for (const Job& job : jobs) {
        const std::string_view extension =
            job.extension.size() <= kMaxExtension ? job.extension : std::string_view{};
        appendValue(body, job.size);
        appendValue(body, static_cast<std::uint8_t>(extension.size()));
        body.append(extension);
    }
    return body;
}

bool decodeRequestBody(std::string_view body, std::size_t count, std::vector<ReceivedJob>& out) {
    out.resize(count);
    for (ReceivedJob& job : out) {
        std::uint8_t length = 0;
        if (!takeValue(body, job.size) || !takeValue(body, length) || length > kMaxExtension ||
            body.size() < length)
            return false;
        job.extension.assign(body.substr(0, length));
        body.remove_prefix(length);
    }
    return body.empty();
}

void appendReply(std::string& body, const FileFields& fields) {
    appendValue(body, fields.unreadable() ? kUnreadable : kRead);
    appendValue(body, static_cast<std::uint32_t>(fields.records().size()));
    body.append(fields.records());
}

bool decodeReplyBody(std::string_view body, std::span<FileFields> out) {
    for (FileFields& fields : out) {
        std::uint8_t status = 0;
        std::uint32_t length = 0;
        if (!takeValue(body, status) || !takeValue(body, length) || body.size() < length)
            return false;
        if (status == kUnreadable && length == 0) {
            fields = FileFields{};
            fields.setUnreadable();
        } else if (status != kRead || !FileFields::fromRecords(body.substr(0, length), fields)) {
            return false;
        }
        body.remove_prefix(length);
    }
    return body.empty();
}

bool sendAll(int socket, std::string_view bytes, std::span<const int> fds) {
    std::vector<char> control(fds.empty() ? 0 : CMSG_SPACE(fds.size_bytes()));
    while (!bytes.empty()) {
        iovec part{const_cast<char*>(bytes.data()), bytes.size()};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        if (!control.empty()) {
            message.msg_control = control.data();
            message.msg_controllen = control.size();
            cmsghdr* c = CMSG_FIRSTHDR(&message);
            c->cmsg_level = SOL_SOCKET;
            c->cmsg_type = SCM_RIGHTS;
            c->cmsg_len = CMSG_LEN(fds.size_bytes());
            std::memcpy(CMSG_DATA(c), fds.data(), fds.size_bytes());
        }
        const ssize_t n = ::sendmsg(socket, &message, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        control.clear();
    }
    return true;
}

bool receiveExactly(int socket, void* out, std::size_t size) {
    auto* at = static_cast<char*>(out);
    while (size > 0) {
        iovec part{at, size};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * kMaxBatch)];
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        for (const int fd : attachedDescriptors(message))
            ::close(fd);
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace quillon::metadata::reader
