#pragma once
// A named list of pictures for the widget pack: other controls find a picture by its name.

#include <memory>
#include <string>

#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* collection);
    ~TPictureItem() override;

    TAdvGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TAdvGDIPPicture* value) { FPicture->Assign(value); }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value) { FName = value; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    // Copies Name, Tag and the picture; any source that is not a picture item is an invalid cast.
    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TAdvGDIPPicture> FPicture;
    int FTag = 0;
    std::string FName;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* owner);
    TPictureItem* Add();
    TPictureItem* Insert(int index);
    TPictureItem* Items(int index) const;
    TPersistent* GetOwner() override;

private:
    TComponent* FOwner;
};

class TGDIPPictureContainer : public TComponent {
public:
    explicit TGDIPPictureContainer(TComponent* owner);
    ~TGDIPPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // Copies the items of another collection into the container's own.
    void SetItems(TPictureCollection* value);
    // The picture of the first item whose name matches without regard to case; null for none.
    virtual TAdvGDIPPicture* FindPicture(const std::string& s);
    std::string Version() const;
    void SetVersion(const std::string&) {}

private:
    std::unique_ptr<TPictureCollection> FItems;
};

// Four decimal numbers joined by "." from the bytes of a packed version number, highest first.
std::string VersionText(std::uint32_t packed);

}  // namespace dsp
