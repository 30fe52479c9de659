#pragma once
// Loading a library while the program runs and looking its exports up by name: the free routines
// the HID bindings use, and a small loader class around one library.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/Object.h"
#include "framework/core/Set.h"

namespace dsp {

// A loaded library; null when none is loaded.
using TModuleHandle = void*;

enum TModuleLoadMethod { ltDontResolveDllReferences, ltLoadAsDataFile, ltAlteredSearchPath };
using TModuleLoadMethods = Set<TModuleLoadMethod>;

// The load flags of a set of methods: 1, 2 and 8, or-ed together.
std::uint32_t ModuleLoadFlags(TModuleLoadMethods methods);

// Loads the file only when the handle is null; true when the handle is now set.
bool LoadModule(TModuleHandle& module, const std::string& fileName);
// The same with load flags. Of the flags only "don't resolve references" (1) acts here: the
// library's own references are then resolved as they are first used.
bool LoadModuleEx(TModuleHandle& module, const std::string& fileName, std::uint32_t flags);
// Frees a loaded library and sets the handle to null.
void UnloadModule(TModuleHandle& module);
// The address of an export; null when the handle is null or the name is not exported.
void* GetModuleSymbol(TModuleHandle module, const std::string& symbolName);
// As GetModuleSymbol; accu stays true only while every lookup so far succeeded.
void* GetModuleSymbolEx(TModuleHandle module, const std::string& symbolName, bool& accu);
// Copies size bytes out of or into an exported variable; false, copying nothing, when it is not exported.
bool ReadModuleData(TModuleHandle module, const std::string& symbolName, void* buffer,
                    std::size_t size);
bool WriteModuleData(TModuleHandle module, const std::string& symbolName, const void* buffer,
                     std::size_t size);

// A library loaded for the lifetime of the object. Failures reach only Error, which does nothing
// unless a subclass overrides it (the constructor's own load reports to this class's Error).
class TModuleLoader : public TObject {
public:
    // The error Error hears when a name is not exported.
    static constexpr std::uint32_t kProcedureNotFound = 0x8002802B;

    explicit TModuleLoader(const std::string& dllName, TModuleLoadMethods loadMethods = {});
    ~TModuleLoader() override;

    virtual void Load(TModuleLoadMethods loadMethods = {});
    virtual void Unload();

    bool Loaded() const { return FHandle != nullptr; }
    const std::string& DLLName() const { return FDLLName; }
    TModuleHandle Handle() const { return FHandle; }

    // Looks name up into proc unless proc is already set; on failure proc is null and Error
    // hears kProcedureNotFound.
    bool GetProcedure(const std::string& name, void*& proc);
    bool GetExportedSymbol(const std::string& name, void* buffer, std::size_t size);
    bool SetExportedSymbol(const std::string& name, const void* buffer, std::size_t size);

    // Whether the library loads and, when a name is given, exports it; the library is freed again.
    static bool IsAvaliable(const std::string& dllName, const std::string& procName = "");

protected:
    virtual void Error(std::uint32_t errorCode);

    TModuleHandle FHandle = nullptr;
    std::string FDLLName;
};

}  // namespace dsp
