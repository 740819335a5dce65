#include "platform/window/Shell.h"

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>

#include "platform/window/PlatformVideo.h"

namespace {

std::mutex g_LauncherMutex;
ShellLauncher g_Launcher;

// Double fork: the opener is adopted by init, so no child of ours is left to reap.
// A pipe closed on exec tells whether the program could be started.
bool SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    int pipeFd[2];
    if (pipe2(pipeFd, O_CLOEXEC) != 0) {
        return false;
    }
    pid_t child = fork();
    if (child < 0) {
        close(pipeFd[0]);
        close(pipeFd[1]);
        return false;
    }
    if (child == 0) {
        close(pipeFd[0]);
        setsid();
        pid_t grandChild = fork();
        if (grandChild == 0) {
            execvp(args[0], args.data());
            char failed = 1;
            ssize_t w = write(pipeFd[1], &failed, 1);
            (void)w;
            _exit(127);
        }
        if (grandChild < 0) {
            char failed = 1;
            ssize_t w = write(pipeFd[1], &failed, 1);
            (void)w;
        }
        _exit(0);
    }
    close(pipeFd[1]);
    int status = 0;
    waitpid(child, &status, 0);
    char failed = 0;
    ssize_t got = read(pipeFd[0], &failed, 1);
    close(pipeFd[0]);
    return got == 0;
}

}  // namespace

void PlatformSetShellLauncher(ShellLauncher launcher) {
    std::lock_guard<std::mutex> lock(g_LauncherMutex);
    g_Launcher = std::move(launcher);
}

bool PlatformOpenWithShell(const std::string& target, const std::string& operation) {
    (void)operation;
    if (target.empty()) {
        PlatformWindowSetLastError("nothing to open");
        return false;
    }
    std::vector<std::string> argv{"xdg-open", target};
    ShellLauncher launcher;
    {
        std::lock_guard<std::mutex> lock(g_LauncherMutex);
        launcher = g_Launcher;
    }
    bool ok = launcher ? launcher(argv) : SpawnDetached(argv);
    if (!ok) {
        PlatformWindowSetLastError("xdg-open could not be started");
    }
    return ok;
}
