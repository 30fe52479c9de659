#pragma once
// A response view that only records what is asked of it, in order.

#include <string>
#include <vector>

#include "model/ResponseView.h"

namespace dsp::testing_support {

struct DrawnCurve {
    std::vector<double> points;
    int id;
    ViewColour colour;
    TMyPlotStyle style;
};

struct DrawnBlock {
    double y;
    double x;
    ViewColour colour;
    int n;
    bool hidden;
    int type;
};

struct BlockParameters {
    int n;
    double freqHz;
    double gainDb;
    double q;
    int kind;
};

struct DrawnParam {
    int kind;
    double gainDb;
    double x;
    float freqHz;
    double q;
    ViewColour colour;
};

struct DrawnFill {
    int kind;
    std::vector<double> values;
};

class RecordingView : public IResponseView {
public:
    std::vector<std::string> calls;  // operation names, in order
    std::vector<DrawnCurve> curves;
    std::vector<int> removed;
    std::vector<DrawnBlock> blocks;
    std::vector<BlockParameters> blockParameters;
    std::vector<DrawnParam> params;
    std::vector<DrawnFill> fills;
    std::vector<bool> curveDisplay;

    bool FFTDraw(const double* y, int count, int id, ViewColour colour,
                 TMyPlotStyle style) override {
        calls.push_back("FFTDraw");
        curves.push_back({std::vector<double>(y, y + count), id, colour, style});
        return false;
    }
    bool RemovePlot(int id) override {
        calls.push_back("RemovePlot");
        removed.push_back(id);
        return true;
    }
    void DrawBlock(double y, double x, ViewColour colour, int n, bool hidden, int type) override {
        calls.push_back("DrawBlock");
        blocks.push_back({y, x, colour, n, hidden, type});
    }
    int SetBlockParameter(int n, double freqHz, double gainDb, double q, int kind) override {
        calls.push_back("SetBlockParameter");
        blockParameters.push_back({n, freqHz, gainDb, q, kind});
        return n;
    }
    void DrawParam(int kind, double gainDb, double x, float freqHz, double q,
                   ViewColour colour) override {
        calls.push_back("DrawParam");
        params.push_back({kind, gainDb, x, freqHz, q, colour});
    }
    void DrawCurveFill(int kind, const double* values, int count) override {
        calls.push_back("DrawCurveFill");
        fills.push_back({kind, std::vector<double>(values, values + count)});
    }
    void SetCurveDisplay(bool on) override {
        calls.push_back("SetCurveDisplay");
        curveDisplay.push_back(on);
    }
};

}  // namespace dsp::testing_support
