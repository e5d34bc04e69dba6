#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace trelvan {

class Form;

// A file the user is asked for.
struct FileRequest {
  bool save = false;  // a file to write (the dialog asks before overwriting), else one to read
  QString caption;
  QStringList filters;  // name filters, "GPX (*.gpx)"
};

// The user's answer: the path (empty when the dialog was cancelled) and the
// index in `filters` of the filter chosen.
struct FileChoice {
  QString path;
  int filter = 0;
};

// The parts of the platform that the forms reach through a seam, so that
// tests can replace them: running a form modally, showing a message, asking
// a question, reading the clock and choosing a file.
struct Services {
  // Runs `form` modally and returns its result. The real runner sizes the
  // form like the window that opened it, centres it over that window and
  // enters its event loop; a test runner drives the form and ends it.
  std::function<int(Form& form)> runModal;
  // Shows a modal message with a single OK button over `owner`; `details`
  // (which may be empty) lie behind a "Show Details..." button, so that a
  // long report never makes the message taller than the screen.
  std::function<void(Form& owner, const QString& text, const QString& details)> showMessage;
  // Asks `question` over `owner` with Yes and No, No the default (Enter and
  // Escape both answer No); true for Yes.
  std::function<bool(Form& owner, const QString& question)> askYesNo;
  // The current local date and time.
  std::function<QDateTime()> now;
  // Asks for a file with the desktop's file dialog over `owner`. When a
  // file to write is chosen without a suffix, the real dialog adds the
  // chosen filter's.
  std::function<FileChoice(Form& owner, const FileRequest& request)> chooseFile;

  // The services of the desktop: dialogs, message boxes and the real clock.
  static Services Desktop();
};

}  // namespace trelvan
