#pragma once
// Small persistent classes with one property of every kind the form stream writes: integers,
// characters, enumerations, sets, floats, texts, a nested object, a collection, a string list, a
// component reference, and two properties stored by hand (an integer and a binary one). Shared by
// the stream tests, the fuzz target and the benchmark.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/Filer.h"
#include "framework/text/StringList.h"

namespace dsp::test {

enum TSampleShade { shLight, shDark, shBlack };
DSP_ENUM_NAMES(TSampleShade, "shLight", "shDark", "shBlack")
using TSampleShades = Set<TSampleShade>;

class TSampleFont : public TPersistent {
    DSP_PUBLISHED(TSampleFont, TPersistent) {
        using P = Published<TSampleFont>;
        return {
            P::Property("Name", &TSampleFont::name, &TSampleFont::name),
            P::Property("Size", &TSampleFont::size, &TSampleFont::size).Default(8),
            P::Property("Styles", &TSampleFont::styles, &TSampleFont::styles)
                .Default(TSampleShades{}),
        };
    }

public:
    std::string name;
    int size = 8;
    TSampleShades styles;
};

class TSampleItem : public TCollectionItem {
    DSP_PUBLISHED(TSampleItem, TCollectionItem) {
        using P = Published<TSampleItem>;
        return {
            P::Property("Caption", &TSampleItem::caption, &TSampleItem::caption),
            P::Property("Value", &TSampleItem::value, &TSampleItem::value),
            P::Property("Shade", &TSampleItem::shade, &TSampleItem::shade).Default(shLight),
            P::Property("Link", &TSampleItem::link, &TSampleItem::link),
        };
    }

public:
    using TCollectionItem::TCollectionItem;
    std::string caption;
    double value = 0;
    TSampleShade shade = shLight;
    TComponent* link = nullptr;
};

class TSampleWidget : public TComponent {
    DSP_PUBLISHED(TSampleWidget, TComponent) {
        using P = Published<TSampleWidget>;
        return {
            P::Property("Count", &TSampleWidget::count, &TSampleWidget::SetCount).Default(0),
            P::Property("Big", &TSampleWidget::big, &TSampleWidget::big).Default(0),
            P::Property("Letter", &TSampleWidget::letter, &TSampleWidget::letter),
            P::Property("Ratio", &TSampleWidget::ratio, &TSampleWidget::ratio),
            P::Property("Caption", &TSampleWidget::caption, &TSampleWidget::caption),
            P::Property("Enabled", &TSampleWidget::enabled, &TSampleWidget::enabled).Default(true),
            P::Property("Shade", &TSampleWidget::shade, &TSampleWidget::shade).Default(shLight),
            P::Property("Shades", &TSampleWidget::shades, &TSampleWidget::shades)
                .Default(TSampleShades{}),
            P::Property("Font", &TSampleWidget::Font),
            P::Property("Items", &TSampleWidget::Items),
            P::Property("Lines", &TSampleWidget::Lines),
            P::Property("Buddy", &TSampleWidget::buddy, &TSampleWidget::buddy),
            P::Property("Hidden", &TSampleWidget::count, &TSampleWidget::SetCount).Stored(false),
        };
    }

public:
    explicit TSampleWidget(TComponent* owner)
        : TComponent(owner),
          items_(std::make_unique<TOwnedCollection>(this, TCollection::ItemClass<TSampleItem>())),
          font_(std::make_unique<TSampleFont>()),
          lines_(std::make_unique<TStringList>()) {}

    TSampleFont* Font() const { return font_.get(); }
    TOwnedCollection* Items() const { return items_.get(); }
    TStringList* Lines() const { return lines_.get(); }
    TSampleItem* Item(int index) const { return items_->ItemAs<TSampleItem>(index); }

    // The setter notes whether it ran while the component was loading.
    void SetCount(int value) {
        count = value;
        countSetWhileLoading = ComponentState().Contains(csLoading);
    }

    void Loaded() override {
        TComponent::Loaded();
        ++loadedCalls;
    }

    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineProperty(
            "Secret", [this](TReader& reader) { secret = reader.ReadInteger(); },
            [this](TWriter& writer) { writer.WriteInteger(secret); }, secret != 0);
        filer->DefineBinaryProperty(
            "Blob",
            [this](TStream& stream) {
                blob.resize(static_cast<std::size_t>(stream.Size()));
                stream.ReadBuffer(blob.data(), static_cast<std::int64_t>(blob.size()));
            },
            [this](TStream& stream) {
                stream.WriteBuffer(blob.data(), static_cast<std::int64_t>(blob.size()));
            },
            !blob.empty());
    }

    int count = 0;
    long long big = 0;
    char letter = 'a';
    double ratio = 0;
    std::string caption;
    bool enabled = true;
    TSampleShade shade = shLight;
    TSampleShades shades;
    TSampleWidget* buddy = nullptr;
    int secret = 0;
    std::vector<std::uint8_t> blob;

    bool countSetWhileLoading = false;
    int loadedCalls = 0;

private:
    std::unique_ptr<TOwnedCollection> items_;
    std::unique_ptr<TSampleFont> font_;
    std::unique_ptr<TStringList> lines_;
};

inline void RegisterSampleClasses() { RegisterClass<TSampleWidget>(); }

}  // namespace dsp::test
