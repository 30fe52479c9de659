#pragma once
// The HID services as libraries built into the program, so that the HID device library binds
// them by name while the program runs, the same way it would bind a library file.

#include <string>
#include <utility>
#include <vector>

#include "framework/hid/DynamicLibrary.h"

namespace dsp {

// The device and report-descriptor services (HidD_, HidP_).
inline constexpr const char* kHidLibraryName = "dsp-hid";
// The interface enumeration services (SetupDi).
inline constexpr const char* kSetupLibraryName = "dsp-setupapi";

// Every built-in library of the HID services with its exports.
std::vector<std::pair<std::string, std::vector<TLibraryExport>>> BuiltinHidLibraries();

}  // namespace dsp
