// The keys of the records and hierarchy grids: each does what a button beside the grid
// does, so that the grid alone serves the keyboard user. Insert adds a record, Delete
// deletes the selected one, Enter and a double click on a row open it (properties),
// F5 reloads. A key whose button the page does not have does nothing, and with Ctrl
// or Shift held the keys are left to the grid.
#pragma once
#include <functional>

#include "toolkit/DrawGrid.h"

struct TGridCommands {
  std::function<void()> add;
  std::function<void()> remove;
  std::function<void()> open;
  std::function<void()> refresh;
};

// Attaches the grid's OnKeyDown and OnDblClick.
void AttachGridCommands(TDrawGrid& grid, TGridCommands commands);
