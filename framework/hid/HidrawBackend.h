#pragma once
// Real HID devices through the kernel's hidraw nodes: sysfs lists them, /dev/hidrawN opens them,
// and libudev (bound at run time) tells when they come and go.

#include <memory>
#include <string>

#include "framework/hid/HidBackend.h"
#include "framework/hid/SysfsHid.h"
#include "framework/hid/Udev.h"

namespace dsp {

struct THidrawSettings {
    std::string sysHidrawRoot = kSysHidrawRoot;
    std::string devRoot = kDevRoot;
    std::string udevLibrary = kUdevLibraryName;
};

std::shared_ptr<IHidBackend> MakeHidrawBackend(THidrawSettings settings = {});

// Whether a kernel release text ("6.1.0-18-amd64") is at least major.minor.
bool KernelReleaseAtLeast(const std::string& release, int major, int minor);

}  // namespace dsp
