// Starting the program as a child process with its standard input and output
// on pipes, with a deadline so that a hang fails the test instead of blocking.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace wellen {

struct ProcessResult {
  bool finished = false;  // ended before the deadline
  bool exited_normally = false;
  int exit_status = -1;
  int signal = 0;
  std::string output;
};

inline ProcessResult RunWithInput(const std::string& input, int timeout_seconds = 30) {
  signal(SIGPIPE, SIG_IGN);  // the child may end before it has read everything
  int to_child[2];
  int from_child[2];
  ProcessResult result;
  if (pipe(to_child) != 0 || pipe(from_child) != 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(to_child[0], STDIN_FILENO);
    dup2(from_child[1], STDOUT_FILENO);
    close(to_child[0]);
    close(to_child[1]);
    close(from_child[0]);
    close(from_child[1]);
    execl(WELLEN743_BINARY, WELLEN743_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(to_child[0]);
  close(from_child[1]);
  fcntl(to_child[1], F_SETFL, O_NONBLOCK);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  std::size_t written = 0;
  int in_fd = to_child[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  bool open_output = true;
  while (open_output && std::chrono::steady_clock::now() < deadline) {
    pollfd fds[2] = {{from_child[0], POLLIN, 0}, {in_fd, POLLOUT, 0}};
    poll(fds, in_fd >= 0 ? 2 : 1, 100);
    if (in_fd >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(in_fd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
    if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      char buffer[65536];
      const ssize_t n = read(from_child[0], buffer, sizeof buffer);
      if (n > 0) {
        result.output.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        open_output = false;
      }
    }
  }
  if (in_fd >= 0) close(in_fd);
  close(from_child[0]);
  int status = 0;
  if (open_output) kill(pid, SIGKILL);  // deadline passed
  waitpid(pid, &status, 0);
  result.finished = !open_output;
  result.exited_normally = WIFEXITED(status);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return result;
}

}  // namespace wellen
