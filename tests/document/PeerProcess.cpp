#include "document/PeerProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

extern char** environ;

PeerProcess::PeerProcess() {
    // A peer that dies must fail the test, not kill it with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(KIV_LIST_PEER), nullptr};
    const int failed = posix_spawn(&pid_, KIV_LIST_PEER, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    toPeer_ = in[1];
    fromPeer_ = out[0];
    if (failed != 0)
        throw std::runtime_error("cannot start the peer process");
}

PeerProcess::~PeerProcess() {
    if (pid_ > 0 && !quit())
        kill();
    if (toPeer_ >= 0)
        close(toPeer_);
    if (fromPeer_ >= 0)
        close(fromPeer_);
}

std::vector<std::string> PeerProcess::run(const std::string& command) {
    const std::string line = command + "\n";
    if (write(toPeer_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("peer gone");
    std::vector<std::string> answer;
    for (;;) {
        const auto newline = pending_.find('\n');
        if (newline == std::string::npos) {
            char buffer[4096];
            const ssize_t got = read(fromPeer_, buffer, sizeof buffer);
            if (got <= 0)
                throw std::runtime_error("peer ended without answering");
            pending_.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        std::string text = pending_.substr(0, newline);
        pending_.erase(0, newline + 1);
        if (text == ".")
            return answer;
        answer.push_back(std::move(text));
    }
}

bool PeerProcess::quit() {
    if (pid_ <= 0)
        return false;
    const std::string line = "quit\n";
    if (write(toPeer_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return false;
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_)
        return false;
    pid_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void PeerProcess::kill() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}
