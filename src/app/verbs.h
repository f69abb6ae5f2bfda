// The vant command's verbs. Each returns the exit status.
#pragma once

#include "app/cli/command_line.h"

namespace vant::app {

// Headless: need no display.
int PrintVerb(int& argc, char** argv, const CommandLine& line);  // print and pdf
int MethodsVerb(const CommandLine& line);
int PrintersVerb(int& argc, char** argv, const CommandLine& line);
int RenderVerb(int& argc, char** argv, const CommandLine& line);

// Windowed.
int ShowVerb(int& argc, char** argv, const CommandLine& line);
int PreviewVerb(int& argc, char** argv, const CommandLine& line);

}  // namespace vant::app
