#include "platform/mfc/CmdTarget.h"

#include <utility>

bool CCmdTarget::OnCmdMsg(int nID, CmdMsg code, CCmdUI* pCmdUI)
{
    const auto it = m_map.find(nID);
    if (it == m_map.end())
        return false;
    const Entry& entry = it->second;
    switch (code) {
    case CmdMsg::Command:
        if (!entry.command)
            return false;
        entry.command();
        return true;
    case CmdMsg::UpdateUI:
        if (!entry.update || !pCmdUI)
            return false;
        entry.update(*pCmdUI);
        return true;
    case CmdMsg::Probe:
        return bool(entry.command);
    }
    return false;
}

void CCmdTarget::MapCommand(int nID, CommandHandler handler)
{
    m_map[nID].command = std::move(handler);
}

void CCmdTarget::MapUpdateCommandUI(int nID, UpdateHandler handler)
{
    m_map[nID].update = std::move(handler);
}

CCmdUI UpdateCommandUI(CCmdTarget& chain, int nID)
{
    CCmdUI cmdUI;
    cmdUI.m_nID = nID;
    if (!chain.OnCmdMsg(nID, CmdMsg::UpdateUI, &cmdUI))
        cmdUI.Enable(chain.OnCmdMsg(nID, CmdMsg::Probe, nullptr));
    return cmdUI;
}
