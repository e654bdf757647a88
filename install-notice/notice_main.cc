#include <cstdio>
#include <memory>
#include <string>

#include "notice_window.h"

int main() {
  std::string error;
  int status = 1;
  if (std::unique_ptr<NoticeWindowSystem> system = OpenNoticeWindowSystem(&error))
    status = RunNoticeWindow(*system, &error);
  if (!error.empty())
    std::fprintf(stderr, "install-notice: %s\n", error.c_str());
  return status;
}
