#include "ChildProcess.h"

#include <cerrno>
#include <sys/wait.h>

extern char** environ;

bool StartChild(const std::vector<std::string>& arguments,
                const posix_spawn_file_actions_t* actions, pid_t& child) {
    if (arguments.empty()) {
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ) == 0;
}

int WaitForChild(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return 127;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
