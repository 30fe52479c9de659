#pragma once
// The application side of the real-window tests: a program built on the framework that runs on
// a real display and logs what happens in it, one line per event on its standard output, for the
// test to wait on (JourneyProcess.h reads it).
//
// What it logs:
//   ready                            the main form shows and the loop runs
//   form <form> <caption>            a watched form, with the caption its window shows
//   <name> <event> [details]         an event of a watched form or control
//   <form> bounds L T W H            a form's bounds after they changed
//   <form> state S                   a form's WindowState after it changed (minimized,
//                                    maximized, normal)
//   sync N                           answer to the test's sync request N: everything the
//                                    display sent before it has been handled
//   place <form> <name> X Y W H      answer to the test's places request N: where each named
//   ...                              control of a showing form is, in its form's window (the
//   places N                         menu bar included), then the end of the answer
//   exit                             the loop ended

#include <functional>
#include <string>

#include "framework/controls/Form.h"

namespace dsp::journey {

// Writes one line to the log at once (line breaks in it as \n and \r).
void Log(const std::string& line);

// Logs the events of a form and of every named control on it, and tells the test where the
// controls are when it asks. Call it once the handlers of the form and its controls are set:
// the logging runs first, then the handler.
void Watch(TCustomForm& form);

// Starts the application on the display of the environment, runs build (which makes the forms
// with CreateForm and watches them), shows the main form and runs the loop until the application
// ends. Returns the program's exit status.
int Run(int argc, char** argv, const std::function<void()>& build);

// Whether the program was started with this argument (a journey's variant of the application).
bool HasArgument(const std::string& argument);

}  // namespace dsp::journey
