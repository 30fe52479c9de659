#pragma once
// TGraphic: the common base of pictures (bitmaps, JPEG and PNG images) that a canvas draws with
// Draw and StretchDraw. Pictures load and save byte vectors and files.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

class TCanvas;

// Picture data that cannot be read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation a picture does not support.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // A new empty picture of the same class.
    virtual std::unique_ptr<TGraphic> CreateNew() const = 0;

    // Draws the picture stretched into r of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;

    // The picture's own file format. Loading failures raise EInvalidGraphic.
    virtual void LoadFromBytes(const std::vector<std::uint8_t>& data) = 0;
    virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // A built-in resource of the picture's resource type (Resources.h), by name or number;
    // EResNotFound when the module has none.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // The type of resource that holds pictures of this kind: RT_RCDATA unless a kind says.
    virtual int ResourceType() const { return RT_RCDATA; }

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
};

// The whole content of a file; EOSError when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
// Writes data as the whole content of a file; EOSError when it cannot be written.
void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& data);

}  // namespace dsp
