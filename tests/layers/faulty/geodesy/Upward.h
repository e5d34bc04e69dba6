#pragma once
#include "forms/MainForm.h"
#include <QString>
