#include "framework/controls/FormBuilder.h"

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"

namespace dsp {

TFormBuilder::TFormBuilder(TComponent& root) : root_(root) { BeginLoading(root_); }

TFormBuilder::~TFormBuilder() {
    if (!finished_) root_.SetComponentState(csReading, false);
}

const TBitmap& TFormBuilder::ResourceBitmap(const std::string& name) {
    std::unique_ptr<TBitmap>& bitmap = bitmaps_[name];
    if (bitmap == nullptr) {
        auto decoded = std::make_unique<TBitmap>();
        decoded->LoadFromResourceName(HInstance, name);
        bitmap = std::move(decoded);
    }
    return *bitmap;
}

void TFormBuilder::Named(TComponent& component, const std::string& name) {
    ++created_;
    component.SetName(name);
}

void TFormBuilder::Defer(std::function<void()> assign) {
    if (finished_) {
        assign();
        return;
    }
    pending_.push_back(std::move(assign));
}

void TFormBuilder::Finish() {
    if (finished_) return;
    finished_ = true;
    // Stop reading first, so that a handler's assignment or a Loaded that creates components
    // does not make them loading.
    root_.SetComponentState(csReading, false);
    std::vector<std::function<void()>> pending = std::move(pending_);
    pending_.clear();
    for (auto& assign : pending) assign();
    EndLoading(root_);
}

}  // namespace dsp
