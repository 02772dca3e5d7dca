// The GTK 2 front end.
#pragma once

namespace quillon::app {

// Start-up, the event loop and exit; returns the process exit status.
int AppMain(int argc, char** argv);

}  // namespace quillon::app
