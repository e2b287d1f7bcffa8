#pragma once

// The whole program: the application object, the eight windows and the message loop.
// Returns the process exit code.
int runSintonia(int argc, char **argv);
