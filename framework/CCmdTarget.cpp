#include "framework/CCmdTarget.h"

#include "framework/CCmdUI.h"

bool CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    return DispatchOwnCommand(id, code, cmdUI, probeOnly);
}

bool CCmdTarget::DispatchOwnCommand(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    if (code == CN_UPDATE_COMMAND_UI) {
        const auto it = m_updates.find(id);
        if (it == m_updates.end() || cmdUI == nullptr)
            return false;
        if (probeOnly)
            return true;
        cmdUI->m_bContinueRouting = false;
        it->second(cmdUI);
        return !cmdUI->m_bContinueRouting;
    }
    const auto it = m_commands.find({id, code});
    if (it == m_commands.end())
        return false;
    if (!probeOnly) {
        // Copy: the handler may replace or remove its own entry.
        const std::function<void()> handler = it->second;
        handler();
    }
    return true;
}
