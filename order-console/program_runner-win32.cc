#include "program_runner.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace order_console {

struct ProgramProcess::Impl {
  HANDLE process = nullptr;
  HANDLE in = nullptr;
  std::thread out_reader, err_reader;
  std::mutex mutex;
  std::condition_variable arrived;
  ProgramResult result;

  // Each output has a reader of its own, so the program never waits on a
  // full pipe that nobody empties.
  std::thread Reader(HANDLE pipe, std::string ProgramResult::*text) {
    return std::thread([this, pipe, text] {
      char buffer[4096];
      DWORD n = 0;
      while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) {
        std::lock_guard<std::mutex> lock(mutex);
        (result.*text).append(buffer, n);
        arrived.notify_all();
      }
      CloseHandle(pipe);
    });
  }

  void CloseInput() {
    if (in) CloseHandle(in);
    in = nullptr;
  }

  void JoinReaders() {
    if (out_reader.joinable()) out_reader.join();
    if (err_reader.joinable()) err_reader.join();
  }
};

ProgramProcess::ProgramProcess() : impl_(new Impl) {}

ProgramProcess::~ProgramProcess() {
  impl_->CloseInput();
  if (impl_->process) {
    TerminateProcess(impl_->process, 1);
    WaitForSingleObject(impl_->process, INFINITE);
    CloseHandle(impl_->process);
  }
  impl_->JoinReaders();
  delete impl_;
}

namespace {

// A pipe whose end for the child is inheritable and whose end for this
// process is not, so a second program started later gets none of it.
bool ChildPipe(HANDLE* read, HANDLE* write, bool child_reads) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  if (!CreatePipe(read, write, &inherit, 0)) return false;
  SetHandleInformation(child_reads ? *write : *read, HANDLE_FLAG_INHERIT, 0);
  return true;
}

}  // namespace

bool ProgramProcess::Start(const std::string& exe, std::string* err) {
  HANDLE in_read, in_write, out_read, out_write, err_read, err_write;
  if (!ChildPipe(&in_read, &in_write, true) || !ChildPipe(&out_read, &out_write, false) ||
      !ChildPipe(&err_read, &err_write, false)) {
    *err = "CreatePipe failed: error " + std::to_string(GetLastError());
    return false;
  }
  // A path of the build machine's file system, as Wine runs it, lies on Z:.
  std::string path = exe.starts_with("/") ? "Z:" + exe : exe;
  std::string command = "\"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in_read;
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION info = {};
  BOOL started = CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &info);
  DWORD error = GetLastError();
  CloseHandle(in_read);
  CloseHandle(out_write);
  CloseHandle(err_write);
  impl_->in = in_write;
  impl_->out_reader = impl_->Reader(out_read, &ProgramResult::out);
  impl_->err_reader = impl_->Reader(err_read, &ProgramResult::err);
  if (!started) {
    *err = "CreateProcessA " + path + " failed: error " + std::to_string(error);
    return false;
  }
  CloseHandle(info.hThread);
  impl_->process = info.hProcess;
  return true;
}

void ProgramProcess::Send(std::string_view bytes) {
  while (impl_->in && !bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(impl_->in, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0)
      return;  // the program has ended
    bytes.remove_prefix(written);
  }
}

bool ProgramProcess::WaitForOutput(std::string_view text, int timeout_ms) {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  return impl_->arrived.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] {
    return impl_->result.out.find(text) != std::string::npos;
  });
}

ProgramResult ProgramProcess::Finish() {
  impl_->CloseInput();
  impl_->JoinReaders();
  if (impl_->process) {
    WaitForSingleObject(impl_->process, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(impl_->process, &code)) impl_->result.status = static_cast<int>(code);
    CloseHandle(impl_->process);
    impl_->process = nullptr;
  }
  return impl_->result;
}

}  // namespace order_console
