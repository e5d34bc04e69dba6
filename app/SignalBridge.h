#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace trelvan {

// Turns SIGTERM, SIGINT and SIGHUP into an orderly close. The signal handler
// only writes one byte to a pipe; the event loop of whatever form is running
// reads it and closes every open dialog from the top down, the main form
// last, so that each form ends by its ordinary path and the main form saves
// both files. Dialogs that open while the program winds down (a message
// about a file that cannot be written) are closed as they appear.
//
// One bridge per process; the handlers stay installed until it is destroyed.
class SignalBridge : public QObject {
 public:
  explicit SignalBridge(QObject* parent = nullptr);
  ~SignalBridge() override;
  SignalBridge(const SignalBridge&) = delete;
  SignalBridge& operator=(const SignalBridge&) = delete;

 private:
  void OnSignal();
  // Ends every visible dialog, the topmost modal one first.
  static void CloseOpenDialogs();

  QSocketNotifier* notifier_ = nullptr;
  QTimer sweep_;
};

}  // namespace trelvan
