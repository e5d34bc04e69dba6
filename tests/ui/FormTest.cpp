// The form services themselves: the drivers take the user's path, the form's
// own setters stay quiet, the field limits hold, and real modal runs end by
// the close button, by Enter and one inside another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <vector>

#include "tests/support/FormHarness.h"
#include "ui/Form.h"

namespace trelvan {
namespace {

using test::FormHarness;

// A form with one control of each kind that records every notification.
class ProbeForm : public Form {
 public:
  enum Id {
    kEdit = 10,
    kDigits = 11,
    kButton = 20,
    kCompute = 21,
    kFirstRadio = 30,
    kMiddleRadio = 31,
    kLastRadio = 32,
    kList = 40,
    kNames = 41,
    kLabel = 50,
  };

  // One notification: which handler and which control.
  struct Event {
    char kind;  // 'p' pressed, 's' selection changed, 't' text changed
    int id;
    bool operator==(const Event&) const = default;
  };

  explicit ProbeForm(Services& services, QWidget* parent = nullptr)
      : Form(services, QStringLiteral("Probe"), parent) {
    using K = ControlKind;
    const int fields = AddGroup(QStringLiteral("Fields"));
    AddControls({
        {kEdit, K::kEdit, "start", fields, 0, 0},
        {kDigits, K::kDigits, "", fields, 0, 1},
        {kLabel, K::kLabel, "m", fields, 0, 2},
        {kList, K::kList, "", fields, 1, 0},
        {kNames, K::kEditableList, "", fields, 1, 1, 1, 1, 22},
    });
    const int radios = AddGroup(QStringLiteral("Choice"));
    AddControls({
        {kFirstRadio, K::kRadio, "one", radios, 0, 0},
        {kMiddleRadio, K::kRadio, "two", radios, 0, 1},
        {kLastRadio, K::kRadio, "three", radios, 0, 2},
    });
    const int buttons = AddGroup(QString());
    AddControls({
        {kButton, K::kButton, "+", buttons, 0, 0},
        {kCompute, K::kDefaultButton, "OK", buttons, 0, 1},
    });
  }

  std::vector<Event> events;
  int opened = 0;
  int destroyed = 0;
  // Run by OnOpen and by a press of kButton when set.
  std::function<void(ProbeForm&)> onOpen;
  std::function<void(ProbeForm&)> onButton;

 protected:
  void OnOpen() override {
    ++opened;
    if (onOpen) onOpen(*this);
  }
  void OnDestroy() override { ++destroyed; }
  void OnPressed(int id) override {
    events.push_back({'p', id});
    if (id == kButton && onButton) onButton(*this);
    if (id == kCompute) End(7);
  }
  void OnSelectionChanged(int id) override { events.push_back({'s', id}); }
  void OnTextChanged(int id) override { events.push_back({'t', id}); }
};

void PrintTo(const ProbeForm::Event& e, std::ostream* os) { *os << e.kind << e.id; }

using Event = ProbeForm::Event;

class FormTest : public ::testing::Test {
 protected:
  FormHarness h;
  ProbeForm form{h.services};
};

TEST_F(FormTest, ControlsAreFoundByTheirIdAsObjectName) {
  for (int id : {ProbeForm::kEdit, ProbeForm::kDigits, ProbeForm::kButton, ProbeForm::kList,
                 ProbeForm::kMiddleRadio, ProbeForm::kLabel}) {
    ASSERT_NE(form.Control(id), nullptr) << id;
    EXPECT_EQ(form.Control(id)->objectName(), QString::number(id));
  }
  EXPECT_EQ(form.Control(999), nullptr);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Probe"));
}

TEST_F(FormTest, DriversTakeTheUsersPathAndNotify) {
  EXPECT_TRUE(form.Press(ProbeForm::kButton));
  EXPECT_TRUE(form.Type(ProbeForm::kEdit, QStringLiteral("12,5 ä")));
  EXPECT_EQ(form.Text(ProbeForm::kEdit), QStringLiteral("12,5 ä"));
  form.ListAppend(ProbeForm::kList, QStringLiteral("a"));
  form.ListAppend(ProbeForm::kList, QStringLiteral("b"));
  EXPECT_TRUE(form.Choose(ProbeForm::kList, 1));
  EXPECT_EQ(form.ListSelection(ProbeForm::kList), 1);
  EXPECT_EQ(form.events,
            (std::vector<Event>{
                {'p', ProbeForm::kButton}, {'t', ProbeForm::kEdit}, {'s', ProbeForm::kList}}));
}

TEST_F(FormTest, DriversRefuseWhatAUserCouldNotDo) {
  EXPECT_FALSE(form.Press(999));
  EXPECT_FALSE(form.Press(ProbeForm::kEdit));
  form.Control(ProbeForm::kButton)->setEnabled(false);
  EXPECT_FALSE(form.Press(ProbeForm::kButton));
  form.SetReadOnly(ProbeForm::kEdit, true);
  EXPECT_TRUE(form.IsReadOnly(ProbeForm::kEdit));
  EXPECT_FALSE(form.Type(ProbeForm::kEdit, QStringLiteral("x")));
  EXPECT_EQ(form.Text(ProbeForm::kEdit), QStringLiteral("start"));
  EXPECT_FALSE(form.Type(ProbeForm::kButton, QStringLiteral("x")));
  form.ListAppend(ProbeForm::kList, QStringLiteral("only"));
  EXPECT_FALSE(form.Choose(ProbeForm::kList, 1));
  EXPECT_FALSE(form.Choose(ProbeForm::kList, -1));
  EXPECT_FALSE(form.Choose(ProbeForm::kEdit, 0));
  EXPECT_TRUE(form.events.empty());
}

TEST_F(FormTest, TheFormsOwnChangesRaiseNoNotification) {
  form.SetText(ProbeForm::kEdit, QStringLiteral("999"));
  form.SetText(ProbeForm::kDigits, QStringLiteral("180"));
  form.SetText(ProbeForm::kButton, QStringLiteral("-"));
  form.SetText(ProbeForm::kLabel, QStringLiteral("ft"));
  form.SetText(ProbeForm::kNames, QStringLiteral("typed"));
  for (const char* name : {"x", "y", "z"})
    form.ListAppend(ProbeForm::kList, QString::fromUtf8(name));
  form.ListSelect(ProbeForm::kList, 2);
  form.ListRemove(ProbeForm::kList, 2);
  form.ListClear(ProbeForm::kList);
  form.CheckRadio(ProbeForm::kFirstRadio, ProbeForm::kLastRadio, ProbeForm::kMiddleRadio);
  EXPECT_TRUE(form.events.empty());
  EXPECT_EQ(form.Text(ProbeForm::kEdit), QStringLiteral("999"));
  EXPECT_EQ(form.Text(ProbeForm::kButton), QStringLiteral("-"));
  EXPECT_EQ(form.Text(ProbeForm::kLabel), QStringLiteral("ft"));
  EXPECT_EQ(form.Text(ProbeForm::kNames), QStringLiteral("typed"));
}

TEST_F(FormTest, ListsKeepTheirOrderAndStartWithoutSelection) {
  EXPECT_EQ(form.ListSelection(ProbeForm::kList), -1);
  form.ListAppend(ProbeForm::kList, QStringLiteral("b"));
  EXPECT_EQ(form.ListSelection(ProbeForm::kList), -1);  // appending selects nothing
  form.ListAppend(ProbeForm::kList, QStringLiteral("a"));
  form.ListAppend(ProbeForm::kList, QStringLiteral("c"));
  EXPECT_EQ(form.ListCount(ProbeForm::kList), 3);
  EXPECT_EQ(form.ListText(ProbeForm::kList, 0), QStringLiteral("b"));
  EXPECT_EQ(form.ListText(ProbeForm::kList, 1), QStringLiteral("a"));
  form.ListSelect(ProbeForm::kList, 2);
  EXPECT_EQ(form.Text(ProbeForm::kList), QStringLiteral("c"));
  form.ListSelect(ProbeForm::kList, 3);  // beyond the list: nothing selected
  EXPECT_EQ(form.ListSelection(ProbeForm::kList), -1);
  form.ListSelect(ProbeForm::kList, 1);
  form.ListClear(ProbeForm::kList);
  EXPECT_EQ(form.ListCount(ProbeForm::kList), 0);
  EXPECT_EQ(form.ListSelection(ProbeForm::kList), -1);
}

TEST_F(FormTest, DigitsFieldsTakeNineDigitsAndNothingElse) {
  EXPECT_TRUE(form.Type(ProbeForm::kDigits, QStringLiteral("123456789")));
  EXPECT_EQ(form.Text(ProbeForm::kDigits), QStringLiteral("123456789"));
  // A paste with anything but digits, or a tenth digit, is refused whole.
  for (const char* refused : {"12a", "+5", "1,234", "-1", " 7", "1234567890"}) {
    EXPECT_FALSE(form.Type(ProbeForm::kDigits, QString::fromUtf8(refused))) << refused;
    EXPECT_EQ(form.Text(ProbeForm::kDigits), QStringLiteral("123456789")) << refused;
  }
  EXPECT_TRUE(form.Type(ProbeForm::kDigits, QString()));
  EXPECT_EQ(form.Text(ProbeForm::kDigits), QString());
  // Typing key by key stops at the ninth digit and skips letters.
  QTest::keyClicks(form.Control(ProbeForm::kDigits), QStringLiteral("12x34567890"));
  EXPECT_EQ(form.Text(ProbeForm::kDigits), QStringLiteral("123456789"));
}

TEST_F(FormTest, EditableListHoldsAtMost22Characters) {
  const QString longest(22, QLatin1Char('N'));
  EXPECT_TRUE(form.Type(ProbeForm::kNames, longest));
  EXPECT_EQ(form.Text(ProbeForm::kNames), longest);
  EXPECT_FALSE(form.Type(ProbeForm::kNames, longest + QLatin1Char('X')));
  EXPECT_LE(form.Text(ProbeForm::kNames).size(), 22);
  // Typing a name adds nothing to the list.
  EXPECT_EQ(form.ListCount(ProbeForm::kNames), 0);
}

TEST_F(FormTest, ATypedNameEqualToAnEntrySelectsItOnlyWhenChosen) {
  for (const char* name : {"Alpha", "Beta"})
    form.ListAppend(ProbeForm::kNames, QString::fromUtf8(name));
  form.ListSelect(ProbeForm::kNames, 0);
  QLineEdit* edit = static_cast<QComboBox*>(form.Control(ProbeForm::kNames))->lineEdit();
  // Enter ends the typing as leaving the field does.
  ASSERT_TRUE(form.Type(ProbeForm::kNames, QStringLiteral("Beta")));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(form.ListSelection(ProbeForm::kNames), 0);
  EXPECT_EQ(form.Text(ProbeForm::kNames), QStringLiteral("Beta"));
  EXPECT_TRUE(form.events.empty());
  EXPECT_TRUE(form.Choose(ProbeForm::kNames, 1));
  EXPECT_EQ(form.events, (std::vector<Event>{{'s', ProbeForm::kNames}}));
}

TEST_F(FormTest, CheckRadioChecksOneOrNoneOfTheRange) {
  form.CheckRadio(ProbeForm::kFirstRadio, ProbeForm::kLastRadio, ProbeForm::kLastRadio);
  EXPECT_TRUE(form.IsChecked(ProbeForm::kLastRadio));
  form.CheckRadio(ProbeForm::kFirstRadio, ProbeForm::kLastRadio, 7);
  for (int id : {ProbeForm::kFirstRadio, ProbeForm::kMiddleRadio, ProbeForm::kLastRadio}) {
    EXPECT_FALSE(form.IsChecked(id)) << id;
  }
  // The group stays exclusive for the user afterwards.
  EXPECT_TRUE(form.Press(ProbeForm::kFirstRadio));
  EXPECT_TRUE(form.Press(ProbeForm::kMiddleRadio));
  EXPECT_FALSE(form.IsChecked(ProbeForm::kFirstRadio));
  EXPECT_TRUE(form.IsChecked(ProbeForm::kMiddleRadio));
  EXPECT_EQ(form.events,
            (std::vector<Event>{{'p', ProbeForm::kFirstRadio}, {'p', ProbeForm::kMiddleRadio}}));
  // A range that leaves a radio out does not touch it.
  form.CheckRadio(ProbeForm::kFirstRadio, ProbeForm::kFirstRadio, ProbeForm::kFirstRadio);
  EXPECT_TRUE(form.IsChecked(ProbeForm::kFirstRadio));
}

TEST_F(FormTest, ExecuteRunsTheHooksAroundTheRun) {
  EXPECT_EQ(form.Execute(), 0);
  EXPECT_EQ(form.opened, 1);
  EXPECT_EQ(form.destroyed, 1);
  EXPECT_EQ(h.RunCount<ProbeForm>(), 1);
  EXPECT_TRUE(form.Ended());
}

TEST_F(FormTest, AFormEndedWhileOpeningIsNotRun) {
  form.onOpen = [](ProbeForm& f) { f.End(3); };
  EXPECT_EQ(form.Execute(), 3);
  EXPECT_EQ(h.RunCount<ProbeForm>(), 0);
  EXPECT_EQ(form.destroyed, 1);
}

TEST_F(FormTest, ScriptedNestedRunsAndMessages) {
  ProbeForm child(h.services, &form);
  h.Script<ProbeForm>([&](ProbeForm& f) {
    if (&f == &form) {
      f.Press(ProbeForm::kButton);
      f.Press(ProbeForm::kCompute);
    } else {
      f.ShowMessage(QStringLiteral("inner"));
    }
  });
  form.onButton = [&](ProbeForm& f) { EXPECT_EQ(f.RunModal(child), 0); };
  EXPECT_EQ(form.Execute(), 7);
  EXPECT_EQ(h.RunCount<ProbeForm>(), 2);
  EXPECT_EQ(child.destroyed, 1);
  EXPECT_EQ(h.messages, QStringList{QStringLiteral("inner")});
  EXPECT_EQ(form.Now(), h.clock);
}

// Real dialogs on the event loop. A watchdog rejects every dialog left open,
// so that a fault fails the test instead of hanging it.
class DesktopFormTest : public ::testing::Test {
 protected:
  DesktopFormTest() {
    watchdog_.setSingleShot(true);
    watchdog_.setInterval(5000);
    QObject::connect(&watchdog_, &QTimer::timeout, [] {
      ADD_FAILURE() << "a dialog was still open";
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
          dialog->reject();
      }
    });
    watchdog_.start();
  }

  Services services = Services::Desktop();
  QTimer watchdog_;
};

TEST_F(DesktopFormTest, TheCloseButtonEndsAFormLikeCancel) {
  ProbeForm form(services);
  QTimer::singleShot(0, &form, [&] { form.close(); });
  EXPECT_EQ(form.Execute(), QDialog::Rejected);
  EXPECT_EQ(form.destroyed, 1);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(DesktopFormTest, EnterPressesTheDefaultButton) {
  ProbeForm form(services);
  QTimer::singleShot(0, &form, [&] {
    QWidget* field = form.Control(ProbeForm::kEdit);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
  });
  EXPECT_EQ(form.Execute(), 7);
  EXPECT_EQ(form.events, (std::vector<Event>{{'p', ProbeForm::kCompute}}));
  // Only the compute button is a default button.
  EXPECT_FALSE(static_cast<QPushButton*>(form.Control(ProbeForm::kButton))->autoDefault());
  EXPECT_FALSE(static_cast<QPushButton*>(form.Control(ProbeForm::kButton))->isDefault());
}

TEST_F(DesktopFormTest, ANestedRunReturnsToTheFormThatOpenedIt) {
  ProbeForm outer(services);
  ProbeForm inner(services, &outer);
  int innerResult = -1;
  outer.onButton = [&](ProbeForm& f) {
    QTimer::singleShot(0, &inner, [&] {
      EXPECT_EQ(QApplication::activeModalWidget(), &inner);
      inner.End(5);
    });
    innerResult = f.RunModal(inner);
    EXPECT_EQ(QApplication::activeModalWidget(), &f);
  };
  QTimer::singleShot(0, &outer, [&] {
    outer.Press(ProbeForm::kButton);
    outer.Press(ProbeForm::kCompute);
  });
  EXPECT_EQ(outer.Execute(), 7);
  EXPECT_EQ(innerResult, 5);
  EXPECT_EQ(inner.destroyed, 1);
  EXPECT_EQ(outer.destroyed, 1);
}

TEST_F(DesktopFormTest, AMessageHasOneOkButtonAndTheProgramsName) {
  ProbeForm form(services);
  QString title, text;
  int buttons = 0;
  QTimer::singleShot(0, &form, [&] {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    });
    form.ShowMessage(QStringLiteral("ERROR!\nThe value must be in between 0 to 59"));
    form.End(1);
  });
  EXPECT_EQ(form.Execute(), 1);
  EXPECT_EQ(title, QStringLiteral("TRELVAN"));
  EXPECT_EQ(text, QStringLiteral("ERROR!\nThe value must be in between 0 to 59"));
  EXPECT_EQ(buttons, 1);
}

TEST_F(DesktopFormTest, AFormOpensOverItsOpenerAtLeastAsLarge) {
  ProbeForm opener(services);
  opener.resize(640, 480);
  opener.move(100, 100);
  ProbeForm form(services, &opener);
  QSize size;
  QPoint centre;
  QTimer::singleShot(0, &form, [&] {
    size = form.size();
    centre = form.frameGeometry().center();
    form.End(0);
  });
  form.Execute();
  EXPECT_GE(size.width(), 640);
  EXPECT_GE(size.height(), 480);
  EXPECT_LE((centre - opener.frameGeometry().center()).manhattanLength(), 2);
}

// A probe whose free text field is fitted to three digits.
struct FittedProbe : ProbeForm {
  explicit FittedProbe(Services& services) : ProbeForm(services) { FitWidth(kEdit, "000"); }
};

TEST(FormFields, FittedFieldsFollowTheirTextAndReadOnlyOnesTakeTheWindowsColour) {
  FormHarness h;
  FittedProbe form(h.services);
  QWidget* fitted = form.Control(ProbeForm::kEdit);
  QWidget* other = form.Control(ProbeForm::kDigits);
  const int width = fitted->maximumWidth();
  const int otherWidth = other->minimumWidth();
  const QFontMetrics metrics = fitted->fontMetrics();
  const QPalette standard = form.style()->standardPalette();
  for (const bool readOnly : {true, false, true}) {
    form.SetText(ProbeForm::kEdit, "12345678");
    EXPECT_EQ(fitted->minimumWidth() - width,
              metrics.horizontalAdvance("12345678") - metrics.horizontalAdvance("000"));
    form.SetText(ProbeForm::kEdit, "7");
    EXPECT_EQ(fitted->minimumWidth(), width);
    form.SetText(ProbeForm::kDigits, "12345678");
    EXPECT_EQ(other->minimumWidth(), otherWidth);
    form.SetReadOnly(ProbeForm::kDigits, readOnly);
    EXPECT_EQ(other->palette().color(QPalette::Base),
              standard.color(readOnly ? QPalette::Window : QPalette::Base));
  }
}

}  // namespace
}  // namespace trelvan
