#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp::test {

namespace {

// Puts the engine's classes back after every test, so that the stand-ins of one test do not
// reach the plots of the next.
class TRestoreClasses : public ::testing::EmptyTestEventListener {
public:
    TRestoreClasses() {
        for (TiPlotObjectKind kind : {TiPlotObjectKind::Limit, TiPlotObjectKind::Annotation,
                                      TiPlotObjectKind::DataCursor, TiPlotObjectKind::Channel}) {
            saved_.emplace_back(kind, PlotObjectClass(kind));
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (const auto& [kind, factory] : saved_) RegisterPlotObjectClass(kind, factory);
    }

private:
    std::vector<std::pair<TiPlotObjectKind, TiPlotObjectFactory>> saved_;
};

}  // namespace

void RestoreEngineClassesAfterTest() {
    static const bool installed = [] {
        ::testing::UnitTest::GetInstance()->listeners().Append(new TRestoreClasses());
        return true;
    }();
    (void)installed;
}

}  // namespace dsp::test
