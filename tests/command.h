// Runs a program with arguments, standard input from a string, and standard
// output and standard error captured apart; with a deadline, so that a hang
// fails the test instead of blocking it.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

namespace wellen {

struct CommandResult {
  bool finished = false;
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

inline CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input,
                                const std::string& directory = "", int timeout_seconds = 60) {
  signal(SIGPIPE, SIG_IGN);
  int in[2], out[2], err[2];
  CommandResult result;
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    signal(SIGPIPE, SIG_DFL);  // an ignored signal stays ignored across exec
    if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  int to_child = in[1];
  if (input.empty()) {
    close(to_child);
    to_child = -1;
  }
  std::size_t written = 0;
  int open_outputs = 2;
  std::string* sinks[2] = {&result.out, &result.err};
  int fds[2] = {out[0], err[0]};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (open_outputs > 0 && std::chrono::steady_clock::now() < deadline) {
    pollfd polled[3] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}, {to_child, POLLOUT, 0}};
    poll(polled, to_child >= 0 ? 3 : 2, 100);
    if (to_child >= 0 && (polled[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(to_child, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
        close(to_child);
        to_child = -1;
      }
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i] < 0 || (polled[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i], buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i]);
        fds[i] = -1;
        --open_outputs;
      }
    }
  }
  if (to_child >= 0) close(to_child);
  for (const int fd : fds) {
    if (fd >= 0) close(fd);
  }
  if (open_outputs > 0) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  result.finished = open_outputs == 0;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace wellen
