#pragma once
// Lets the window system handle pending events during long work.
namespace qd {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void process_pending() = 0;
};

}  // namespace qd
