#include "tests/support/xvfb/Xvfb.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

// A setting's name ("NAME" of "NAME=value" or of a bare "NAME").
std::string SettingName(const std::string& s) { return s.substr(0, s.find('=')); }

// This process's environment with the settings added or replaced; a setting without
// '=' removes that variable, and a later setting of a name overrides an earlier one.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& env) {
    std::vector<std::string> out;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string key = SettingName(entry);
        const bool replaced =
            std::any_of(env.begin(), env.end(), [&](const std::string& s) { return SettingName(s) == key; });
        if (!replaced) out.push_back(entry);
    }
    for (size_t i = 0; i < env.size(); ++i) {
        const std::string name = SettingName(env[i]);
        const bool overridden = std::any_of(env.begin() + static_cast<std::ptrdiff_t>(i) + 1, env.end(),
                                            [&](const std::string& s) { return SettingName(s) == name; });
        if (!overridden && env[i].find('=') != std::string::npos) out.push_back(env[i]);
    }
    return out;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& env, int outputFd) {
    std::vector<std::string> merged = MergedEnvironment(env);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(merged);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
        posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
    }
    pid_t pid = -1;
    const int result = posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

}  // namespace

bool FindProgram(const std::string& name, std::string* path) {
    for (const std::string folder : {"/usr/bin/", "/usr/local/bin/"}) {
        if (access((folder + name).c_str(), X_OK) == 0) {
            *path = folder + name;
            return true;
        }
    }
    return false;
}

bool FindXvfb(std::string* path) { return FindProgram("Xvfb", path); }

bool CXvfb::Start(const std::string& binary, int width, int height) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int n = 0; n < 20 && m_Pid <= 0; ++n) {
        const int display = 70 + (getpid() + n * 7) % 200;
        char socket[64];
        std::snprintf(socket, sizeof socket, "/tmp/.X11-unix/X%d", display);
        struct stat st;
        if (stat(socket, &st) == 0) continue;
        char name[16];
        std::snprintf(name, sizeof name, ":%d", display);
        m_Name = name;
        // Not on the test's own output: a test that halts on a sanitizer report leaves the
        // server running, and ctest would wait on the server's end of the pipe until its
        // time-out instead of reporting the failure.
        const int quiet = open("/dev/null", O_WRONLY);
        const pid_t pid = Spawn({binary, m_Name, "-screen", "0", screen, "-nolisten", "tcp"}, {}, quiet);
        if (quiet >= 0) close(quiet);
        if (pid <= 0) return false;
        // Up to five seconds for the server to listen.
        for (int i = 0; i < 100; ++i) {
            if (stat(socket, &st) == 0) {
                m_Pid = pid;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    return m_Pid > 0;
}

CXvfb::~CXvfb() {
    if (m_Pid > 0) {
        kill(m_Pid, SIGTERM);
        waitpid(m_Pid, nullptr, 0);
    }
}

bool CChildProcess::Start(const std::vector<std::string>& args, const std::vector<std::string>& env,
                          const std::string& outputPath) {
    int fd = -1;
    if (!outputPath.empty()) fd = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    m_Pid = Spawn(args, env, fd);
    if (fd >= 0) close(fd);
    return m_Pid > 0;
}

bool CChildProcess::HasExited(int* code) {
    if (m_Pid <= 0) return true;
    int status = 0;
    if (waitpid(m_Pid, &status, WNOHANG) != m_Pid) return false;
    *code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    m_Pid = -1;
    return true;
}

CChildProcess::~CChildProcess() {
    if (m_Pid > 0) {
        kill(m_Pid, SIGTERM);
        waitpid(m_Pid, nullptr, 0);
    }
}

std::string RunAndRead(const std::vector<std::string>& args, const std::vector<std::string>& env, int* code) {
    int pipeFds[2];
    *code = -1;
    if (pipe(pipeFds) != 0) return "";
    const pid_t pid = Spawn(args, env, pipeFds[1]);
    close(pipeFds[1]);
    std::string out;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) *code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

}  // namespace testsupport
