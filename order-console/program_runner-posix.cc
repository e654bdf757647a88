#include "program_runner.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace order_console {

struct ProgramProcess::Impl {
  pid_t pid = -1;
  int in = -1, out = -1, err = -1;
  ProgramResult result;

  // Moves what the program has written so far into `result`, waiting up to
  // `timeout_ms` for something to arrive. False once both outputs are closed.
  bool Drain(int timeout_ms) {
    pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    if (out < 0 && err < 0) return false;
    if (poll(fds, 2, timeout_ms) <= 0) return true;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        (i == 0 ? out : err) = -1;
      }
    }
    return true;
  }
};

ProgramProcess::ProgramProcess() : impl_(new Impl) {}

ProgramProcess::~ProgramProcess() {
  if (impl_->pid > 0) {
    kill(impl_->pid, SIGKILL);
    waitpid(impl_->pid, nullptr, 0);
  }
  for (int fd : {impl_->in, impl_->out, impl_->err})
    if (fd >= 0) close(fd);
  delete impl_;
}

bool ProgramProcess::Start(const std::string& exe, std::string* err) {
  int in[2], out[2], error[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(error, O_CLOEXEC) != 0) {
    *err = strerror(errno);
    return false;
  }
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(error[1], STDERR_FILENO);
    execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(error[1]);
  impl_->pid = pid;
  impl_->in = in[1];
  impl_->out = out[0];
  impl_->err = error[0];
  return pid > 0;
}

void ProgramProcess::Send(std::string_view bytes) {
  signal(SIGPIPE, SIG_IGN);  // a program that has ended must not end the test
  while (!bytes.empty()) {
    ssize_t n = write(impl_->in, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

bool ProgramProcess::WaitForOutput(std::string_view text, int timeout_ms) {
  timespec start;
  clock_gettime(CLOCK_MONOTONIC, &start);
  for (;;) {
    if (impl_->result.out.find(text) != std::string::npos) return true;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    long elapsed = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    if (elapsed >= timeout_ms || !impl_->Drain(static_cast<int>(timeout_ms - elapsed))) return false;
  }
}

ProgramResult ProgramProcess::Finish() {
  if (impl_->in >= 0) close(impl_->in);
  impl_->in = -1;
  while (impl_->Drain(-1)) {
  }
  int wait_status = 0;
  if (waitpid(impl_->pid, &wait_status, 0) == impl_->pid && WIFEXITED(wait_status))
    impl_->result.status = WEXITSTATUS(wait_status);
  impl_->pid = -1;
  return impl_->result;
}

}  // namespace order_console
