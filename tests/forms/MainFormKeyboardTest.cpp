// The main form from the keyboard, shown and active as a user has it: the
// menu by Alt+M or F10, its items by their letters, every command by its
// shortcut.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <string>
#include <typeindex>

#include "forms/AboutForm.h"
#include "forms/BackPolarPlotForm.h"
#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/Resection3DForm.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointsForm.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using testing::Caption;
using testing::MainFormFixture;
using testing::PointDeg;
using testing::TableOf;

// The form a menu command opens; Exit opens none.
std::type_index FormOf(int command) {
  switch (command) {
    case MainForm::kCommandResection3D: return typeid(Resection3DForm);
    case MainForm::kCommandBackPolar: return typeid(BackPolarPlotForm);
    case MainForm::kCommandInverse3D: return typeid(Inverse3DForm);
    case MainForm::kCommandForward3D: return typeid(Forward3DForm);
    case MainForm::kCommandWaypoints: return typeid(WaypointsForm);
    case MainForm::kCommandUnits: return typeid(UnitsForm);
    case MainForm::kCommandAbout: return typeid(AboutForm);
    default: return typeid(void);
  }
}

QList<QAction*> Items(const QMenu& menu) {
  QList<QAction*> items;
  for (QAction* action : menu.actions()) {
    if (!action->isSeparator()) items << action;
  }
  return items;
}

std::string CaptionOf(const QAction& action) { return Caption(action.text()).toStdString(); }
std::string Keys(const QKeySequence& keys) { return keys.toString().toStdString(); }

// The key that chooses `action` in its open menu.
int LetterKey(const QAction& action) {
  return QKeySequence::mnemonic(action.text())[0].key();
}

class MainFormKeyboard : public MainFormFixture {
 protected:
  // Runs the main form shown and active over two waypoints, so that every
  // task form opens, with `script` while it is open.
  void RunActive(const std::function<void(MainForm&, QMenu&)>& script) {
    WriteTable(TableOf({PointDeg(10, 10), PointDeg(10.1, 10.1)}));
    Run([&](MainForm& m) {
      m.show();
      m.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
      auto* menu = m.findChild<QMenu*>(QStringLiteral("Menu"));
      ASSERT_NE(menu, nullptr);
      script(m, *menu);
    });
  }

  // Expects `command` to have run its form, and only that, since `before`
  // forms had run.
  void ExpectRan(int command, std::size_t before) {
    ASSERT_EQ(h.ran.size(), before + 1) << command;
    EXPECT_EQ(h.ran.back(), FormOf(command)) << command;
  }
};

TEST_F(MainFormKeyboard, EveryMenuAndItemHasItsOwnLetter) {
  Run([](MainForm& m) {
    for (QMenuBar* bar : m.findChildren<QMenuBar*>()) {
      QList<QKeySequence> titles;
      for (QAction* title : bar->actions()) titles << QKeySequence::mnemonic(title->text());
      EXPECT_FALSE(titles.contains(QKeySequence()));
      for (const QKeySequence& title : titles) EXPECT_EQ(titles.count(title), 1) << Keys(title);
    }
    const QList<QMenu*> menus = m.findChildren<QMenu*>();
    ASSERT_FALSE(menus.isEmpty());
    for (QMenu* menu : menus) {
      QList<QKeySequence> letters;
      for (QAction* item : Items(*menu)) {
        letters << QKeySequence::mnemonic(item->text());
        EXPECT_FALSE(letters.back().isEmpty()) << CaptionOf(*item);
      }
      for (const QKeySequence& letter : letters) EXPECT_EQ(letters.count(letter), 1) << Keys(letter);
    }
    EXPECT_EQ(QKeySequence::mnemonic(m.findChild<QMenu*>(QStringLiteral("Menu"))->title()),
              QKeySequence(Qt::ALT | Qt::Key_M));
  });
}

TEST_F(MainFormKeyboard, AltMOrF10OpensTheMenuAndALetterRunsItsItem) {
  RunActive([this](MainForm& m, QMenu& menu) {
    const QList<QAction*> items = Items(menu);
    for (const auto& [key, modifier] : {std::pair{Qt::Key_M, Qt::AltModifier},
                                        std::pair{Qt::Key_F10, Qt::NoModifier}}) {
      for (QAction* item : items) {
        const int command = item->objectName().toInt();
        if (command == MainForm::kCommandExit) continue;
        SCOPED_TRACE(CaptionOf(*item));
        const std::size_t before = h.ran.size();
        QTest::keyClick(&m, key, modifier);
        ASSERT_TRUE(menu.isVisible());
        QTest::keyClick(&menu, static_cast<Qt::Key>(LetterKey(*item)));
        EXPECT_FALSE(menu.isVisible());
        ExpectRan(command, before);
      }
    }
    QTest::keyClick(&m, Qt::Key_M, Qt::AltModifier);
    QTest::keyClick(&menu, Qt::Key_X);
    EXPECT_TRUE(m.Ended());
  });
}

TEST_F(MainFormKeyboard, EveryItemHasItsOwnShortcutThatRunsIt) {
  RunActive([this](MainForm& m, QMenu& menu) {
    QList<QKeySequence> shortcuts;
    for (QAction* action : m.findChildren<QAction*>()) {
      if (!action->shortcut().isEmpty()) shortcuts << action->shortcut();
    }
    for (const QKeySequence& shortcut : shortcuts) {
      EXPECT_EQ(shortcuts.count(shortcut), 1) << Keys(shortcut);
    }
    QAction* exit = nullptr;
    for (QAction* item : Items(menu)) {
      const int command = item->objectName().toInt();
      SCOPED_TRACE(CaptionOf(*item));
      ASSERT_FALSE(item->shortcut().isEmpty());
      if (command == MainForm::kCommandExit) {
        exit = item;
        continue;
      }
      const std::size_t before = h.ran.size();
      QTest::keySequence(&m, item->shortcut());
      ExpectRan(command, before);
    }
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QTest::keySequence(&m, exit->shortcut());
    EXPECT_TRUE(m.Ended());
  });
}

}  // namespace
}  // namespace trelvan
