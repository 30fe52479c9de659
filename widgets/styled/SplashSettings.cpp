// The splash screen's settings objects and collections.

#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp {

namespace {

// Invalidates the splash's window while it shows.
void InvalidateSplash(TAdvSmoothSplashScreen* splash) {
    if (splash == nullptr || !splash->Showing() || splash->SplashWindow() == nullptr) return;
    splash->SplashWindow()->Invalidate();
}

std::unique_ptr<TFont> TahomaFont() {
    auto font = std::make_unique<TFont>();
    font->SetName("Tahoma");
    return font;
}

TAdvSmoothSplashScreen* SplashOf(TCollection* collection) {
    if (collection == nullptr) return nullptr;
    return dynamic_cast<TAdvSmoothSplashScreen*>(collection->GetOwner());
}

}  // namespace

// ---- heading texts

TSplashHeadingText::TSplashHeadingText()
    : FPicture(std::make_unique<TAdvGDIPPicture>()), FFont(TahomaFont()) {}

TSplashHeadingText::~TSplashHeadingText() = default;

void TSplashHeadingText::SetText(const std::string& v) {
    if (FText == v) return;
    FText = v;
    if (OnChange) OnChange(this);
}

void TSplashHeadingText::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSplashHeadingText*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FAngle = other->FAngle;
    FStartOpacity = other->FStartOpacity;
    FEndOpacity = other->FEndOpacity;
    FPosY = other->FPosY;
    FPosX = other->FPosX;
    FText = other->FText;
    FPicture->Assign(other->FPicture.get());
    FGradientType = other->FGradientType;
    FEndColor = other->FEndColor;
    FStartColor = other->FStartColor;
    FFont->Assign(other->FFont.get());
    FHatchStyle = other->FHatchStyle;
    FLocation = other->FLocation;
}

TBasicProgramInfo::TBasicProgramInfo()
    : FCopyRightFont(std::make_unique<TFont>()),
      FProgramName(std::make_unique<TSplashHeadingText>()),
      FProgramVersion(std::make_unique<TSplashHeadingText>()) {
    FProgramName->Font()->SetSize(14);
    FProgramName->Font()->SetStyle({fsBold});
    FProgramVersion->Font()->SetSize(14);
    FProgramVersion->SetPosX(80);
    FProgramVersion->SetPosY(100);
    FProgramName->OnChange = [this](TObject* sender) { HeadingChanged(sender); };
    FProgramVersion->OnChange = [this](TObject* sender) { HeadingChanged(sender); };
}

TBasicProgramInfo::~TBasicProgramInfo() = default;

void TBasicProgramInfo::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TBasicProgramInfo*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FAutoLoad = other->FAutoLoad;
    FCopyRightFont->Assign(other->FCopyRightFont.get());
    FCopyRightLocation = other->FCopyRightLocation;
    FCopyRightPosX = other->FCopyRightPosX;
    FCopyRightPosY = other->FCopyRightPosY;
    FCopyRight = other->FCopyRight;
    FProgramName->Assign(other->FProgramName.get());
    FProgramVersion->Assign(other->FProgramVersion.get());
}

// ---- list lines and items

TSplashListItem::TSplashListItem(TCollection* collection) : TCollectionItem(collection) {}

TSplashListItem::~TSplashListItem() {
    if (auto* items = dynamic_cast<TSplashListItems*>(Collection());
        items != nullptr && items->OnDeleteItem) {
        items->OnDeleteItem(items, Index());
    }
}

void TSplashListItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSplashListItem*>(source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    FHTMLText = other->FHTMLText;
    FTag = other->FTag;
}

void TSplashListItem::Refresh() {
    if (auto* items = dynamic_cast<TSplashListItems*>(Collection());
        items != nullptr && items->OnChange) {
        items->OnChange(items);
    }
}

void TSplashListItem::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Refresh();
}

TSplashItem::TSplashItem(TCollection* collection)
    : TCollectionItem(collection),
      FIPicture(std::make_unique<TAdvGDIPPicture>()),
      FFont(std::make_unique<TFont>()) {}

TSplashItem::~TSplashItem() {
    if (auto* items = dynamic_cast<TSplashItems*>(Collection());
        items != nullptr && items->OnDeleteItem) {
        items->OnDeleteItem(items, Index());
    }
}

void TSplashItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSplashItem*>(source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    FText = other->FText;
    FTag = other->FTag;
    FImageIndex = other->FImageIndex;
    FIPicture->Assign(other->FIPicture.get());
    FFont->Assign(other->FFont.get());
    FPosX = other->FPosX;
    FPosY = other->FPosY;
}

void TSplashItem::Refresh() {
    TAdvSmoothSplashScreen* splash = SplashOf(Collection());
    if (splash == nullptr || splash->ComponentState().Contains(csDesigning)) return;
    InvalidateSplash(splash);
}

void TSplashItem::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Refresh();
}

// ---- the list's settings

void TListItemsRect::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListItemsRect*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FLeft = other->FLeft;
    FTop = other->FTop;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
}

TSplashListItemsSettings::TSplashListItemsSettings(TAdvSmoothSplashScreen* owner)
    : FHTMLFont(TahomaFont()), FRect(std::make_unique<TListItemsRect>()), FOwner(owner) {}

TSplashListItemsSettings::~TSplashListItemsSettings() = default;

void TSplashListItemsSettings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSplashListItemsSettings*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FHTMLShadowColor = other->FHTMLShadowColor;
    FHTMLURLColor = other->FHTMLURLColor;
    FHTMLShadowOffset = other->FHTMLShadowOffset;
    FHTMLFont->Assign(other->FHTMLFont.get());
    FRect->Assign(other->FRect.get());
    FSpace = other->FSpace;
}

// ---- top-layer items

TAdvSplashHTMLText::TAdvSplashHTMLText(TAdvSmoothSplashScreen* owner)
    : FOwner(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { InvalidateOwner(); };
}

TAdvSplashHTMLText::~TAdvSplashHTMLText() { FFont->OnChange = nullptr; }

void TAdvSplashHTMLText::InvalidateOwner() { InvalidateSplash(FOwner); }

void TAdvSplashHTMLText::SetFont(TFont* v) {
    if (v == nullptr || v == FFont.get()) return;
    FFont->Assign(v);
    InvalidateOwner();
}

void TAdvSplashHTMLText::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TAdvSplashHTMLText*>(source);
    if (other == nullptr || other == this) return;
    FText = other->FText;
    FURLColor = other->FURLColor;
    FShadowOffset = other->FShadowOffset;
    FFont->Assign(other->FFont.get());
    FShadowColor = other->FShadowColor;
    FLocation = other->FLocation;
    FLeft = other->FLeft;
    FTop = other->FTop;
    InvalidateOwner();
}

TAdvSplashTopLayerItem::TAdvSplashTopLayerItem(TCollection* collection)
    : TCollectionItem(collection), FFill(std::make_unique<TGDIPFill>()) {
    auto* items = dynamic_cast<TAdvSplashTopLayerItems*>(collection);
    FOwner = items != nullptr ? items->Owner() : nullptr;
    FHTMLText = std::make_unique<TAdvSplashHTMLText>(FOwner);
    FFill->OnChange = [this](TObject*) { InvalidateOwner(); };
    FHTMLText->OnChange = [this](TObject*) { InvalidateOwner(); };
    InvalidateOwner();
}

TAdvSplashTopLayerItem::~TAdvSplashTopLayerItem() {
    FFill->OnChange = nullptr;
    InvalidateOwner();
}

void TAdvSplashTopLayerItem::InvalidateOwner() { InvalidateSplash(FOwner); }

void TAdvSplashTopLayerItem::SetHTMLText(TAdvSplashHTMLText* v) {
    if (v == nullptr || v == FHTMLText.get()) return;
    FHTMLText->Assign(v);
    InvalidateOwner();
}

void TAdvSplashTopLayerItem::SetFill(TGDIPFill* v) {
    if (v == nullptr || v == FFill.get()) return;
    FFill->Assign(v);
    InvalidateOwner();
}

void TAdvSplashTopLayerItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TAdvSplashTopLayerItem*>(source);
    if (other == nullptr || other == this) return;
    FHTMLText->Assign(other->FHTMLText.get());
    FVisible = other->FVisible;
    FTop = other->FTop;
    FLeft = other->FLeft;
    FHeight = other->FHeight;
    FWidth = other->FWidth;
    FFill->Assign(other->FFill.get());
    FAlign = other->FAlign;
    InvalidateOwner();
}

TAdvSplashTopLayerItems::TAdvSplashTopLayerItems(TAdvSmoothSplashScreen* owner)
    : TCollection(TCollection::ItemClass<TAdvSplashTopLayerItem>()), FOwner(owner) {}

TAdvSplashTopLayerItem* TAdvSplashTopLayerItems::Add() {
    return static_cast<TAdvSplashTopLayerItem*>(TCollection::Add());
}

TAdvSplashTopLayerItem* TAdvSplashTopLayerItems::Insert(int index) {
    return static_cast<TAdvSplashTopLayerItem*>(TCollection::Insert(index));
}

TAdvSplashTopLayerItem* TAdvSplashTopLayerItems::Items(int index) const {
    return static_cast<TAdvSplashTopLayerItem*>(TCollection::Items(index));
}

TPersistent* TAdvSplashTopLayerItems::GetOwner() { return FOwner; }

}  // namespace dsp
