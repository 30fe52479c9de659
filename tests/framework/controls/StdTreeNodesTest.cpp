#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/TreeNodes.h"

namespace dsp {
namespace {

struct Listener : ITreeNodesListener {
    std::vector<std::string> log;
    bool allowCollapse = true;
    void NodeDeleting(TTreeNode* node) override { log.push_back("delete " + node->Text()); }
    void NodesChanged() override { log.push_back("changed"); }
    bool CanExpand(TTreeNode*) override { return true; }
    bool CanCollapse(TTreeNode*) override { return allowCollapse; }
    void Expanded(TTreeNode* node) override { log.push_back("expanded " + node->Text()); }
    void Collapsed(TTreeNode* node) override { log.push_back("collapsed " + node->Text()); }
};

// Plot
//   Axes
//     X
//     Y
//   Channels
// Legend
struct StdTreeNodes : ::testing::Test {
    Listener listener;
    TTreeNodes nodes{&listener};
    TTreeNode* plot = nodes.Add(nullptr, "Plot");
    TTreeNode* axes = nodes.AddChild(plot, "Axes");
    TTreeNode* x = nodes.AddChild(axes, "X");
    TTreeNode* y = nodes.Add(x, "Y");
    TTreeNode* channels = nodes.AddChild(plot, "Channels");
    TTreeNode* legend = nodes.Add(plot, "Legend");

    std::vector<std::string> Visible() const {
        std::vector<std::string> out;
        for (TTreeNode* n = nodes.GetFirstNode(); n != nullptr; n = n->GetNextVisible())
            out.push_back(n->Text());
        return out;
    }
};

TEST_F(StdTreeNodes, OrderLevelsAndShownRows) {
    EXPECT_EQ(nodes.Count(), 6);
    EXPECT_EQ(y->AbsoluteIndex(), 3);
    EXPECT_EQ(nodes.Item(4), channels);
    EXPECT_EQ(y->Level(), 2);
    EXPECT_EQ(legend->GetPrev(), channels);
    EXPECT_EQ(Visible(), (std::vector<std::string>{"Plot", "Legend"}));
    y->MakeVisible();
    EXPECT_EQ(Visible(),
              (std::vector<std::string>{"Plot", "Axes", "X", "Y", "Channels", "Legend"}));
    EXPECT_EQ(legend->GetPrevVisible(), channels);
    axes->Collapse(false);
    EXPECT_EQ(channels->GetPrevVisible(), axes);
}

TEST_F(StdTreeNodes, CollapseCanBeRefusedAndMovesRespectTheTree) {
    plot->Expand(true);
    listener.log.clear();
    listener.allowCollapse = false;
    plot->Collapse(false);
    EXPECT_TRUE(plot->Expanded());
    listener.allowCollapse = true;
    axes->MoveTo(x, naAddChild);  // into its own child: refused
    EXPECT_EQ(axes->Parent(), plot);
    legend->MoveTo(axes, naInsert);
    EXPECT_EQ(legend->Parent(), plot);
    EXPECT_EQ(legend->Index(), 0);
}

TEST_F(StdTreeNodes, DeletingABranchDropsTheSelectionInside) {
    y->SetSelected(true);
    EXPECT_EQ(nodes.Selected(), y);
    listener.log.clear();
    axes->Delete();
    EXPECT_EQ(nodes.Selected(), nullptr);
    EXPECT_EQ(listener.log, (std::vector<std::string>{"delete Axes", "changed"}));
    EXPECT_EQ(plot->Count(), 1);
    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 0);
}

}  // namespace
}  // namespace dsp
