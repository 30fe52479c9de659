#include "framework/hid/DynamicLibrary.h"

#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>

#include "framework/hid/HidLibraries.h"

namespace dsp {
namespace {

// A loaded library: either a copy of a built-in table or a dlopen handle.
struct LoadedLibrary {
    std::shared_ptr<const std::vector<TLibraryExport>> builtin;
    void* dl = nullptr;
};

struct Registry {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<const std::vector<TLibraryExport>>> builtins;
};

Registry& LibraryRegistry() {
    static Registry* r = [] {
        auto* created = new Registry;
        for (auto& [name, exports] : BuiltinHidLibraries())
            created->builtins[name] = std::make_shared<const std::vector<TLibraryExport>>(exports);
        return created;
    }();
    return *r;
}

thread_local std::string lastError;

}  // namespace

TLibraryHandle LoadLibrary(const std::string& name, unsigned options) {
    lastError.clear();
    Registry& r = LibraryRegistry();
    {
        std::lock_guard<std::mutex> guard(r.lock);
        auto found = r.builtins.find(name);
        if (found != r.builtins.end()) return new LoadedLibrary{found->second, nullptr};
    }
    int mode = (options & kLibraryLazyBinding) ? RTLD_LAZY : RTLD_NOW;
    if (options & kLibraryNoLoad) mode |= RTLD_NOLOAD;
    void* dl = dlopen(name.c_str(), mode | RTLD_LOCAL);
    if (dl == nullptr) {
        const char* reason = dlerror();
        lastError = reason != nullptr ? reason : "cannot load " + name;
        return nullptr;
    }
    return new LoadedLibrary{nullptr, dl};
}

void FreeLibrary(TLibraryHandle library) {
    auto* loaded = static_cast<LoadedLibrary*>(library);
    if (loaded == nullptr) return;
    if (loaded->dl != nullptr) dlclose(loaded->dl);
    delete loaded;
}

void* LibrarySymbol(TLibraryHandle library, const char* name) {
    lastError.clear();
    auto* loaded = static_cast<LoadedLibrary*>(library);
    if (loaded == nullptr || name == nullptr) {
        lastError = "no library";
        return nullptr;
    }
    if (loaded->builtin) {
        for (const TLibraryExport& e : *loaded->builtin)
            if (e.name == name) return e.address;
        lastError = std::string("undefined symbol: ") + name;
        return nullptr;
    }
    dlerror();
    void* address = dlsym(loaded->dl, name);
    if (address == nullptr) {
        const char* reason = dlerror();
        lastError = reason != nullptr ? reason : std::string("undefined symbol: ") + name;
    }
    return address;
}

std::string LibraryLastError() { return lastError; }

void RegisterBuiltinLibrary(const std::string& name, std::vector<TLibraryExport> exports) {
    Registry& r = LibraryRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.builtins[name] = std::make_shared<const std::vector<TLibraryExport>>(std::move(exports));
}

void UnregisterBuiltinLibrary(const std::string& name) {
    Registry& r = LibraryRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.builtins.erase(name);
}

std::vector<TLibraryExport> BuiltinLibraryExports(const std::string& name) {
    Registry& r = LibraryRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto found = r.builtins.find(name);
    return found == r.builtins.end() ? std::vector<TLibraryExport>{} : *found->second;
}

}  // namespace dsp
