#pragma once
#include "View.h"

#include <QLineEdit>

#include <string>
#include <vector>

// A pane that records what reaches it. It takes the commands it is told to.
class RecordingPane : public QLineEdit, public CView {
public:
    RecordingPane(std::string name, std::vector<std::string>& log, QWidget* parent = nullptr)
        : QLineEdit(parent), CView(static_cast<QWidget&>(*this)), name_(std::move(name)), log_(log)
    {
    }

    void Take(int id, bool enabled = true)
    {
        OnCommand(id, [this, id] { log_.push_back(name_ + " ran " + std::to_string(id)); },
                  [enabled] { return enabled; });
    }

    void OnUpdate(CView* /*sender*/, int hint, const std::string& text) override
    {
        log_.push_back(name_ + " update " + std::to_string(hint) + " " + text);
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A command target standing for the frame's own handlers or the application.
class RecordingTarget : public CCmdTarget {
public:
    RecordingTarget(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    void Take(int id)
    {
        OnCommand(id, [this, id] { log_.push_back(name_ + " ran " + std::to_string(id)); });
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};
