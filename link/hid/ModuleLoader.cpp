#include "link/hid/ModuleLoader.h"

#include <cstring>

#include "framework/hid/DynamicLibrary.h"
#include "framework/hid/HidTypes.h"

namespace dsp {

std::uint32_t ModuleLoadFlags(TModuleLoadMethods methods) {
    std::uint32_t flags = 0;
    if (methods.Contains(ltDontResolveDllReferences)) flags |= 1;
    if (methods.Contains(ltLoadAsDataFile)) flags |= 2;
    if (methods.Contains(ltAlteredSearchPath)) flags |= 8;
    return flags;
}

bool LoadModule(TModuleHandle& module, const std::string& fileName) {
    if (module == nullptr) module = LoadLibrary(fileName);
    return module != nullptr;
}

bool LoadModuleEx(TModuleHandle& module, const std::string& fileName, std::uint32_t flags) {
    if (module == nullptr) module = LoadLibrary(fileName, (flags & 1) ? kLibraryLazyBinding : 0);
    return module != nullptr;
}

void UnloadModule(TModuleHandle& module) {
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
}

void* GetModuleSymbol(TModuleHandle module, const std::string& symbolName) {
    return module == nullptr ? nullptr : LibrarySymbol(module, symbolName.c_str());
}

void* GetModuleSymbolEx(TModuleHandle module, const std::string& symbolName, bool& accu) {
    void* symbol = GetModuleSymbol(module, symbolName);
    accu = accu && symbol != nullptr;
    return symbol;
}

bool ReadModuleData(TModuleHandle module, const std::string& symbolName, void* buffer,
                    std::size_t size) {
    void* symbol = GetModuleSymbol(module, symbolName);
    if (symbol == nullptr) return false;
    std::memcpy(buffer, symbol, size);
    return true;
}

bool WriteModuleData(TModuleHandle module, const std::string& symbolName, const void* buffer,
                     std::size_t size) {
    void* symbol = GetModuleSymbol(module, symbolName);
    if (symbol == nullptr) return false;
    std::memcpy(symbol, buffer, size);
    return true;
}

TModuleLoader::TModuleLoader(const std::string& dllName, TModuleLoadMethods loadMethods)
    : FDLLName(dllName) {
    Load(loadMethods);
}

TModuleLoader::~TModuleLoader() { Unload(); }

void TModuleLoader::Load(TModuleLoadMethods loadMethods) {
    if (FHandle == nullptr) LoadModuleEx(FHandle, FDLLName, ModuleLoadFlags(loadMethods));
    if (FHandle == nullptr) Error(ERROR_MOD_NOT_FOUND);
}

void TModuleLoader::Unload() { UnloadModule(FHandle); }

void TModuleLoader::Error(std::uint32_t) {}

bool TModuleLoader::GetProcedure(const std::string& name, void*& proc) {
    if (Loaded() && proc == nullptr) proc = GetModuleSymbol(FHandle, name);
    const bool found = Loaded() && proc != nullptr;
    if (!found) {
        proc = nullptr;
        Error(kProcedureNotFound);
    }
    return found;
}

bool TModuleLoader::GetExportedSymbol(const std::string& name, void* buffer, std::size_t size) {
    void* symbol = nullptr;
    if (!GetProcedure(name, symbol)) return false;
    std::memcpy(buffer, symbol, size);
    return true;
}

bool TModuleLoader::SetExportedSymbol(const std::string& name, const void* buffer,
                                      std::size_t size) {
    void* symbol = nullptr;
    if (!GetProcedure(name, symbol)) return false;
    std::memcpy(symbol, buffer, size);
    return true;
}

bool TModuleLoader::IsAvaliable(const std::string& dllName, const std::string& procName) {
    TModuleHandle module = nullptr;
    if (!LoadModule(module, dllName)) return false;
    const bool result = procName.empty() || GetModuleSymbol(module, procName) != nullptr;
    UnloadModule(module);
    return result;
}

}  // namespace dsp
