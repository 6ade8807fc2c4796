#pragma once
#include <functional>
#include <map>

class CCmdUI;

// Something that can take commands. Each command id maps to a handler and,
// optionally, a test of whether the command can act now.
class CCmdTarget {
public:
    using Handler = std::function<void()>;
    using Enabler = std::function<bool()>;

    virtual ~CCmdTarget() = default;

    // Offers the command: runs it (query null) or answers the query. True when
    // this target takes the command.
    virtual bool OnCmdMsg(int id, CCmdUI* query);

protected:
    void OnCommand(int id, Handler handler, Enabler enabled = {});

private:
    struct Entry {
        Handler handler;
        Enabler enabled;
    };
    std::map<int, Entry> commands_;
};
