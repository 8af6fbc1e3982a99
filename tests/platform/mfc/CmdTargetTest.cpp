#include "platform/mfc/CmdTarget.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CTarget : public CCmdTarget
{
public:
    using CCmdTarget::MapCommand;
    using CCmdTarget::MapUpdateCommandUI;
};

// A chain of two targets, offered in order, as the main frame offers commands.
class CChain : public CCmdTarget
{
public:
    CTarget m_first, m_second;
    bool OnCmdMsg(int nID, CmdMsg code, CCmdUI* pCmdUI) override
    {
        return m_first.OnCmdMsg(nID, code, pCmdUI) || m_second.OnCmdMsg(nID, code, pCmdUI);
    }
};

TEST(CmdTargetTest, TheFirstHandlerOnTheChainRunsTheCommand)
{
    CChain chain;
    std::vector<int> ran;
    chain.m_first.MapCommand(1, [&] { ran.push_back(11); });
    chain.m_second.MapCommand(1, [&] { ran.push_back(21); });
    chain.m_second.MapCommand(2, [&] { ran.push_back(22); });
    EXPECT_TRUE(chain.OnCmdMsg(1, CmdMsg::Command, nullptr));
    EXPECT_TRUE(chain.OnCmdMsg(2, CmdMsg::Command, nullptr));
    EXPECT_FALSE(chain.OnCmdMsg(3, CmdMsg::Command, nullptr));
    EXPECT_EQ(ran, (std::vector<int>{11, 22}));
}

TEST(CmdTargetTest, UpdatesFallBackToWhetherAnyoneHandlesTheCommand)
{
    CChain chain;
    chain.m_first.MapCommand(1, [] {});
    // An update handler later on the chain wins over a command handler earlier on it.
    chain.m_second.MapUpdateCommandUI(1, [](CCmdUI& cmdUI) { cmdUI.SetCheck(true); });
    chain.m_second.MapCommand(2, [] {});
    chain.m_first.MapUpdateCommandUI(4, [](CCmdUI& cmdUI) { cmdUI.Enable(false); });
    const struct
    {
        int nID;
        bool bEnabled;
        bool bCheckable;
        bool bChecked;
    } cases[] = {{1, true, true, true}, {2, true, false, false}, {3, false, false, false},
                 {4, false, false, false}};
    for (const auto& c : cases) {
        const CCmdUI cmdUI = UpdateCommandUI(chain, c.nID);
        EXPECT_EQ(cmdUI.m_nID, c.nID);
        EXPECT_EQ(cmdUI.m_bEnabled, c.bEnabled) << c.nID;
        EXPECT_EQ(cmdUI.m_bCheckable, c.bCheckable) << c.nID;
        EXPECT_EQ(cmdUI.m_bChecked, c.bChecked) << c.nID;
    }
}

} // namespace
