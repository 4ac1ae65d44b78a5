// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ReaderProcess.h"

#include <array>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ; // NOLINT(readability-redundant-declaration): not in every header

namespace quillon::metadata {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at the stop request and the reader's progress.
constexpr int kSliceMs = 50;
// Above the reader's own descriptors, so that placing them cannot clash.
constexpr int kFirstFreeFd = 10;

int movedAbove(int fd) {
    if (fd < 0)
        return -1;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kFirstFreeFd);
    ::close(fd);
    return moved;
}

void setReceiveTimeout(int socket, std::chrono::milliseconds deadline) {
    const auto ms = deadline.count() + kSliceMs;
    const timeval tv{static_cast<time_t>(ms / 1000), static_cast<suseconds_t>(ms % 1000 * 1000)};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

void noteLimitsOnly() {
    static std::atomic<bool> noted{false};
    if (!noted.exchange(true))
        std::fputs("quillon-reader: the kernel refused the system call filter; files are read "
                   "with resource limits only\n",
                   stderr);
}

void noteMissingProgram() {
    static std::atomic<bool> noted{false};
    if (!noted.exchange(true))
        std::fputs("quillon: quillon-reader was not found; fields inside files cannot be read\n",
                   stderr);
}

bool isExecutable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string ownFolder() {
    std::array<char, 4096> path{};
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0)
        return {};
    std::string exe(path.data(), static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

// The reader's environment: the caller's, which holds the time zone it
// shows dates in.
pid_t spawnReader(const std::string& program, int socket, int progress) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Nothing to read from the caller's terminal or pipe, nothing to write
    // into its output; standard error stays for a sanitizer's report.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, socket, reader::kSocketFd);
    posix_spawn_file_actions_adddup2(&actions, progress, reader::kProgressFd);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::string name = "quillon-reader";
    std::array<char*, 2> argv{name.data(), nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Starts every reader from one thread that lives as long as the program.
// A reader asks the kernel to kill it when its parent goes, so that none
// outlives a program killed outright; but "parent" means the thread that
// started it, and the threads that read fields come and go between
// batches while their readers stay in the pool.
class Launcher final {
public:
    static Launcher& instance() {
        // Never destroyed: its thread may still wait when the program ends.
        static auto* launcher = new Launcher; // NOLINT(cppcoreguidelines-owning-memory)
        return *launcher;
    }

    pid_t spawn(const std::string& program, int socket, int progress) {
        const std::lock_guard call(m_callMutex);
        std::unique_lock lock(m_mutex);
        m_request = Request{&program, socket, progress};
        m_pending = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_pending; });
        return m_result;
    }

private:
    struct Request {
        const std::string* program = nullptr;
        int socket = -1;
        int progress = -1;
    };

    Launcher() {
        std::thread([this] { serve(); }).detach();
    }

    [[noreturn]] void serve() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_pending; });
            m_result = spawnReader(*m_request.program, m_request.socket, m_request.progress);
            m_pending = false;
            m_changed.notify_all();
        }
    }

    std::mutex m_callMutex;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Request m_request;
    bool m_pending = false;
    pid_t m_result = -1;
};

} // namespace

std::string locateReaderProgram() {
    if (const char* chosen = std::getenv("QUILLON_READER"); chosen != nullptr && *chosen != '\0')
        return isExecutable(chosen) ? chosen : std::string();
    const std::string folder = ownFolder();
    for (const std::string& candidate :
         {folder + "/quillon-reader", folder + "/../libexec/quillon/quillon-reader"}) {
        if (isExecutable(candidate))
            return candidate;
    }
    return {};
}

ReaderProcess::ReaderProcess(ReaderSettings settings)
    : m_settings(std::move(settings)) {}

ReaderProcess::~ReaderProcess() {
    end();
}

bool ReaderProcess::start() {
    if (m_settings.program.empty()) {
        noteMissingProgram();
        return false;
    }
    int pair[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return false;
    const int ours = movedAbove(pair[0]);
    const int theirs = movedAbove(pair[1]);
    const int page = movedAbove(::memfd_create("quillon-reader-progress", MFD_CLOEXEC));
    void* shared = MAP_FAILED;
    if (page >= 0 && ::ftruncate(page, sizeof(reader::Progress)) == 0)
        shared =
            ::mmap(nullptr, sizeof(reader::Progress), PROT_READ | PROT_WRITE, MAP_SHARED, page, 0);
    const pid_t pid = (ours >= 0 && theirs >= 0 && shared != MAP_FAILED)
                          ? Launcher::instance().spawn(m_settings.program, theirs, page)
                          : -1;
    for (const int fd : {theirs, page}) {
        if (fd >= 0)
            ::close(fd);
    }
    m_socket = ours;
    m_pid = pid;
    m_progress = shared == MAP_FAILED ? nullptr : static_cast<reader::Progress*>(shared);
    if (pid < 0) {
        end();
        return false;
    }
    setReceiveTimeout(m_socket, m_settings.deadline);
    reader::Hello hello;
    hello.magic = 0;
    if (!reader::receiveExactly(m_socket, &hello, sizeof hello) ||
        hello.magic != reader::kHelloMagic) {
        end();
        return false;
    }
    if (hello.filtered == 0)
        noteLimitsOnly();
    return true;
}

void ReaderProcess::end() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    if (m_socket >= 0)
        ::close(m_socket);
    if (m_progress != nullptr)
        ::munmap(m_progress, sizeof(reader::Progress));
    m_pid = -1;
    m_socket = -1;
    m_progress = nullptr;
}

bool ReaderProcess::read(std::span<const reader::Job> jobs, FieldSet wanted,
                         std::span<FileFields> out, const std::atomic<bool>& stop) {
    // The files still to read, by index. A reply covers a whole batch, so
    // a reader that fails takes the replies of the batch's other files
    // with it: they stay here and go to the next reader.
    std::vector<std::size_t> pending(jobs.size());
    for (std::size_t k = 0; k < jobs.size(); ++k)
        pending[k] = k;
    std::size_t next = 0;
    std::vector<reader::Job> batch;
    while (next < pending.size()) {
        if (stop.load())
            return false;
        if (m_pid < 0 && !start()) {
            for (std::size_t k = next; k < pending.size(); ++k)
                out[pending[k]].setUnreadable();
            return true;
        }
        const std::size_t count = std::min(reader::kMaxBatch, pending.size() - next);
        batch.clear();
        for (std::size_t k = next; k < next + count; ++k)
            batch.push_back(jobs[pending[k]]);
        std::vector<FileFields> received(count);
        std::size_t failedAt = 0;
        switch (readBatch(batch, wanted, received, stop, failedAt)) {
        case Outcome::Read:
            for (std::size_t k = 0; k < count; ++k)
                takeReceived(received[k], out[pending[next + k]]);
            next += count;
            break;
        case Outcome::Stopped:
            end();
            return false;
        case Outcome::Failed:
            // The file the reader was on costs its fields; the others of
            // the batch go to a fresh reader.
            end();
            out[pending[next + failedAt]].setUnreadable();
            pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(next + failedAt));
            break;
        }
    }
    return true;
}

void ReaderProcess::takeReceived(const FileFields& received, FileFields& out) {
    if (received.unreadable())
        out.setUnreadable();
    else
        out.merge(received);
}

ReaderProcess::Outcome ReaderProcess::readBatch(std::span<const reader::Job> jobs, FieldSet wanted,
                                                std::span<FileFields> out,
                                                const std::atomic<bool>& stop,
                                                std::size_t& failedAt) {
    const std::string body = reader::encodeRequestBody(jobs);
    reader::RequestHeader header;
    header.wanted = wanted.bits();
    header.count = static_cast<std::uint16_t>(jobs.size());
    header.bodyBytes = static_cast<std::uint32_t>(body.size());
    std::vector<int> fds;
    fds.reserve(jobs.size());
    for (const reader::Job& job : jobs)
        fds.push_back(job.fd);
    const std::uint64_t base = m_progress->started.load(std::memory_order_acquire);
    std::string message(reinterpret_cast<const char*>(&header), sizeof header);
    message += body;
    if (!reader::sendAll(m_socket, message, fds)) {
        failedAt = 0;
        return Outcome::Failed;
    }
    const Outcome waited = awaitReply(jobs.size(), base, stop, failedAt);
    if (waited != Outcome::Read)
        return waited;
    if (!receiveReply(out)) {
        failedAt = fileBegun(base, jobs.size());
        return Outcome::Failed;
    }
    return Outcome::Read;
}

std::size_t ReaderProcess::fileBegun(std::uint64_t base, std::size_t count) const {
    const std::uint64_t begun = m_progress->started.load(std::memory_order_acquire) - base;
    return begun == 0 ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(begun, count) - 1);
}

ReaderProcess::Outcome ReaderProcess::awaitReply(std::size_t count, std::uint64_t base,
                                                 const std::atomic<bool>& stop,
                                                 std::size_t& failedAt) {
    std::uint64_t seen = base;
    Clock::time_point lastStep = Clock::now();
    for (;;) {
        pollfd ready{m_socket, POLLIN, 0};
        const int n = ::poll(&ready, 1, kSliceMs);
        if (n > 0)
            return Outcome::Read;
        if (stop.load())
            return Outcome::Stopped;
        const std::uint64_t now = m_progress->started.load(std::memory_order_acquire);
        if (now != seen) {
            seen = now;
            lastStep = Clock::now();
        } else if (Clock::now() - lastStep > m_settings.deadline) {
            failedAt = fileBegun(base, count);
            return Outcome::Failed;
        }
    }
}

bool ReaderProcess::receiveReply(std::span<FileFields> out) const {
    reader::ReplyHeader header;
    header.magic = 0;
    if (!reader::receiveExactly(m_socket, &header, sizeof header) ||
        header.magic != reader::kReplyMagic || header.count != out.size() ||
        header.bodyBytes > reader::kMaxReplyBytes)
        return false;
    std::string body(header.bodyBytes, '\0');
    return reader::receiveExactly(m_socket, body.data(), body.size()) &&
           reader::decodeReplyBody(body, out);
}

} // namespace quillon::metadata
