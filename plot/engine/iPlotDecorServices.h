#pragma once
// What the plot engine asks of the units that bring its dialogs: the property editor, the
// save-image dialog and the print preview are built on the engine (plot/decor) and put their
// services in place with SetPlotDecorServices (InstallPlotDecor of plot/decor does). Without
// them the toolbar's Edit, Save and Preview buttons and the objects' "Edit..." do nothing.

#include <string>

namespace dsp {

class TiPlotComponent;
class TiPlotMasterManager;
class TiPlotObject;

// The open property editor as its plot's master manager sees it: told of every object inserted,
// removed or renamed, unless it is closing.
class IPlotEditor {
public:
    virtual ~IPlotEditor() = default;
    virtual bool IsClosing() const = 0;
    virtual void ObjectInserted(TiPlotObject* object) = 0;
    virtual void ObjectRemoved(TiPlotObject* object) = 0;
    virtual void ObjectRenamed(TiPlotObject* object) = 0;
};

class IPlotDecorServices {
public:
    virtual ~IPlotDecorServices() = default;
    // Opens the plot's property editor (made when needed), modal or stay-on-top as the plot's
    // EditorFormStyle says.
    virtual void EditProperties(TiPlotMasterManager* master) = 0;
    // Opens the editor on the page of the object's kind with the object selected.
    virtual void EditObject(TiPlotMasterManager* master, TiPlotObject* object) = 0;
    // The save-image dialog: true with the file chosen. defaultDir is the first folder offered
    // and filterIndex (1 bitmap, 2 vector picture, 3 JPEG, 4 PNG) the filter at first; on true,
    // filterIndex is the filter chosen.
    virtual bool ExecuteSaveImageDialog(TiPlotComponent* plot, const std::string& defaultDir,
                                        int& filterIndex, std::string& fileName) = 0;
    // Shows the plot's print preview modally.
    virtual void PreviewChart(TiPlotComponent* plot) = 0;
};

// The services in force (null: none); setting returns the ones replaced.
IPlotDecorServices* PlotDecorServices();
IPlotDecorServices* SetPlotDecorServices(IPlotDecorServices* services);

}  // namespace dsp
