// Loaded with LD_PRELOAD into a Qt Widgets program, this library waits for the
// first top-level window to be painted and then ends the process, so that a
// benchmark can time a program's start-up without a line of the program
// knowing about it.
//
// Once the first paint event of a top-level widget has been handled and the
// event loop has nothing more queued for it, the probe writes one line
//
//   shown MONOTONIC_NS HWM_KIB CLASS TITLE
//
// (CLOCK_MONOTONIC in nanoseconds, the peak resident size from
// /proc/self/status, the class and the title of the window painted) to the file named by
// TRELVAN_PROBE_OUT, or to standard error when that is not set, and calls _exit(0): no destructor,
// no saving, nothing after the first picture counts.
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// The peak resident set size in KiB, or -1 when it cannot be read.
long PeakResidentKiB() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(status);
  return kib;
}

[[noreturn]] void ReportAndExit(const char* windowClass, const char* title) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  char text[256];
  int length = std::snprintf(text, sizeof text, "shown %lld %ld %s %s\n", ns, PeakResidentKiB(),
                             windowClass, title);
  if (length >= static_cast<int>(sizeof text)) length = sizeof text - 1;
  const char* path = std::getenv("TRELVAN_PROBE_OUT");
  std::FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr;
  if (out != nullptr) {
    std::fwrite(text, 1, static_cast<std::size_t>(length), out);
    std::fclose(out);
  } else {
    const ssize_t written = write(STDERR_FILENO, text, static_cast<std::size_t>(length));
    static_cast<void>(written);
  }
  _exit(0);
}

// Watches every event of the application for the first paint of a window.
class ShownWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!armed_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      armed_ = true;
      // Queued behind the rest of this paint pass (the window's children).
      auto* window = static_cast<QWidget*>(watched);
      const char* windowClass = window->metaObject()->className();
      QTimer::singleShot(0, this, [windowClass, title = window->windowTitle().toUtf8()] {
        ReportAndExit(windowClass, title.constData());
      });
    }
    return false;
  }

 private:
  bool armed_ = false;
};

void InstallWatcher() {
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new ShownWatcher(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallWatcher)
