#include "framework/graphics/Graphic.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace dsp {

void TGraphic::SetSize(int, int) {
    throw EInvalidGraphicOperation("Cannot change the size of a " + ClassName());
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

void TGraphic::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    LoadFromBytes(LoadResourceBytes(instance, name, ResourceType()));
}

void TGraphic::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadFromResourceName(instance, ResourceIdName(id));
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    WriteFileBytes(fileName, SaveToBytes());
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        const int code = errno;
        throw EOSError("Cannot open file \"" + fileName + "\". " + std::strerror(code), code);
    }
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
    if (in.bad()) throw EOSError("Cannot read file \"" + fileName + "\"", EIO);
    return data;
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& data) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) {
        const int code = errno;
        throw EOSError("Cannot create file \"" + fileName + "\". " + std::strerror(code), code);
    }
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw EOSError("Cannot write file \"" + fileName + "\"", EIO);
}

}  // namespace dsp
