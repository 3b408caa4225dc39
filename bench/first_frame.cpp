// first_frame: runs a program under X11 and reports, on one line,
//   <milliseconds from exec to first frame> <peak resident KiB> <CPU milliseconds>
// The first frame is the first drawing into a top-level window of the
// display after that window was mapped, as the X server's Damage extension
// reports it; nothing in the program under test is changed or told. After the
// first frame the program is left to run for --settle milliseconds, then
// ended with SIGTERM, and its peak resident set (getrusage's ru_maxrss, the
// figure /usr/bin/time -v prints) and the processor time it used, user and
// system, are read from wait4. The program idles after its first frame, so
// the processor time is nearly all start-up; unlike the first frame's time
// it hardly grows when other processes compete for the processor.
//
// Usage: first_frame [--settle MS] [--timeout MS] program [arguments...]
// Run it on an otherwise idle display with no window manager, so that the
// only top-level windows created are the program's own.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

[[noreturn]] void usage() {
  std::fprintf(stderr, "usage: first_frame [--settle MS] [--timeout MS] program [arguments...]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char* argv[]) {
  double settleMs = 300;
  double timeoutMs = 20000;
  int first = 1;
  while (first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0) {
    if (std::strcmp(argv[first], "--settle") == 0) {
      settleMs = std::atof(argv[first + 1]);
    } else if (std::strcmp(argv[first], "--timeout") == 0) {
      timeoutMs = std::atof(argv[first + 1]);
    } else {
      usage();
    }
    first += 2;
  }
  if (first >= argc) usage();

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_frame: cannot open the display\n");
    return 2;
  }
  int damageEvent = 0;
  int damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "first_frame: the X server has no Damage extension\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = nowMs();
  const pid_t child = fork();
  if (child == 0) {
    close(ConnectionNumber(display));
    execvp(argv[first], argv + first);
    std::perror("first_frame: exec");
    _exit(127);
  }

  // Damage is watched from the moment a top-level window exists, which is
  // before it can be mapped and therefore before anything drawn can show.
  std::set<Window> mapped;
  double firstFrame = -1;
  bool childEnded = false;
  int status = 0;
  rusage usage{};
  while (firstFrame < 0) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
        XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
      } else if (event.type == MapNotify && event.xmap.event == root) {
        mapped.insert(event.xmap.window);
      } else if (event.type == damageEvent + XDamageNotify) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (mapped.count(damage.drawable) != 0 && firstFrame < 0) firstFrame = nowMs() - start;
      }
    }
    if (firstFrame >= 0) break;
    if (wait4(child, &status, WNOHANG, &usage) == child) {
      childEnded = true;
      break;
    }
    if (nowMs() - start > timeoutMs) break;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 5);
  }

  if (!childEnded) {
    const double settleUntil = nowMs() + settleMs;
    while (nowMs() < settleUntil) {
      if (wait4(child, &status, WNOHANG, &usage) == child) {
        childEnded = true;
        break;
      }
      usleep(5000);
    }
  }
  if (!childEnded) {
    kill(child, SIGTERM);
    wait4(child, &status, 0, &usage);
  }
  XCloseDisplay(display);

  if (firstFrame < 0) {
    std::fprintf(stderr, "first_frame: %s showed no frame\n", argv[first]);
    return 1;
  }
  const auto ms = [](timeval t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
  std::printf("%.1f %ld %.1f\n", firstFrame, usage.ru_maxrss, ms(usage.ru_utime) + ms(usage.ru_stime));
  return 0;
}
