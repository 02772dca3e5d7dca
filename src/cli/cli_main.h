// The headless front end: quillon --generate PROJECT.pbm [options].
#pragma once

namespace quillon::cli {

// True when the arguments ask for the headless front end.
bool IsCliInvocation(int argc, char** argv);
// Runs it; returns the process exit status.
int CliMain(int argc, char** argv);

}  // namespace quillon::cli
