// The dispatch tables of the main thread: commands 0 to 11 (menu items, tool
// bar buttons and shortcuts alike), gadgets by number and event type, size
// and close events by window number.
#pragma once

#include "text/text.h"

namespace quillon::app {

// Asked when the Search and Replace window is closed after pairs were bound
// in this run; No (also Escape) goes back to binding.
inline constexpr TextView kCancelRunTitle = "Cancel Run";
inline constexpr TextView kCancelRunText = "Cancel the run? The pairs bound so far are dropped and nothing is renamed.";

struct App;

void DispatchCommand(App& app, int command);
void DispatchGadget(App& app, int gadget, int event_type);
void DispatchSize(App& app, int window);
void DispatchClose(App& app, int window);

// Commands refused while a generation run is active.
bool ChangesProject(int command);

}  // namespace quillon::app
