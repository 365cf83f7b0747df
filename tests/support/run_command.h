// Runs a shell command line and collects its standard output and exit status.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tv::test {

struct CommandResult {
    std::string out;
    int status = -1;  // the exit status; -1 when the command did not exit normally
};

inline CommandResult runShell(const std::string& command) {
    CommandResult r;
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return r;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// Starts `program` as a child process with this process's environment, `own` set on top of it.
// The environment is made before the fork: after it only exec is safe. The child's id, or -1.
inline pid_t startWithEnvironment(const char* program,
                                  const std::vector<std::pair<std::string, std::string>>& own) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& [key, value] : own)
            replaced = replaced || entry.starts_with(key + "=");
        if (!replaced) env.push_back(entry);
    }
    for (const auto& [key, value] : own)
        env.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        ::execve(program, argv, envp.data());
        _exit(127);
    }
    return child;
}

}  // namespace tv::test
