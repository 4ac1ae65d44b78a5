// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/reader/ReaderSandbox.h"

#include "metadata/ReaderProtocol.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace quillon::metadata::reader {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A file's fields never need more; a file that makes a library ask for
// more is hostile or broken, and costs only itself.
constexpr rlim_t kAddressSpace = 1ULL << 30;

void limit(int resource, rlim_t value) {
    const rlimit r{value, value};
    ::setrlimit(resource, &r);
}

void setLimits() {
    limit(RLIMIT_CORE, 0);
    limit(RLIMIT_FSIZE, 0);
    limit(RLIMIT_NOFILE, kMaxBatch + 16);
    // The address sanitizer reserves terabytes of shadow memory up front.
    if (!kSanitized)
        limit(RLIMIT_AS, kAddressSpace);
}

// Reading, memory and the socket; nothing that reaches a path, another
// process or the network.
constexpr std::array kAllowed{
    SCMP_SYS(read),         SCMP_SYS(pread64),      SCMP_SYS(readv),
    SCMP_SYS(preadv),       SCMP_SYS(lseek),        SCMP_SYS(fstat),
    SCMP_SYS(munmap),       SCMP_SYS(mremap),       SCMP_SYS(brk),
    SCMP_SYS(madvise),      SCMP_SYS(futex),        SCMP_SYS(close),
    SCMP_SYS(recvmsg),      SCMP_SYS(sendmsg),      SCMP_SYS(exit),
    SCMP_SYS(exit_group),   SCMP_SYS(rt_sigreturn), SCMP_SYS(clock_gettime),
    SCMP_SYS(gettimeofday), SCMP_SYS(getpid),       SCMP_SYS(gettid),
    SCMP_SYS(sched_yield),  SCMP_SYS(getrandom),    SCMP_SYS(clock_nanosleep),
    SCMP_SYS(close_range),
};

bool allow(scmp_filter_ctx filter, int call) {
    return seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
}

bool addRules(scmp_filter_ctx filter) {
    if (!std::ranges::all_of(kAllowed, [filter](int call) { return allow(filter, call); }))
        return false;
    // glibc's fstat is fstatat on the descriptor with an empty path; a
    // status by path is refused.
    if (seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(newfstatat), 1,
                         SCMP_A3(SCMP_CMP_EQ, AT_EMPTY_PATH, 0)) != 0)
        return false;
    // Memory, never executable: a parser's fault cannot map code.
    for (const int call : {SCMP_SYS(mmap), SCMP_SYS(mprotect)}) {
        if (seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1,
                             SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)) != 0)
            return false;
    }
    return true;
}

// Under the sanitizers (test builds), whose runtime probes memory by
// writing it into a pipe, checks its signal stack on every exception and
// writes its reports to standard error, those calls are allowed and a
// forbidden call fails instead of killing: the reader still opens nothing,
// and a report is seen.
bool addSanitizerRules(scmp_filter_ctx filter) {
    if (!kSanitized)
        return true;
    const std::array calls{SCMP_SYS(write), SCMP_SYS(pipe2), SCMP_SYS(sigaltstack),
                           SCMP_SYS(rt_sigprocmask), SCMP_SYS(prlimit64)};
    return std::ranges::all_of(calls, [filter](int call) { return allow(filter, call); });
}

bool loadFilter() {
    const scmp_filter_ctx filter =
        seccomp_init(kSanitized ? SCMP_ACT_ERRNO(EPERM) : SCMP_ACT_KILL_PROCESS);
    if (filter == nullptr)
        return false;
    const bool loaded = addRules(filter) && addSanitizerRules(filter) && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return loaded;
}

} // namespace

Confinement confineReader() {
    setLimits();
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return Confinement::LimitsOnly;
    return loadFilter() ? Confinement::Filtered : Confinement::LimitsOnly;
}

} // namespace quillon::metadata::reader
