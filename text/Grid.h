#pragma once

#include "geodesy/GridDomain.h"

// Grid positions as text: the band letters a person may type, and why a
// grid position was refused, in words.

namespace trelvan {

// True for the UTM latitude band letters C..X without I and O.
bool IsBandLetter(char c);

// Why FromGrid (geodesy/GridDomain.h) refused a grid position, as a whole
// reason ("the grid position lies outside its zone"); "" for kOnGrid.
const char* GridProblem(GridStatus status);

}  // namespace trelvan
