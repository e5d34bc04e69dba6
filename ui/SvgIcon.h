#pragma once

#include <QIcon>
#include <QString>

namespace trelvan {

// An icon drawn from the SVG file at `path` (a resource path such as
// ":/icons/exit.svg") when it is first shown, at each size it is shown at.
// It looks as an icon Qt makes from the same file does, but neither reads
// the file nor loads Qt's SVG icon plugin before it is painted, so the
// window's icon and the tool bar's cost the start-up nothing.
QIcon SvgIcon(const QString& path);

}  // namespace trelvan
