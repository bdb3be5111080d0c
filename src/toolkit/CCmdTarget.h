#pragma once

#include <functional>
#include <vector>

class CCmdUI;

// An object that takes part in command routing. Handlers are registered per id or per id range;
// entries are searched in the order they were registered and the first one that matches wins,
// so an explicit handler registered before a range takes precedence over it.
//
// OnCmdMsg offers a command to this target and then to the targets it routes on to (a view to
// its document, the frame to the active view, itself and the application). Three kinds of offer:
// Execute runs the command, Update runs an update rule (ui given), Probe only asks whether some
// target has a command handler (used to enable items that have no update rule).
class CCmdTarget
{
public:
    enum class Offer { Execute, Update, Probe };

    virtual ~CCmdTarget();

    // True when this target or one it routes to took the offer.
    virtual bool OnCmdMsg(int id, Offer offer, CCmdUI *ui);

    // Routes an update the way the framework does: the first update rule along the route
    // decides; without one the item is enabled exactly when some target handles the command.
    bool RouteUpdate(CCmdUI &ui);

protected:
    using Handler = std::function<void(int id)>;
    using UpdateRule = std::function<void(CCmdUI &ui)>;

    void OnCommand(int id, std::function<void()> handler);
    void OnCommandRange(int first, int last, Handler handler);
    void OnUpdateCommand(int id, UpdateRule rule);
    void OnUpdateCommandRange(int first, int last, UpdateRule rule);

    // Only this target's own entries.
    bool DispatchOwn(int id, Offer offer, CCmdUI *ui);

private:
    struct CommandEntry
    {
        int first;
        int last;
        Handler handler;
    };
    struct UpdateEntry
    {
        int first;
        int last;
        UpdateRule rule;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};
