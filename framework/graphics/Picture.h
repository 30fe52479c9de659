#pragma once
// TPicture: holds one picture of any registered kind (bitmap, JPEG, PNG, and what other units
// register) and picks the kind by file extension or by the data's signature.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

class TPicture : public TPersistent {
public:
    using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
    // Tells whether data starts like a file of the kind.
    using TSignatureTest = std::function<bool(const std::vector<std::uint8_t>&)>;

    TPicture();
    ~TPicture() override;

    // The picture, or null when there is none.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of value (of its own class), or nothing for null.
    void SetGraphic(TGraphic* value);
    // The picture as a bitmap; a picture of another kind is replaced by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // By the file's extension (".bmp", ".jpg", ".jpeg", ".png", ...); EInvalidGraphic for an
    // unknown extension or unreadable data.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // By the data's signature.
    void LoadFromBytes(const std::vector<std::uint8_t>& data);
    // A built-in resource (Resources.h) of type RT_BITMAP or else RT_RCDATA, by the data's
    // signature; EResNotFound when there is neither.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

    // Adds a kind of picture for an extension (without the dot, any case).
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   TGraphicFactory factory, TSignatureTest signature = nullptr);

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace dsp
