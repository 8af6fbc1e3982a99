#pragma once

#include <functional>
#include <unordered_map>

// The state of one command's menu items and buttons, as an update handler leaves it.
struct CCmdUI
{
    int m_nID = 0;
    bool m_bEnabled = true;
    bool m_bCheckable = false;
    bool m_bChecked = false;

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(bool bChecked = true)
    {
        m_bCheckable = true;
        m_bChecked = bChecked;
    }
};

// What a command target is asked to do with a command id.
enum class CmdMsg
{
    Command,  // run the command
    UpdateUI, // set the command's state in the CCmdUI
    Probe,    // only say whether a handler exists
};

// Anything that takes commands by their numeric ids: the message view, the main frame and the
// application object. A derived class fills its command map in its constructor; the main frame
// offers every command to its chain of targets until one of them handles it.
class CCmdTarget
{
public:
    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    virtual ~CCmdTarget() = default;

    // True when this target handled the request. For UpdateUI, pCmdUI is the state to set.
    virtual bool OnCmdMsg(int nID, CmdMsg code, CCmdUI* pCmdUI);

protected:
    void MapCommand(int nID, CommandHandler handler);
    void MapUpdateCommandUI(int nID, UpdateHandler handler);

private:
    struct Entry
    {
        CommandHandler command;
        UpdateHandler update;
    };
    std::unordered_map<int, Entry> m_map;
};

// Runs the update of one command through a chain of targets as the framework does: the first
// update handler on the chain decides; without one, the command is enabled exactly when some
// target of the chain has a handler for it.
CCmdUI UpdateCommandUI(CCmdTarget& chain, int nID);
