// Starts a command on $DISPLAY and reports, for the first top-level window it
// maps, the time from the start of the process to that window's MapNotify;
// then the CPU ticks the process uses over a quiet stretch, and its peak RSS.
// Usage: map_probe SETTLE_MS IDLE_MS command [args...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// utime + stime of `pid`, in clock ticks.
long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return utime + stime;
}

bool IsClient(Display* display, Window window) {
  XClassHint hint = {};
  if (!XGetClassHint(display, window, &hint)) return false;
  XFree(hint.res_name);
  XFree(hint.res_class);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s SETTLE_MS IDLE_MS command [args...]\n", argv[0]);
    return 2;
  }
  const int settle_ms = std::atoi(argv[1]);
  const int idle_ms = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "map_probe: no display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  double map_ms = -1;
  while (map_ms < 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
        !event.xcreatewindow.override_redirect) {
      const Window window = event.xcreatewindow.window;
      XSelectInput(display, window, StructureNotifyMask);
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display, window, &attributes) &&
          attributes.map_state != IsUnmapped && IsClient(display, window))
        map_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    } else if (event.type == MapNotify && event.xmap.event == event.xmap.window &&
               IsClient(display, event.xmap.window)) {
      map_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
  const long before = CpuTicks(pid);
  std::this_thread::sleep_for(std::chrono::milliseconds(idle_ms));
  const long idle_ticks = CpuTicks(pid) - before;
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage = {};
  wait4(pid, &status, 0, &usage);
  std::printf("%.1f %ld %ld\n", map_ms, usage.ru_maxrss, idle_ticks);
  XCloseDisplay(display);
  return 0;
}
