#include "toolkit/CCmdTarget.h"

#include "toolkit/CCmdUI.h"

CCmdTarget::~CCmdTarget() = default;

bool CCmdTarget::OnCmdMsg(int id, Offer offer, CCmdUI *ui)
{
    return DispatchOwn(id, offer, ui);
}

bool CCmdTarget::RouteUpdate(CCmdUI &ui)
{
    if (OnCmdMsg(ui.Id(), Offer::Update, &ui))
        return true;
    ui.Enable(OnCmdMsg(ui.Id(), Offer::Probe, nullptr));
    return false;
}

void CCmdTarget::OnCommand(int id, std::function<void()> handler)
{
    m_commands.push_back({id, id, [handler = std::move(handler)](int) { handler(); }});
}

void CCmdTarget::OnCommandRange(int first, int last, Handler handler)
{
    m_commands.push_back({first, last, std::move(handler)});
}

void CCmdTarget::OnUpdateCommand(int id, UpdateRule rule)
{
    m_updates.push_back({id, id, std::move(rule)});
}

void CCmdTarget::OnUpdateCommandRange(int first, int last, UpdateRule rule)
{
    m_updates.push_back({first, last, std::move(rule)});
}

bool CCmdTarget::DispatchOwn(int id, Offer offer, CCmdUI *ui)
{
    if (offer == Offer::Update) {
        for (const UpdateEntry &entry : m_updates) {
            if (id >= entry.first && id <= entry.last) {
                entry.rule(*ui);
                return true;
            }
        }
        return false;
    }
    for (const CommandEntry &entry : m_commands) {
        if (id >= entry.first && id <= entry.last) {
            if (offer == Offer::Execute) {
                // Copy: a handler may close the window that owns this target.
                const Handler handler = entry.handler;
                handler(id);
            }
            return true;
        }
    }
    return false;
}
