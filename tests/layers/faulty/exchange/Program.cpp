#include "tools/calc/Options.h"
#include "store/WaypointTable.h"
