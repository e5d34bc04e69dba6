#pragma once

// Drives forms headless through the seams: a scripted modal runner (one
// script per form type), a recording message sink, questions answered by
// the test and a fixed clock.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <typeindex>
#include <vector>

#include "ui/Form.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace trelvan::test {

class FormHarness {
 public:
  FormHarness() {
    services.runModal = [this](Form& form) {
      ran.push_back(std::type_index(typeid(form)));
      auto it = scripts_.find(std::type_index(typeid(form)));
      if (it != scripts_.end()) it->second(form);
      if (!form.Ended()) form.End(0);  // closed by the user
      return form.result();
    };
    services.showMessage = [this](Form& owner, const QString& text, const QString& shownDetails) {
      messages.append(text);
      details.append(shownDetails);
      if (onMessage) onMessage(owner, text);
    };
    services.askYesNo = [this](Form&, const QString& question) {
      questions.append(question);
      return answer;
    };
    services.now = [this] { return clock; };
    services.chooseFile = [this](Form&, const FileRequest& request) {
      fileRequests.append(request.caption);
      return chosenFile;
    };
  }

  // Runs `script` whenever a form of type F is run modally; the form is
  // closed afterwards unless the script ended it.
  template <class F>
  void Script(std::function<void(F&)> script) {
    scripts_[std::type_index(typeid(F))] = [script](Form& form) {
      script(static_cast<F&>(form));
    };
  }

  template <class F>
  int RunCount() const {
    int count = 0;
    for (const auto& type : ran) count += type == std::type_index(typeid(F));
    return count;
  }

  Services services;
  QStringList messages;
  QStringList details;  // what each message holds behind "Show Details...", often empty
  std::function<void(Form&, const QString&)> onMessage;
  QStringList questions;
  bool answer = false;  // every question is answered No unless a test says Yes
  QDateTime clock{QDate(2026, 12, 7), QTime(12, 0, 0)};
  // The file every file dialog answers with, and the dialogs' captions.
  FileChoice chosenFile;
  QStringList fileRequests;
  std::vector<std::type_index> ran;

 private:
  std::map<std::type_index, std::function<void(Form&)>> scripts_;
};

}  // namespace trelvan::test
