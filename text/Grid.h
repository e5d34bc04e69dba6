#pragma once

#include "geodesy/GridDomain.h"

// Grid positions as text: why a grid position was refused, in words.

namespace trelvan {

// Why FromGrid (geodesy/GridDomain.h) refused a grid position, as a whole
// reason ("the grid position lies outside its zone"); "" for kOnGrid.
const char* GridProblem(GridStatus status);

}  // namespace trelvan
