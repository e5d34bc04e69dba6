#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>
#include <string_view>

#include "plan/Plan.h"
#include "plan/PlanView.h"

// The plan as a picture file, for the window's "Export Picture..." and
// `trelvan-waypoints plot` alike.

namespace trelvan {

enum class PictureFormat { kSvg, kPng, kPdf };

// The format the suffix of `path` names: ".svg", ".png" or ".pdf", in any
// case; empty for any other name.
std::optional<PictureFormat> PictureFormatOfName(std::string_view path);

// The format a --format value names, in lower case; empty for any other.
std::optional<PictureFormat> PictureFormatNamed(std::string_view name);

// `plan` painted as `view` lays it on a picture of `size` logical pixels
// (PaintPlan), as the bytes of a file in `format`: SVG, PNG at one device
// pixel per logical pixel, or PDF on a page of the picture's size.
QByteArray RenderPlanPicture(const Plan& plan, const PlanView& view, const QSize& size,
                             PictureFormat format);

}  // namespace trelvan
