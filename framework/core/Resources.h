#pragma once
// The program's built-in resources: files made at build time (the pictures of tools/artwork,
// for one) and linked into the program, found by name and type as a module's resources are.
// Names compare without case; a resource known by number is named "#" and the number ("#101").
// The build generates a table per resource library (cmake/DspResources.cmake) that registers
// itself at start-up; tests may register tables of their own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"

namespace dsp {

// A module: the program itself is the only one.
enum class HINSTANCE : std::uintptr_t {};
inline constexpr HINSTANCE HInstance{1};
inline constexpr HINSTANCE MainInstance = HInstance;

// Resource types.
constexpr int RT_BITMAP = 2;   // a BMP file
constexpr int RT_RCDATA = 10;  // any data: PNG, JPEG, text

struct TResourceEntry {
    const char* name;
    int type;
    const std::uint8_t* data;
    std::size_t size;
};

// A resource that is not there.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// Adds a table of resources to the program's module. The table must outlive the program (the
// generated tables are constants); where two tables name the same resource, the first wins.
void RegisterResources(const TResourceEntry* entries, std::size_t count);

// Registers a table when constructed: the generated tables hold one as a static object.
struct TResourceRegistration {
    TResourceRegistration(const TResourceEntry* entries, std::size_t count) {
        RegisterResources(entries, count);
    }
};

// The resource of that name and type in the module, or null.
const TResourceEntry* FindResource(HINSTANCE instance, const std::string& name, int type);
// The name of a resource known by number: "#" and the number.
std::string ResourceIdName(int id);
// The bytes of a resource; EResNotFound ("Resource NAME not found") when it is missing.
std::vector<std::uint8_t> LoadResourceBytes(HINSTANCE instance, const std::string& name, int type);
// Every resource of the module, in registration order.
std::vector<const TResourceEntry*> ResourceEntries();

}  // namespace dsp
