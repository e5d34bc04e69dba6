#pragma once

// The XML names both GPX directions share.

namespace trelvan::exchange {

inline constexpr char kGpx11Namespace[] = "http://www.topografix.com/GPX/1/1";
inline constexpr char kGpx11Schema[] = "http://www.topografix.com/GPX/1/1/gpx.xsd";
inline constexpr char kSchemaInstanceNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";

// Our extension: the datum a waypoint is stored on, by index (attribute)
// and name (text), `<trelvan:datum index="1">ED-50 MEAN</trelvan:datum>`.
inline constexpr char kTrelvanNamespace[] = "urn:x-trelvan:gpx:1";
inline constexpr char kTrelvanPrefix[] = "trelvan";
inline constexpr char kDatumElement[] = "datum";
inline constexpr char kDatumIndexAttribute[] = "index";

// The creator attribute of an exported file.
inline constexpr char kCreator[] = "TRELVAN";

}  // namespace trelvan::exchange
