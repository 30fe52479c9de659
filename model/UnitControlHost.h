#pragma once
// What the parameter model needs of the main window: the send dispatcher, the session's device
// ID, the applying-image flag, the curve overlays, the rows of the two preset dialogs' grids and
// the unit save dialog. The main window implements it; tests use a recording fake.

#include <optional>
#include <string>

namespace dsp {

class LCmd;

class IUnitControlHost {
public:
    virtual ~IUnitControlHost() = default;

    // Hands a record to the open transport: framed sends the whole frame, noCoalesce asks that
    // the frame is only appended to the queue, never replaced by a later one of the same code.
    virtual void SendCommand(const LCmd& record, bool noCoalesce, bool framed) = 0;
    // The processor's device ID that goes into every record (1 to 254).
    virtual int GetDeviceId() const = 0;
    // True while the main window shows a whole image in its controls: setters then send nothing.
    virtual bool IsApplyingImage() const = 0;
    // A channel's filters changed: its response curves need recomputing.
    virtual void MarkCurveDirty(int ch) = 0;

    // The name column of the recall dialog's preset grid (row 0 the factory preset, rows 1 to 30
    // the user presets) and of the store dialog's grid (rows 0 to 29 the user presets).
    virtual void SetRecallPresetName(int row, const std::string& text) = 0;
    virtual void SetStorePresetName(int row, const std::string& text) = 0;

    // Asks for the name of a unit file to write ("*.unt", confirming an overwrite); nothing when
    // the user cancels.
    virtual std::optional<std::string> ExecuteSaveUnitDialog() = 0;
};

}  // namespace dsp
