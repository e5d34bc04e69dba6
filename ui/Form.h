#pragma once

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QPalette>
#include <QString>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "ui/Services.h"

class QGridLayout;
class QVBoxLayout;

namespace trelvan {

// Kinds of control a form can hold.
enum class ControlKind {
  kCaption,       // static text without notifications (column and row captions)
  kLabel,         // static text whose content the form sets (unit labels)
  kEdit,          // free text field
  kDigits,        // text field that accepts up to nine digits only
  kButton,        // push button; its caption may be a state ("+", "N", "TRUE")
  kDefaultButton, // the form's compute button, pressed by Enter
  kRadio,         // radio button
  kList,          // drop-down list
  kEditableList,  // drop-down list with a text field (see ControlSpec::maxLength)
};

// One control of a form's layout: id (0 for a caption that is never
// addressed), kind, caption or initial text, the group it sits in (an index
// returned by AddGroup) and its cell in that group's grid.
struct ControlSpec {
  int id;
  ControlKind kind;
  const char* text;
  int group;
  int row;
  int column;
  int rowSpan = 1;
  int columnSpan = 1;
  // An editable list: the most characters its text field takes, and the
  // width it is laid out for; 0 for no limit.
  int maxLength = 0;
};

// Base of every form: a modal dialog whose controls are declared in a table
// and reached only by their numeric id. Notifications (button pressed, list
// selection changed, field text changed) reach the virtual handlers only
// when they come from the user, never while the form itself sets a text or
// fills a list. Tests and automation drive a form through Press, Type and
// Choose, which take the same path as a user.
class Form : public QDialog {
 public:
  Form(Services& services, const QString& title, QWidget* parent = nullptr);
  ~Form() override;

  // Runs the form modally through the services: the opening hook, the modal
  // run (skipped when the opening hook already ended the form), then the
  // destroy hook. Returns the form's result.
  int Execute();

  // Ends the form with `result`; the destroy hook follows. Escape and the
  // window's close button end it the same way, with result 0.
  void End(int result);
  bool Ended() const { return ended_; }
  void done(int result) override;

  // Control access by id, for the form's own code.
  QString Text(int id) const;
  void SetText(int id, const QString& text);
  void SetReadOnly(int id, bool readOnly);
  bool IsReadOnly(int id) const;
  void CheckRadio(int first, int last, int id);
  bool IsChecked(int id) const;
  void ListClear(int id);
  void ListAppend(int id, const QString& text);
  void ListRemove(int id, int index);
  void ListSelect(int id, int index);  // -1 selects nothing
  int ListSelection(int id) const;     // -1 when nothing is selected
  int ListCount(int id) const;
  QString ListText(int id, int index) const;
  QWidget* Control(int id) const;

  // Services.
  // A message with one OK button; `details`, when given, are shown on
  // demand below it.
  void ShowMessage(const QString& text, const QString& details = QString());
  // Asks `question` with Yes and No, No the default; true for Yes.
  bool Ask(const QString& question);
  int RunModal(Form& child);
  QDateTime Now() const;
  FileChoice ChooseFile(const FileRequest& request);
  Services& services() const { return services_; }

  // Drivers for tests and automation: the same path as a user. Each returns
  // false when the control does not exist or would not take the action
  // (a read-only field, a disabled button, an index outside the list).
  bool Press(int id);
  bool Type(int id, const QString& text);
  bool Choose(int id, int index);

 protected:
  // Adds a framed group (or, with an empty caption, an unframed one) below
  // the previous; returns its index for ControlSpec::group.
  int AddGroup(const QString& caption);
  void AddControls(std::initializer_list<ControlSpec> controls);
  void AddControls(std::span<const ControlSpec> controls);
  // Layout of the form itself, for forms that add widgets of their own.
  QVBoxLayout* FormLayout() const { return layout_; }
  QGridLayout* GroupGrid(int group) const;
  // Fixes the width of an edit field or push button to what `widest`, the
  // widest text it will hold, needs in the control's font and style, so that
  // a field is as wide as its digits whatever the desktop's font.
  void FitWidth(int id, const QString& widest);
  // The same for a button whose caption is one of `captions`: as wide as the
  // widest of them in its font.
  void FitWidth(int id, std::span<const std::string_view> captions);
  // Lays a list out wide enough for entries of `characters` characters.
  void FitListWidth(int id, int characters);

  virtual void OnOpen() {}
  virtual void OnDestroy() {}
  virtual void OnPressed(int /*id*/) {}
  virtual void OnSelectionChanged(int /*id*/) {}
  virtual void OnTextChanged(int /*id*/) {}

 private:
  // Counts the nested places where the form itself changes controls; the
  // notifications are not passed on while it is above zero.
  class Quiet;

  void AddControl(const ControlSpec& control);

  // The width FitWidth gave an edit field and what of it is not text, so
  // that a wider text can widen the field.
  struct FittedWidth {
    int width;
    int chrome;
  };

  Services& services_;
  QVBoxLayout* layout_;
  QList<QGridLayout*> groups_;
  QHash<int, QWidget*> controls_;
  QHash<int, FittedWidth> fitted_;
  // The style's own palette, whose colours SetReadOnly gives the fields.
  std::optional<QPalette> standardPalette_;
  int quiet_ = 0;
  bool ended_ = false;
};

}  // namespace trelvan
