// The main form from the keyboard, shown and active as a user has it: Alt+M
// or F10 and an item's letter, or the item's shortcut, do what choosing the
// item does.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <functional>
#include <tuple>
#include <typeindex>
#include <utility>
#include <vector>

#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::MainFormFixture;
using test::PointDeg;
using test::TableOf;

class MainFormKeyboard : public MainFormFixture {
 protected:
  using Keys = std::function<void(MainForm&, QMenu&, QAction&)>;

  // On the main form over two waypoints, so that every task form opens:
  // `keys` for each menu item but Exit runs the form that choosing the item
  // runs, and `keys` for Exit, the last item, ends the main form.
  void ExpectEveryItemRunBy(const Keys& keys) {
    WriteTable(TableOf({PointDeg(10, 10), PointDeg(10.1, 10.1)}));
    Run([&](MainForm& m) {
      m.show();
      m.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
      auto* menu = m.findChild<QMenu*>(QStringLiteral("Menu"));
      ASSERT_NE(menu, nullptr);
      for (QAction* item : menu->actions()) {
        if (item->isSeparator()) continue;
        SCOPED_TRACE(item->text().toStdString());
        if (item->objectName().toInt() == MainForm::kCommandExit) {
          keys(m, *menu, *item);
          EXPECT_TRUE(m.Ended());
          return;
        }
        // What the item does: the forms it runs, the files it asks for
        // and the windows it shows beside the main form (closed again, so
        // that the keys show each anew).
        const auto done = [this, &m] {
          int shown = 0;
          for (QDialog* window : m.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (!window->isVisible() || window->isModal()) continue;
            ++shown;
            window->close();
          }
          return std::tuple{h.ran.size(), h.fileRequests.size(), shown};
        };
        const auto start = done();
        item->trigger();
        const auto chosen = done();
        ASSERT_NE(chosen, start);
        const QStringList askedBefore = h.fileRequests;
        const std::vector<std::type_index> ranBefore = h.ran;
        keys(m, *menu, *item);
        const auto pressed = done();
        const auto [ranStart, askedStart, shownStart] = start;
        const auto [ranChosen, askedChosen, shownChosen] = chosen;
        const auto [ranPressed, askedPressed, shownPressed] = pressed;
        ASSERT_EQ(ranPressed - ranChosen, ranChosen - ranStart);
        ASSERT_EQ(askedPressed - askedChosen, askedChosen - askedStart);
        ASSERT_EQ(shownPressed, shownChosen);
        if (ranPressed > ranChosen) {
          EXPECT_EQ(h.ran.back(), ranBefore.back());
        }
        if (askedPressed > askedChosen) {
          EXPECT_EQ(h.fileRequests.back(), askedBefore.back());
        }
      }
      ADD_FAILURE() << "no Exit";
    });
  }
};

// The letter is the one Qt reads from the caption. A letter that two items
// shared would only move the highlight between them, so every item running
// shows the letters present and distinct.
TEST_F(MainFormKeyboard, AltMOrF10ThenTheItemsLetter) {
  for (const auto& [key, modifier] :
       {std::pair{Qt::Key_M, Qt::AltModifier}, std::pair{Qt::Key_F10, Qt::NoModifier}}) {
    ExpectEveryItemRunBy([key, modifier](MainForm& m, QMenu& menu, QAction& item) {
      QTest::keyClick(&m, key, modifier);
      ASSERT_TRUE(menu.isVisible());
      const QKeySequence letter = QKeySequence::mnemonic(item.text());
      ASSERT_FALSE(letter.isEmpty());
      QTest::keyClick(&menu, letter[0].key());
      EXPECT_FALSE(menu.isVisible());
    });
  }
}

TEST_F(MainFormKeyboard, EachItemsOwnShortcutExitCtrlQ) {
  QList<QKeySequence> seen;
  ExpectEveryItemRunBy([&seen](MainForm& m, QMenu&, QAction& item) {
    ASSERT_FALSE(item.shortcut().isEmpty());
    EXPECT_FALSE(seen.contains(item.shortcut())) << item.shortcut().toString().toStdString();
    seen << item.shortcut();
    QTest::keySequence(&m, item.shortcut());
  });
  EXPECT_EQ(seen.last(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

}  // namespace
}  // namespace trelvan
