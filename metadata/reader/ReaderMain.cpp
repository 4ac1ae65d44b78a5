// SPDX-License-Identifier: GPL-3.0-or-later
// quillon-reader: parses the files its caller opened and passes to it, one
// batch at a time, confined so that a damaged or hostile file can cost no
// more than its own fields. It opens nothing by path and writes nothing but
// its replies.
#include "metadata/ContentFields.h"
#include "metadata/ReaderProtocol.h"
#include "metadata/reader/ReaderSandbox.h"
#include "metadata/reader/TestFaults.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::metadata::reader;

struct Request {
    FieldSet wanted;
    std::vector<ReceivedJob> jobs;
};

// The header with the descriptors attached to it, then the body.
bool receiveRequest(Request& request) {
    RequestHeader header;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * kMaxBatch)];
    iovec part{&header, sizeof header};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t n = ::recvmsg(kSocketFd, &message, 0);
    if (n <= 0)
        return false;
    const std::vector<int> fds = attachedDescriptors(message);
    const auto rest = sizeof header - static_cast<std::size_t>(n);
    if (rest > 0 && !receiveExactly(kSocketFd, reinterpret_cast<char*>(&header) + n, rest))
        return false;
    if (header.magic != kRequestMagic || header.count != fds.size() || header.count > kMaxBatch)
        return false;
    std::string body(header.bodyBytes, '\0');
    if (!receiveExactly(kSocketFd, body.data(), body.size()) ||
        !decodeRequestBody(body, header.count, request.jobs))
        return false;
    for (std::size_t i = 0; i < fds.size(); ++i)
        request.jobs[i].fd = fds[i];
    request.wanted = FieldSet::fromBits(header.wanted);
    return true;
}

FileFields readOne(const ReceivedJob& job, FieldSet wanted, bool faultsEnabled) {
    FileFields fields;
    try {
        if (faultsEnabled)
            actOnTestFault(job.fd);
        readContentFields(job.fd, job.size, job.extension, wanted, fields);
    } catch (...) {
        // Out of memory under the address space limit, most likely.
        fields = FileFields{};
        fields.setUnreadable();
    }
    return fields;
}

// A system call costs more than many a file's parsing, so a batch's
// descriptors go in one call where the kernel placed them side by side, as
// it does when nothing else is open above them. The range then holds only
// the batch's own.
void closeAll(const std::vector<ReceivedJob>& jobs) {
    if (jobs.empty())
        return;
    int lowest = jobs.front().fd;
    int highest = lowest;
    for (const ReceivedJob& job : jobs) {
        lowest = std::min(lowest, job.fd);
        highest = std::max(highest, job.fd);
    }
    const auto span = static_cast<std::size_t>(highest) - static_cast<std::size_t>(lowest) + 1;
    if (lowest >= 0 && span == jobs.size() &&
        ::close_range(static_cast<unsigned>(lowest), static_cast<unsigned>(highest), 0) == 0)
        return;
    for (const ReceivedJob& job : jobs)
        ::close(job.fd);
}

bool answer(const Request& request, Progress& progress, bool faultsEnabled) {
    std::string body;
    for (const ReceivedJob& job : request.jobs) {
        progress.started.fetch_add(1, std::memory_order_release);
        appendReply(body, readOne(job, request.wanted, faultsEnabled));
    }
    closeAll(request.jobs);
    ReplyHeader header;
    header.count = static_cast<std::uint32_t>(request.jobs.size());
    header.bodyBytes = static_cast<std::uint32_t>(body.size());
    return sendAll(kSocketFd,
                   std::string_view(reinterpret_cast<const char*>(&header), sizeof header)) &&
           sendAll(kSocketFd, body);
}

Progress* mapProgress() {
    void* page =
        ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED, kProgressFd, 0);
    ::close(kProgressFd);
    return page == MAP_FAILED ? nullptr : static_cast<Progress*>(page);
}

// Everything that reads a file of the system (time zone, libraries' tables)
// happens here, before the filter forbids it.
void prepare() {
    ::tzset();
    prepareContentReaders();
}

} // namespace

int main() {
    // The reader never outlives its caller, even one killed outright.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0);
    ::close_range(kProgressFd + 1, ~0U, 0);
    Progress* progress = mapProgress();
    if (progress == nullptr)
        return 1;
    const bool faultsEnabled = testFaultsEnabled();
    prepare();
    Hello hello;
    if (confineReader() == Confinement::Filtered)
        hello.filtered = 1;
    if (!sendAll(kSocketFd, std::string_view(reinterpret_cast<const char*>(&hello), sizeof hello)))
        ::_exit(1);
    for (;;) {
        Request request;
        if (!receiveRequest(request) || !answer(request, *progress, faultsEnabled))
            break;
    }
    // No exit handlers: they may want system calls the filter forbids.
    ::_exit(0);
}
