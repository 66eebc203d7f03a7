// Times a program's windows as the X server sees them: starts the program,
// prints the time from exec to every top-level window it maps, and after the
// last window asked for ends it with a signal and times its exit.
//
//   lexmora-map-timing [--maps N] [--signal TERM|INT|HUP|NONE] [--timeout S] -- PROGRAM ARGS...
//
// The clock starts just before fork; the map times come from MapNotify
// events on the root window, so they include everything the program does
// before the window reaches the server. Needs DISPLAY.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string WindowName(Display* display, Window window) {
  XTextProperty text{};
  std::string name;
  if (XGetWMName(display, window, &text) && text.value) {
    name.assign(reinterpret_cast<const char*>(text.value), text.nitems);
    XFree(text.value);
  }
  return name;
}

int SignalNumber(const char* name) {
  if (!std::strcmp(name, "TERM")) return SIGTERM;
  if (!std::strcmp(name, "INT")) return SIGINT;
  if (!std::strcmp(name, "HUP")) return SIGHUP;
  if (!std::strcmp(name, "KILL")) return SIGKILL;
  return 0;
}

// Waits for the child up to `seconds`; true when it ended, with its status.
bool WaitChild(pid_t child, double seconds, int& status) {
  const auto start = Clock::now();
  while (MsSince(start) < seconds * 1000) {
    if (waitpid(child, &status, WNOHANG) == child) return true;
    usleep(1000);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int maps = 1;
  int signal = SIGTERM;
  double timeout = 20;
  int i = 1;
  for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (!std::strcmp(argv[i], "--maps") && i + 1 < argc) maps = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--signal") && i + 1 < argc) signal = SignalNumber(argv[++i]);
    else if (!std::strcmp(argv[i], "--timeout") && i + 1 < argc) timeout = std::atof(argv[++i]);
  }
  if (i + 1 >= argc) {
    std::fprintf(stderr, "usage: lexmora-map-timing [--maps N] [--signal TERM|INT|HUP|NONE] [--timeout S] -- PROGRAM ARGS...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "lexmora-map-timing: no display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  if (std::getenv("MAP_TIMING_TRACE")) { timespec ts; clock_gettime(CLOCK_MONOTONIC, &ts); std::fprintf(stderr, "TRACE %.1f fork\n", ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6); }
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[i + 1], argv + i + 1);
    _exit(127);
  }
  int seen = 0;
  int status = 0;
  bool ended = false;
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  while (seen < maps && MsSince(start) < timeout * 1000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify || event.xmap.event != root || event.xmap.override_redirect) continue;
      ++seen;
      std::printf("window %d mapped at %.1f ms: \"%s\"\n", seen, MsSince(start),
                  WindowName(display, event.xmap.window).c_str());
    }
    if (waitpid(child, &status, WNOHANG) == child) {
      ended = true;
      break;
    }
    poll(&fd, 1, 5);
  }
  if (!ended && seen < maps) std::printf("only %d of %d windows mapped within %.0f s\n", seen, maps, timeout);
  if (!ended && signal != 0) {
    const auto sent = Clock::now();
    kill(child, signal);
    ended = WaitChild(child, timeout, status);
    if (ended) std::printf("ended %.1f ms after signal %d\n", MsSince(sent), signal);
    else std::printf("still running %.0f s after signal %d; killed\n", timeout, signal);
  }
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  if (WIFEXITED(status)) std::printf("exit status %d\n", WEXITSTATUS(status));
  else if (WIFSIGNALED(status)) std::printf("killed by signal %d\n", WTERMSIG(status));
  XCloseDisplay(display);
  return seen >= maps ? 0 : 1;
}
