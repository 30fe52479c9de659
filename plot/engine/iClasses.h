#pragma once
// The plot engine's shared classes: the one repaint scheduler that finishes repaints a
// component's frame-rate gate held back, the memory streams the theme files are read and written
// with, and three small value classes of the channel and limit drawing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/runtime/Clock.h"
#include "framework/text/Streams.h"

namespace dsp {

class TTimer;

// How the scheduler sees a component without knowing its class.
class IUpdateClient {
public:
    virtual bool GetUpdateActive() const = 0;
    virtual bool GetNeedsRepaint() const = 0;
    virtual int GetUpdateFrameRate() const = 0;
    virtual TClockTime GetLastUpdate() const = 0;
    virtual void RepaintNow() = 0;

protected:
    ~IUpdateClient() = default;
};

// True when more than 1/frameRate seconds passed from lastUpdate to now; a rate of 0 or less is
// no gate at all. Monotonic time, so a clock set back never holds a repaint.
bool RepaintIsDue(TClockTime lastUpdate, int frameRate, TClockTime now);

// The one scheduler of the process. Every component registers for its lifetime; a tick every
// 1000 ms repaints each component that has a repaint pending, is not inside an update batch and
// whose frame gap has passed.
class TiUpdateObject : public TObject {
public:
    static TiUpdateObject& Instance();

    TiUpdateObject();
    ~TiUpdateObject() override;

    // Appends the component; the first one starts the tick.
    void AddUpdateControl(IUpdateClient* control);
    // Removes the component's first entry; the last one stops the tick.
    void RemoveUpdateControl(IUpdateClient* control);

    int Count() const { return static_cast<int>(FControlList.size()); }
    bool TimerEnabled() const;
    // The tick's work; runs at every timer event.
    void Tick();

private:
    std::unique_ptr<TTimer> FTimer;
    std::vector<IUpdateClient*> FControlList;
};

// A memory stream that writes 8-bit texts and reads one character at a time.
class TiMemoryStream : public TMemoryStream {
public:
    // Raises "String Exceeds 255 Characters" for a longer text; writes the bytes as they are.
    void WriteString(const std::string& value);
    void WriteCRLF();
    void WriteStringCRLF(const std::string& value);
    // The next byte; raises "EOF" when none is left.
    char ReadChar();
};

// The small XML subset of the theme files.
class TiXMLMemoryStream : public TiMemoryStream {
public:
    void StartElement(const std::string& name);
    void EndElement(const std::string& name);
    // The value is written with "&", "<" and ">" as "&amp;", "&lt;" and "&gt;".
    void WriteElement(const std::string& name, const std::string& value);

    // The name of the next opening tag; closing tags are passed over.
    std::string GetNameElementStart();
    void GotoElementStart(const std::string& name);
    // The characters up to the next "<", which stays to be read, with "&amp;", "&lt;" and
    // "&gt;" turned back into their characters.
    std::string GetElementValue();
    // The name of the closing tag that must come next.
    std::string GetNameElementStop();
    void GetElement(const std::string& name, std::string& value);
    // After line breaks, blanks and tabs, the text between the next "<" and ">"; empty (and
    // nothing read) when the next character is no "<".
    std::string GetNextPiece();
    std::string PeekNextPiece();

private:
    std::string CollectName();
    std::string FCurrentElementStart;
};

// The values of one pixel column of a trace.
class TiPlotMinMaxPoint : public TPersistent {
public:
    TiPlotMinMaxPoint() { Clear(); }
    void Clear();
    void AddData(int newXPixels, double newXValue, double newYValue) {
        if (Empty) {
            Empty = false;
            XPixels = newXPixels;
            XValue = newXValue;
            YFirst = newYValue;
        }
        if (newYValue > YMax) YMax = newYValue;
        if (newYValue < YMin) YMin = newYValue;
        YLast = newYValue;
    }
    void AssignDown(const TiPlotMinMaxPoint& source);

    bool Empty = true;
    int XPixels = 0;
    double XValue = 0;
    double YMax = -1e301;
    double YMin = 1e301;
    double YFirst = 0;
    double YLast = 0;
};

struct TiLimitData {
    double Value1 = 0;
    double Value2 = 0;
    double Value3 = 0;
};

// A growable array of three-value records.
class TiLimitDataList : public TObject {
public:
    int Add(double value1, double value2, double value3);
    void SetCapacity(int newCapacity);
    void Clear();
    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    double Value1(int index) const { return At(index).Value1; }
    double Value2(int index) const { return At(index).Value2; }
    double Value3(int index) const { return At(index).Value3; }

private:
    const TiLimitData& At(int index) const;
    void Grow();

    std::vector<TiLimitData> FList;
    int FCount = 0;
    int FCapacity = 0;
};

// The pending start, stop and transition of one step of a digital trace.
class TDigitalSequenceData : public TObject {
public:
    void Clear() {
        StartSet = false;
        StopSet = false;
        TransitionSet = false;
    }

    bool StartSet = false;
    double StartXValue = 0;
    bool StartYValue = false;
    bool StopSet = false;
    double StopXValue = 0;
    bool TransitionSet = false;
    double TransitionXValue = 0;
};

}  // namespace dsp
