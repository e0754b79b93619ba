// A test listener that, besides what its base listener does, carries out the test's action once from inside
// an event, as a host that changes its trees while the library is still handling the event.
#pragma once

#include <functional>
#include <utility>

template <class Listener> class CActing : public Listener {
public:
    using Listener::Listener;
    std::function<void()> m_act;

protected:
    // Runs the action, if one is waiting, and passes the base listener's answer on.
    bool Act(bool bAnswer) {
        if (m_act) {
            std::function<void()> act = std::move(m_act);
            m_act = nullptr;
            act();
        }
        return bAnswer;
    }
};
