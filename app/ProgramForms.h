#pragma once
// The program's forms in the order they are created: the main window, then every dialog, each
// owned by the application and stored in its global. None is created later.

namespace dsp {

void CreateProgramForms();

}  // namespace dsp
