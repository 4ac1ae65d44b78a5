// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunProgram.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillon::test {

namespace {

// Files rather than pipes: the child can write as much as it likes to both
// streams without the parent having to drain them in step.
std::string slurp(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

} // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const ProgramStreams& streams) {
    std::FILE* in = std::tmpfile();
    std::fwrite(streams.input.data(), 1, streams.input.size(), in);
    std::fflush(in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::fileno(in), STDIN_FILENO);
        if (!streams.outputFile.empty())
            ::dup2(::open(streams.outputFile.c_str(), O_WRONLY), ::fileno(out));
        for (const std::string& variable : streams.environment)
            ::putenv(const_cast<char*>(variable.c_str()));
        ::dup2(::fileno(out), STDOUT_FILENO);
        ::dup2(::fileno(err), STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    ProgramResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.out = streams.outputFile.empty() ? slurp(out) : (std::fclose(out), std::string());
    result.err = slurp(err);
    std::fclose(in);
    return result;
}

} // namespace quillon::test
