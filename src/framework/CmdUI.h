#pragma once

// A query for a command's enabled state, answered by whoever takes the command.
class CCmdUI {
public:
    explicit CCmdUI(int id) : id_(id) {}

    int Id() const { return id_; }
    void Enable(bool enabled = true) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

private:
    int id_;
    bool enabled_ = false;
};
