#pragma once
// TiOPCManager: a list of OPC groups (named subscriptions to a server on a computer, refreshed
// at an update rate), each registered with the OPC support library when it is there, and the
// library's group-update notifications passed on as two events, on the UI thread. The strip-chart
// and XY channels each own one. TiOPCExplorerForm lists the library's open server connections.
//
// Without the library the groups live on the list alone (every handle 0); Resume, Suspend, a
// new update rate, CloseAllServerConnections and ExplorerShow raise the library's "not found".

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/graphics/ImageList.h"
#include "plot/engine/iOPCLibrary.h"

namespace dsp {

class TFiler;
class TReader;
class TWriter;
class TTreeView;
class TTreeNode;

using TGroupUpdateEvent = std::function<void(TObject* sender, const std::string& groupName)>;

class TiOPCGroupObject : public TPersistent {
public:
    TiOPCGroupObject(std::string name, std::string computerName, std::string opcServerName,
                     int updateRate);
    const std::string& Name() const { return FName; }
    const std::string& ComputerName() const { return FComputerName; }
    const std::string& OPCServerName() const { return FOPCServerName; }
    int UpdateRate() const { return FUpdateRate; }
    // A different rate is stored, then handed to the library.
    void SetUpdateRate(int value);
    int DLLGroupHandle() const { return FDLLGroupHandle; }
    void SetDLLGroupHandle(int value) { FDLLGroupHandle = value; }
    void Resume();
    void Suspend();

private:
    std::string FName;
    std::string FComputerName;
    std::string FOPCServerName;
    int FUpdateRate = 0;
    int FDLLGroupHandle = 0;
};

// What the form stream keeps of a group.
class TiOPCGroupStream : public TPersistent {
    DSP_PUBLISHED(TiOPCGroupStream, TPersistent) {
        using C = TiOPCGroupStream;
        using P = Published<TiOPCGroupStream>;
        return {
            P::Property("Name", &C::FName, &C::FName),
            P::Property("ComputerName", &C::FComputerName, &C::FComputerName),
            P::Property("OPCServerName", &C::FOPCServerName, &C::FOPCServerName),
            P::Property("UpdateRate", &C::FUpdateRate, &C::FUpdateRate),
        };
    }
    friend class TiOPCManager;

    std::string FName;
    std::string FComputerName;
    std::string FOPCServerName;
    int FUpdateRate = 0;
};

class TiOPCManager : public TCustomControl {
public:
    explicit TiOPCManager(TComponent* owner);
    ~TiOPCManager() override;

    // Keeps the position; the size is always 28 x 28.
    void SetBounds(int left, int top, int width, int height) override;

    // The new group's index; registered with the library when it is there (a failure there
    // leaves the group listed with handle 0 and raises).
    int GroupAdd(const std::string& name, const std::string& computerName,
                 const std::string& opcServerName, int updateRate);
    // Raise the list's index error outside the groups, before anything changes.
    void GroupDelete(int index);
    void GroupClear();
    int GroupCount() const { return static_cast<int>(FGroupList.size()); }
    TiOPCGroupObject* GetGroup(int index) const;
    // The first group of that name without regard to case, or -1.
    int GetGroupIndex(const std::string& name) const;
    TiOPCGroupObject* FindGroupByHandle(int groupHandle) const;
    void CloseAllServerConnections();
    // Shows the explorer window shared by every manager, made when there is none.
    void ExplorerShow();
    bool FirstInstance() const { return FFirstInstance; }

    // The stored groups ("Groups", written while there are groups).
    void DefineProperties(TFiler* filer) override;
    void WriteGroups(TWriter& writer) const;
    void ReadGroups(TReader& reader);

    // The library's update notifications, on the UI thread (also for a callback from another
    // thread); the group's name, or empty for a handle no group has.
    void BeforeGroupUpdate(int groupHandle);
    void AfterGroupUpdate(int groupHandle);

    TGroupUpdateEvent OnBeforeGroupUpdate;
    TGroupUpdateEvent OnAfterGroupUpdate;

protected:
    void Paint() override;

private:
    std::string GroupNameOf(int groupHandle) const;

    std::unique_ptr<TImageList> FImageList;
    bool FFirstInstance = false;
    std::vector<std::unique_ptr<TiOPCGroupObject>> FGroupList;
    // The manager as its library callback sees it: gone when the manager is.
    std::shared_ptr<TiOPCManager*> self_;
    std::shared_ptr<IOPCGroupCallback> callback_;
};

// The window that lists the library's server connections (one shared by all managers).
class TiOPCExplorerForm : public TForm {
public:
    explicit TiOPCExplorerForm(TComponent* owner);
    // The two roots "Groups" and "Servers Connections", the latter with one node per open
    // connection; raises the library's "not found" after making the roots when it is missing.
    void Refresh();
    TTreeView* TreeView = nullptr;
    TImageList* ImageList = nullptr;
    TTreeNode* ServersTreeNode() const { return FServersTreeNode; }
    TTreeNode* GroupsTreeNode() const { return FGroupsTreeNode; }

private:
    TTreeNode* FServersTreeNode = nullptr;
    TTreeNode* FGroupsTreeNode = nullptr;
};

// The shared explorer window, or null before the first ExplorerShow (and after a new manager
// was made).
TiOPCExplorerForm* OPCExplorerForm();

}  // namespace dsp
