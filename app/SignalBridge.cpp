#include "app/SignalBridge.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSet>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace trelvan {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Both ends of the self-pipe; the handler may only touch plain ints.
int gPipe[2] = {-1, -1};

// How often dialogs that open during the wind-down are looked for.
constexpr int kSweepMilliseconds = 20;

extern "C" void HandleSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a byte that wakes the reader: nothing is lost.
  [[maybe_unused]] const ssize_t n = write(gPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
  if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    gPipe[0] = gPipe[1] = -1;
    return;  // the signals keep their default action and end the program
  }
  notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalBridge::OnSignal);
  sweep_.setInterval(kSweepMilliseconds);
  connect(&sweep_, &QTimer::timeout, this, &SignalBridge::CloseOpenDialogs);

  struct sigaction action {};
  action.sa_handler = HandleSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

SignalBridge::~SignalBridge() {
  if (gPipe[0] < 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
  close(gPipe[0]);
  close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void SignalBridge::OnSignal() {
  char bytes[64];
  while (read(gPipe[0], bytes, sizeof bytes) > 0) {
  }
  CloseOpenDialogs();
  sweep_.start();
}

void SignalBridge::CloseOpenDialogs() {
  // The modal stack from the top: each dialog ended here hides, and the one
  // below becomes the active modal widget. Its own event loop returns when
  // control gets back to it, after the loops above it have returned.
  QSet<QWidget*> ended;
  while (QWidget* top = QApplication::activeModalWidget()) {
    auto* dialog = qobject_cast<QDialog*>(top);
    if (!dialog || ended.contains(dialog)) break;
    ended.insert(dialog);
    dialog->done(QDialog::Rejected);
  }
  // Dialogs that are open but not modal.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog && dialog->isVisible() && !ended.contains(dialog)) dialog->done(QDialog::Rejected);
  }
}

}  // namespace trelvan
