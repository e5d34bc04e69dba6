#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace trelvan {

class Form;

// The parts of the platform that the forms reach through a seam, so that
// tests can replace them: running a form modally, showing a message, asking
// a question and reading the clock.
struct Services {
  // Runs `form` modally and returns its result. The real runner sizes the
  // form like the window that opened it, centres it over that window and
  // enters its event loop; a test runner drives the form and ends it.
  std::function<int(Form& form)> runModal;
  // Shows a modal message with a single OK button over `owner`.
  std::function<void(Form& owner, const QString& text)> showMessage;
  // Asks `question` over `owner` with Yes and No, No the default (Enter and
  // Escape both answer No); true for Yes.
  std::function<bool(Form& owner, const QString& question)> askYesNo;
  // The current local date and time.
  std::function<QDateTime()> now;

  // The services of the desktop: dialogs, message boxes and the real clock.
  static Services Desktop();
};

}  // namespace trelvan
