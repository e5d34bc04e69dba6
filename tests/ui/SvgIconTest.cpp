// Icons drawn from SVG files only when first shown: they must look exactly
// as Qt's own icons of the same files, which the program showed before.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <string>

#include "tests/support/TempFolder.h"
#include "ui/SvgIcon.h"

namespace trelvan {
namespace {

// Anti-aliased edges and a half-transparent fill; a wide picture must keep
// its proportions in a square.
constexpr const char* kPictures[] = {
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">)"
    R"(<circle cx="8" cy="8" r="6.3" fill="#2060c0" fill-opacity="0.6" stroke="#444"/></svg>)",
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="12">)"
    R"(<rect x="1.5" y="1.5" width="27" height="9" rx="2" fill="#e0b040" stroke="#333"/></svg>)",
};

// What QIcon::paint draws on a transparent image of `size` at twice the pixels.
QImage PaintedAtTwice(const QIcon& icon, QSize size, QIcon::Mode mode) {
  QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(2);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  icon.paint(&painter, QRect(QPoint(0, 0), size), Qt::AlignCenter, mode);
  return image;
}

TEST(SvgIcon, ReadsItsFileWhenDrawnAndLooksAsQtsOwnIcon) {
  const test::TempFolder folder;
  int n = 0;
  for (const char* picture : kPictures) {
    const QString path = QString::fromStdString(folder.File(std::to_string(++n) + ".svg"));
    const QIcon ours = SvgIcon(path);  // before the file is there
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(picture);
    file.close();
    const QIcon qts(path);
    ASSERT_FALSE(qts.isNull()) << "Qt's SVG icon engine is missing";
    for (const QSize size : {QSize(16, 16), QSize(48, 48), QSize(40, 10)}) {
      for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
        SCOPED_TRACE(testing::Message() << n << ": " << size.width() << ", mode " << mode);
        EXPECT_EQ(ours.actualSize(size, mode), qts.actualSize(size, mode));
        EXPECT_EQ(ours.pixmap(size, mode).toImage(), qts.pixmap(size, mode).toImage());
        EXPECT_EQ(PaintedAtTwice(ours, size, mode), PaintedAtTwice(qts, size, mode));
      }
    }
  }
}

}  // namespace
}  // namespace trelvan
