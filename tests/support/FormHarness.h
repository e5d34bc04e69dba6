#pragma once

// Drives forms headless through the three seams: a scripted modal runner
// (one script per form type), a recording message sink and a fixed clock.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdlib>
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

namespace trelvan::testing {

// A temporary folder removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/trelvan-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  QString qpath() const { return QString::fromStdString(path_); }
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

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
    services.showMessage = [this](Form& owner, const QString& text) {
      messages.append(text);
      if (onMessage) onMessage(owner, text);
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
  std::function<void(Form&, const QString&)> onMessage;
  QDateTime clock{QDate(2026, 12, 7), QTime(12, 0, 0)};
  // The file every file dialog answers with, and the dialogs' captions.
  FileChoice chosenFile;
  QStringList fileRequests;
  std::vector<std::type_index> ran;

 private:
  std::map<std::type_index, std::function<void(Form&)>> scripts_;
};

}  // namespace trelvan::testing
