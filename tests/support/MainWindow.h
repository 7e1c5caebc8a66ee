#pragma once

#include <memory>

#include "UnitMain.h"

// The main window as the program makes it, shown and exposed, with Form1
// pointing at it; null when the window could not be shown.
std::unique_ptr<TForm1> ShowMainWindow();
