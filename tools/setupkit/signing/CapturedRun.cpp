#include "CapturedRun.h"

#include "ChildProcess.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The child's stdin from /dev/null, its stdout and stderr into the pipe's write end, the
// secret's pipe (if any) on descriptor 3.
bool StartCapturedChild(const std::vector<std::string>& arguments, int outputEnd, int secretEnd,
                        pid_t& child) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputEnd, STDERR_FILENO);
    if (secretEnd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, secretEnd, kSecretDescriptor);
    }
    const bool started = StartChild(arguments, &actions, child);
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

std::string ReadAll(int readEnd) {
    std::string output;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(readEnd, buffer, sizeof buffer);
        if (got > 0) {
            output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            return output;
        }
    }
}

// A pipe holding the secret whole, its write end closed: the read end, or -1 for no secret.
// A secret larger than the pipe holds is refused (-2).
int SecretPipe(std::string_view secret) {
    if (secret.empty()) {
        return -1;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return -2;
    }
    const ssize_t wrote =
        secret.size() <= PIPE_BUF ? write(ends[1], secret.data(), secret.size()) : -1;
    close(ends[1]);
    if (wrote != static_cast<ssize_t>(secret.size())) {
        close(ends[0]);
        return -2;
    }
    return ends[0];
}

} // namespace

CapturedRun RunCaptured(const std::vector<std::string>& arguments, std::string_view secret) {
    CapturedRun run;
    const int secretEnd = SecretPipe(secret);
    int ends[2];
    if (arguments.empty() || secretEnd == -2 || pipe2(ends, O_CLOEXEC) != 0) {
        if (secretEnd >= 0) {
            close(secretEnd);
        }
        return run;
    }
    pid_t child = 0;
    run.started = StartCapturedChild(arguments, ends[1], secretEnd, child);
    close(ends[1]);
    if (secretEnd >= 0) {
        close(secretEnd);
    }
    if (run.started) {
        run.output = ReadAll(ends[0]);
        run.exitCode = WaitForChild(child);
    }
    close(ends[0]);
    return run;
}
