#pragma once
// Another kiv process for multi-process tests: the kiv_list_peer helper, driven line by line.

#include <string>
#include <sys/types.h>
#include <vector>

class PeerProcess {
public:
    // Starts the helper with the current environment (the scratch folders included).
    PeerProcess();
    // Ends the helper (quit, or SIGKILL when it is still running) and reaps it.
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    // Sends one command and returns the answer's lines.
    std::vector<std::string> run(const std::string& command);
    // Sends "quit" and waits for a normal exit; true when it exited with status 0.
    bool quit();
    // Kills the helper with SIGKILL and reaps it.
    void kill();
    // The helper's process id.
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int toPeer_ = -1;
    int fromPeer_ = -1;
    std::string pending_;
};
