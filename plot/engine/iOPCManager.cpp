#include "plot/engine/iOPCManager.h"

#include <algorithm>

#include "framework/controls/TopLevelWindow.h"
#include "framework/controls/TreeView.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/MainThread.h"
#include "framework/text/Filer.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {

TiOPCExplorerForm* gExplorer = nullptr;

// A picture of the program's resources into the list, white transparent; nothing when the
// program carries no such picture.
void AddResourcePicture(TImageList& list, const std::string& name) {
    if (FindResource(HInstance, name, RT_BITMAP) == nullptr) return;
    TBitmap picture;
    picture.LoadFromResourceName(HInstance, name);
    list.AddMasked(&picture, clWhite);
}

// Hands the library's group notifications over to the UI thread, where the manager (if it is
// still there) passes them on.
class TGroupCallback final : public IOPCGroupCallback {
public:
    explicit TGroupCallback(std::weak_ptr<TiOPCManager*> manager) : manager_(std::move(manager)) {}
    void BeforeGroupUpdate(int groupHandle) override {
        PostToMainThread([manager = manager_, groupHandle] {
            if (const auto alive = manager.lock()) (*alive)->BeforeGroupUpdate(groupHandle);
        });
    }
    void AfterGroupUpdate(int groupHandle) override {
        PostToMainThread([manager = manager_, groupHandle] {
            if (const auto alive = manager.lock()) (*alive)->AfterGroupUpdate(groupHandle);
        });
    }

private:
    const std::weak_ptr<TiOPCManager*> manager_;
};

}  // namespace

TiOPCExplorerForm* OPCExplorerForm() { return gExplorer; }

// ---- TiOPCGroupObject

TiOPCGroupObject::TiOPCGroupObject(std::string name, std::string computerName,
                                   std::string opcServerName, int updateRate)
    : FName(std::move(name)),
      FComputerName(std::move(computerName)),
      FOPCServerName(std::move(opcServerName)),
      FUpdateRate(updateRate) {}

void TiOPCGroupObject::SetUpdateRate(int value) {
    if (value == FUpdateRate) return;
    FUpdateRate = value;
    opc::GroupSetUpdateRate(FDLLGroupHandle, value);
}

void TiOPCGroupObject::Resume() { opc::GroupResume(FDLLGroupHandle); }

void TiOPCGroupObject::Suspend() { opc::GroupSuspend(FDLLGroupHandle); }

// ---- TiOPCManager

TiOPCManager::TiOPCManager(TComponent* owner)
    : TCustomControl(owner), self_(std::make_shared<TiOPCManager*>(this)) {
    FFirstInstance = opc::ManagerCreated() != 0;
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable});
    TCustomControl::SetBounds(Left(), Top(), 28, 28);
    SetVisible(false);
    FImageList = std::make_unique<TImageList>(nullptr);
    FImageList->SetSize(24, 24);
    AddResourcePicture(*FImageList, "OPCMANAGER");
    callback_ = std::make_shared<TGroupCallback>(self_);
    // A window made before stays with the application; the next ExplorerShow makes another.
    gExplorer = nullptr;
}

TiOPCManager::~TiOPCManager() {
    self_.reset();
    try {
        GroupClear();
        if (FFirstInstance) opc::ManagerDestroyed();
    } catch (const Exception&) {
        // A failing library does not keep a manager alive.
    }
}

void TiOPCManager::SetBounds(int left, int top, int, int) {
    TCustomControl::SetBounds(left, top, 28, 28);
}

int TiOPCManager::GroupAdd(const std::string& name, const std::string& computerName,
                           const std::string& opcServerName, int updateRate) {
    FGroupList.push_back(
        std::make_unique<TiOPCGroupObject>(name, computerName, opcServerName, updateRate));
    const int index = GroupCount() - 1;
    if (OPCLibraryMissing()) return index;
    FGroupList.back()->SetDLLGroupHandle(
        opc::GroupAdd(name, computerName, opcServerName, updateRate, callback_));
    return index;
}

void TiOPCManager::GroupDelete(int index) {
    TiOPCGroupObject* group = GetGroup(index);
    const int handle = group->DLLGroupHandle();
    FGroupList.erase(FGroupList.begin() + index);
    if (handle != 0) opc::GroupDelete(handle);
}

void TiOPCManager::GroupClear() {
    while (GroupCount() > 0) GroupDelete(0);
}

TiOPCGroupObject* TiOPCManager::GetGroup(int index) const {
    if (index < 0 || index >= GroupCount()) throw EListError::IndexOutOfBounds(index);
    return FGroupList[static_cast<std::size_t>(index)].get();
}

int TiOPCManager::GetGroupIndex(const std::string& name) const {
    const std::string wanted = UpperCase(name);
    for (int i = 0; i < GroupCount(); ++i) {
        if (UpperCase(GetGroup(i)->Name()) == wanted) return i;
    }
    return -1;
}

TiOPCGroupObject* TiOPCManager::FindGroupByHandle(int groupHandle) const {
    for (const auto& group : FGroupList) {
        if (group->DLLGroupHandle() == groupHandle) return group.get();
    }
    return nullptr;
}

void TiOPCManager::CloseAllServerConnections() { opc::CloseAllServerConnections(); }

std::string TiOPCManager::GroupNameOf(int groupHandle) const {
    const TiOPCGroupObject* group = FindGroupByHandle(groupHandle);
    return group != nullptr ? group->Name() : std::string();
}

void TiOPCManager::BeforeGroupUpdate(int groupHandle) {
    if (OnBeforeGroupUpdate) OnBeforeGroupUpdate(this, GroupNameOf(groupHandle));
}

void TiOPCManager::AfterGroupUpdate(int groupHandle) {
    if (OnAfterGroupUpdate) OnAfterGroupUpdate(this, GroupNameOf(groupHandle));
}

// ---- the form stream

void TiOPCManager::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty(
        "Groups", [this](TReader& reader) { ReadGroups(reader); },
        [this](TWriter& writer) { WriteGroups(writer); }, GroupCount() > 0);
}

void TiOPCManager::WriteGroups(TWriter& writer) const {
    writer.WriteValue(vaCollection);
    for (const auto& group : FGroupList) {
        TiOPCGroupStream item;
        item.FName = group->Name();
        item.FComputerName = group->ComputerName();
        item.FOPCServerName = group->OPCServerName();
        item.FUpdateRate = group->UpdateRate();
        writer.WriteListBegin();
        writer.WriteProperties(item);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TiOPCManager::ReadGroups(TReader& reader) {
    GroupClear();
    if (reader.ReadValue() != vaCollection) return;
    while (!reader.EndOfList()) {
        TiOPCGroupStream item;
        reader.ReadListBegin();
        while (!reader.EndOfList()) reader.ReadProperty(item);
        reader.ReadListEnd();
        GroupAdd(item.FName, item.FComputerName, item.FOPCServerName, item.FUpdateRate);
    }
    reader.ReadListEnd();
}

// ---- painting and the explorer

void TiOPCManager::Paint() {
    TCanvas* canvas = Canvas();
    const int w = Width();
    const int h = Height();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->Polyline({{0, h - 1}, {0, 0}, {w - 1, 0}});
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Polyline({{w - 1, 1}, {w - 1, h - 1}, {0, h - 1}});
    if (FImageList->Count() > 0) FImageList->Draw(canvas, 2, 2, 0, Enabled());
}

void TiOPCManager::ExplorerShow() {
    if (gExplorer == nullptr) gExplorer = new TiOPCExplorerForm(Application);
    gExplorer->Refresh();
    gExplorer->Show();
}

TiOPCExplorerForm::TiOPCExplorerForm(TComponent* owner) : TForm(owner) {
    SetCaption("OPC Explorer");
    SetBounds(Left(), Top(), 256, 319);
    SetPosition(poScreenCenter);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetStayOnTop(*this, true);
    ImageList = new TImageList(this);
    ImageList->SetSize(16, 16);
    for (const char* name : {"OPCEXPLORERSERVERS", "OPCEXPLORERGROUPS", "OPCEXPLORERSERVER"}) {
        AddResourcePicture(*ImageList, name);
    }
    TreeView = new TTreeView(this);
    TreeView->SetParent(this);
    TreeView->SetAlign(alClient);
    TreeView->SetReadOnly(true);
    TreeView->SetIndent(19);
    TreeView->SetImages(ImageList);
}

void TiOPCExplorerForm::Refresh() {
    TTreeNodes* nodes = TreeView->Items();
    nodes->Clear();
    // The tree shows its nodes in the order of their texts.
    FGroupsTreeNode = nodes->Add(nullptr, "Groups");
    FGroupsTreeNode->SetImageIndex(1);
    FGroupsTreeNode->SetSelectedIndex(1);
    FServersTreeNode = nodes->Add(nullptr, "Servers Connections");
    FServersTreeNode->SetImageIndex(0);
    FServersTreeNode->SetSelectedIndex(0);
    std::vector<std::string> names;
    const int count = opc::ServerConnectionGetCount();
    for (int i = 0; i < count; ++i) names.push_back(opc::ServerConnectionGetName(i));
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        TTreeNode* node = nodes->AddChild(FServersTreeNode, name);
        node->SetImageIndex(2);
        node->SetSelectedIndex(2);
    }
}

}  // namespace dsp
