#include "CmdTarget.h"

#include "CmdUI.h"

bool CCmdTarget::OnCmdMsg(int id, CCmdUI* query)
{
    const auto found = commands_.find(id);
    if (found == commands_.end())
        return false;
    const Entry& entry = found->second;
    if (query)
        query->Enable(entry.enabled ? entry.enabled() : true);
    else
        entry.handler();
    return true;
}

void CCmdTarget::OnCommand(int id, Handler handler, Enabler enabled)
{
    commands_[id] = Entry{std::move(handler), std::move(enabled)};
}
