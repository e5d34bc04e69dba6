#include "ui/SvgIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <tuple>

namespace trelvan {

namespace {

// Renders as Qt's own SVG icon engine does: the picture scaled into the size
// asked for at its own proportions, on a transparent pixmap, and the other
// modes made from it by the style. Each pixmap is kept once drawn.
class SvgIconEngine : public QIconEngine {
 public:
  explicit SvgIconEngine(const QString& path) : path_(path) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    QSize size = rect.size();
    if (painter->device()) size *= painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(size, mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QPixmap drawn = pixmap(size, mode, state);
    return drawn.isNull() ? QSize() : drawn.size();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const Key key{size.width(), size.height(), mode, state};
    if (const auto kept = drawn_.find(key); kept != drawn_.end()) return kept->second;
    return drawn_.emplace(key, Render(size, mode)).first->second;
  }

  bool isNull() override { return path_.isEmpty(); }
  QIconEngine* clone() const override { return new SvgIconEngine(*this); }

 private:
  using Key = std::tuple<int, int, QIcon::Mode, QIcon::State>;

  QPixmap Render(const QSize& size, QIcon::Mode mode) const {
    QSvgRenderer renderer(path_);
    if (!renderer.isValid()) return {};
    QSize scaled = renderer.defaultSize();
    if (!scaled.isNull()) scaled.scale(size, Qt::KeepAspectRatio);
    if (scaled.isEmpty()) return {};
    QPixmap drawn(scaled);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    if (mode == QIcon::Normal) return drawn;
    QStyleOption option;
    option.palette = QGuiApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
  }

  QString path_;
  std::map<Key, QPixmap> drawn_;
};

}  // namespace

QIcon SvgIcon(const QString& path) { return QIcon(new SvgIconEngine(path)); }

}  // namespace trelvan
