#pragma once
// A private X server for tests that need a real window (Xvfb on a free display number,
// ended with the object), and child processes run with their own environment.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// Where Xvfb is installed; false when it is not.
bool FindXvfb(std::string* path);
// Where a program of /usr/bin or /usr/local/bin is; false when it is not.
bool FindProgram(const std::string& name, std::string* path);

class CXvfb {
public:
    CXvfb() = default;
    CXvfb(const CXvfb&) = delete;
    CXvfb& operator=(const CXvfb&) = delete;
    ~CXvfb();
    // Starts the server with one screen of width × height at 24 bits and waits (at most
    // five seconds) until it listens.
    bool Start(const std::string& binary, int width, int height);
    // ":NN".
    const std::string& Name() const { return m_Name; }

private:
    pid_t m_Pid = -1;
    std::string m_Name;
};

// A child process: the arguments and "NAME=value" settings added to (or replacing those
// of) this process's environment; a plain "NAME" leaves that variable out.
class CChildProcess {
public:
    CChildProcess() = default;
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    // Ends a child still running (SIGTERM) and reaps it.
    ~CChildProcess();
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& env,
               const std::string& outputPath = "");
    // True once the child has exited; its exit code (or -signal) in `code`.
    bool HasExited(int* code);
    pid_t Pid() const { return m_Pid; }

private:
    pid_t m_Pid = -1;
};

// Runs a program to its end and returns what it wrote to its standard output (the exit
// code in `code`).
std::string RunAndRead(const std::vector<std::string>& args, const std::vector<std::string>& env, int* code);

}  // namespace testsupport
