#include "text/Grid.h"

namespace trelvan {

const char* GridProblem(GridStatus status) {
  switch (status) {
    case GridStatus::kOnGrid:
      break;
    case GridStatus::kBeyondLatitudes:
      return "the grid position lies beyond the UTM grid (80 30' S to 84 30' N)";
    case GridStatus::kNoZone:
      return "the zone is not 1..60";
    case GridStatus::kOutsideZone:
      return "the grid position lies outside its zone";
    case GridStatus::kBandMismatch:
      return "the band letter does not match the northing";
  }
  return "";
}

}  // namespace trelvan
