#include "plan/PlanPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <string>

#include "plan/PlanPainter.h"

namespace trelvan {

namespace {

// Every device draws at the screen's logical resolution, so that fonts and
// pen widths given in pixels come out the same in each format.
constexpr int kLogicalDpi = 96;

// A PDF point is 1/72 inch.
constexpr double kPointsPerPixel = 72.0 / kLogicalDpi;

struct NamedFormat {
  std::string_view name;
  PictureFormat format;
};
constexpr NamedFormat kFormats[] = {
    {"svg", PictureFormat::kSvg},
    {"png", PictureFormat::kPng},
    {"pdf", PictureFormat::kPdf},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

void Paint(QPaintDevice& device, const Plan& plan, const PlanView& view, const QSize& size) {
  QPainter painter(&device);
  PaintPlan(painter, QSizeF(size), plan, view);
}

}  // namespace

std::optional<PictureFormat> PictureFormatNamed(std::string_view name) {
  for (const NamedFormat& entry : kFormats) {
    if (entry.name == name) return entry.format;
  }
  return std::nullopt;
}

std::optional<PictureFormat> PictureFormatOfName(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
    return std::nullopt;
  }
  return PictureFormatNamed(Lower(path.substr(dot + 1)));
}

QByteArray RenderPlanPicture(const Plan& plan, const PlanView& view, const QSize& size,
                             PictureFormat format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  switch (format) {
    case PictureFormat::kSvg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      svg.setResolution(kLogicalDpi);
      svg.setTitle(QStringLiteral("Plan"));
      Paint(svg, plan, view, size);
      break;
    }
    case PictureFormat::kPng: {
      QImage image(size, QImage::Format_RGB32);
      image.setDotsPerMeterX(qRound(kLogicalDpi / 0.0254));
      image.setDotsPerMeterY(qRound(kLogicalDpi / 0.0254));
      Paint(image, plan, view, size);
      image.save(&buffer, "PNG");
      break;
    }
    case PictureFormat::kPdf: {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(kLogicalDpi);
      pdf.setTitle(QStringLiteral("Plan"));
      pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size) * kPointsPerPixel, QPageSize::Point,
                                              QString(), QPageSize::ExactMatch),
                                    QPageLayout::Portrait, QMarginsF()));
      Paint(pdf, plan, view, size);
      break;
    }
  }
  return bytes;
}

}  // namespace trelvan
