#include "pages/GridKeys.h"

#include <utility>

void AttachGridCommands(TDrawGrid& grid, TGridCommands commands) {
  grid.OnDblClick = [open = commands.open](TControl&) {
    if (open) open();
  };
  grid.OnKeyDown = [commands = std::move(commands)](TControl&, WORD& key) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0) return;
    const std::function<void()>* command = nullptr;
    switch (key) {
      case VK_INSERT: command = &commands.add; break;
      case VK_DELETE: command = &commands.remove; break;
      case VK_RETURN: command = &commands.open; break;
      case VK_F5: command = &commands.refresh; break;
      default: return;
    }
    if (!*command) return;
    key = 0;
    (*command)();
  };
}
