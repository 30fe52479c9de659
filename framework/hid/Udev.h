#pragma once
// The few functions of libudev the hidraw backend uses to hear of devices coming and going,
// bound by name from the library at run time: all of them or none.

#include <memory>
#include <string>

#include "framework/hid/DynamicLibrary.h"

namespace dsp {

struct TUdevApi {
    void* (*udev_new)() = nullptr;
    void* (*udev_unref)(void* udev) = nullptr;
    void* (*udev_monitor_new_from_netlink)(void* udev, const char* name) = nullptr;
    int (*udev_monitor_filter_add_match_subsystem_devtype)(void* monitor, const char* subsystem,
                                                           const char* devtype) = nullptr;
    int (*udev_monitor_enable_receiving)(void* monitor) = nullptr;
    int (*udev_monitor_get_fd)(void* monitor) = nullptr;
    void* (*udev_monitor_receive_device)(void* monitor) = nullptr;
    void* (*udev_monitor_unref)(void* monitor) = nullptr;
    void* (*udev_device_unref)(void* device) = nullptr;
    const char* (*udev_device_get_action)(void* device) = nullptr;

    ~TUdevApi();
    TLibraryHandle library = nullptr;
};

inline constexpr const char* kUdevLibraryName = "libudev.so.1";

// Loads the library and binds every function; null when the library or any function is missing.
std::unique_ptr<TUdevApi> BindUdev(const std::string& libraryName = kUdevLibraryName);

}  // namespace dsp
