#pragma once
// The start the sample renderers share: `<program> <folder>`, headless at 96 dpi with the
// project's fonts and the framework's application running.

#include <string>

namespace dsp::test {

// Runs render(folder) and returns what it returns; 2 with a usage line when the arguments are
// not one folder.
int RunSampleProgram(int argc, char** argv, int (*render)(const std::string& folder));

}  // namespace dsp::test
