#include "framework/core/Resources.h"

#include <cctype>
#include <cstring>

namespace dsp {

namespace {

struct TTable {
    const TResourceEntry* entries;
    std::size_t count;
};

std::vector<TTable>& tables() {
    static std::vector<TTable> value;
    return value;
}

bool SameName(const char* a, const std::string& b) {
    if (std::strlen(a) != b.size()) return false;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void RegisterResources(const TResourceEntry* entries, std::size_t count) {
    if (entries != nullptr && count > 0) tables().push_back({entries, count});
}

const TResourceEntry* FindResource(HINSTANCE instance, const std::string& name, int type) {
    if (instance != HInstance || name.empty()) return nullptr;
    for (const TTable& table : tables()) {
        for (std::size_t i = 0; i < table.count; ++i) {
            const TResourceEntry& entry = table.entries[i];
            if (entry.type == type && SameName(entry.name, name)) return &entry;
        }
    }
    return nullptr;
}

std::string ResourceIdName(int id) { return "#" + std::to_string(id); }

std::vector<std::uint8_t> LoadResourceBytes(HINSTANCE instance, const std::string& name, int type) {
    const TResourceEntry* entry = FindResource(instance, name, type);
    if (entry == nullptr) throw EResNotFound("Resource " + name + " not found");
    return {entry->data, entry->data + entry->size};
}

std::vector<const TResourceEntry*> ResourceEntries() {
    std::vector<const TResourceEntry*> out;
    for (const TTable& table : tables()) {
        for (std::size_t i = 0; i < table.count; ++i) out.push_back(&table.entries[i]);
    }
    return out;
}

}  // namespace dsp
