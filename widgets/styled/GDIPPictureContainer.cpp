#include "widgets/styled/GDIPPictureContainer.h"

#include "framework/text/Format.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {
constexpr std::uint32_t kContainerVersion = 0x01000000;  // 1.0.0.0
}  // namespace

std::string VersionText(std::uint32_t packed) {
    return Format("%d.%d.%d.%d", static_cast<int>((packed >> 24) & 0xFF),
                  static_cast<int>((packed >> 16) & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                  static_cast<int>(packed & 0xFF));
}

TPictureItem::TPictureItem(TCollection* collection)
    : TCollectionItem(collection), FPicture(std::make_unique<TAdvGDIPPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPictureItem*>(source);
    if (other == nullptr) throw EInvalidCast();
    FName = other->FName;
    FTag = other->FTag;
    FPicture->Assign(other->FPicture.get());
}

TPictureCollection::TPictureCollection(TComponent* owner)
    : TCollection(TCollection::ItemClass<TPictureItem>()), FOwner(owner) {}

TPictureItem* TPictureCollection::Add() { return static_cast<TPictureItem*>(TCollection::Add()); }

TPictureItem* TPictureCollection::Insert(int index) {
    return static_cast<TPictureItem*>(TCollection::Insert(index));
}

TPictureItem* TPictureCollection::Items(int index) const {
    return static_cast<TPictureItem*>(TCollection::Items(index));
}

TPersistent* TPictureCollection::GetOwner() { return FOwner; }

TGDIPPictureContainer::TGDIPPictureContainer(TComponent* owner)
    : TComponent(owner), FItems(std::make_unique<TPictureCollection>(this)) {}

TGDIPPictureContainer::~TGDIPPictureContainer() = default;

void TGDIPPictureContainer::SetItems(TPictureCollection* value) {
    if (value != nullptr && value != FItems.get()) FItems->Assign(value);
}

TAdvGDIPPicture* TGDIPPictureContainer::FindPicture(const std::string& s) {
    for (int i = 0; i < FItems->Count(); ++i) {
        TPictureItem* item = FItems->Items(i);
        if (SameText(item->Name(), s)) return item->Picture();
    }
    return nullptr;
}

std::string TGDIPPictureContainer::Version() const { return VersionText(kContainerVersion); }

}  // namespace dsp
