#include "framework/hid/Udev.h"

namespace dsp {

TUdevApi::~TUdevApi() { FreeLibrary(library); }

namespace {

template <typename F>
bool Bind(TLibraryHandle library, const char* name, F*& entry) {
    entry = reinterpret_cast<F*>(LibrarySymbol(library, name));
    return entry != nullptr;
}

}  // namespace

std::unique_ptr<TUdevApi> BindUdev(const std::string& libraryName) {
    auto api = std::make_unique<TUdevApi>();
    api->library = LoadLibrary(libraryName);
    if (api->library == nullptr) return nullptr;
    bool all = true;
    all &= Bind(api->library, "udev_new", api->udev_new);
    all &= Bind(api->library, "udev_unref", api->udev_unref);
    all &= Bind(api->library, "udev_monitor_new_from_netlink", api->udev_monitor_new_from_netlink);
    all &= Bind(api->library, "udev_monitor_filter_add_match_subsystem_devtype",
                api->udev_monitor_filter_add_match_subsystem_devtype);
    all &= Bind(api->library, "udev_monitor_enable_receiving", api->udev_monitor_enable_receiving);
    all &= Bind(api->library, "udev_monitor_get_fd", api->udev_monitor_get_fd);
    all &= Bind(api->library, "udev_monitor_receive_device", api->udev_monitor_receive_device);
    all &= Bind(api->library, "udev_monitor_unref", api->udev_monitor_unref);
    all &= Bind(api->library, "udev_device_unref", api->udev_device_unref);
    all &= Bind(api->library, "udev_device_get_action", api->udev_device_get_action);
    if (!all) return nullptr;
    return api;
}

}  // namespace dsp
