// Temporary framework objects for handles that no permanent object holds (a control's image list, its label
// edit). One object per handle and thread; objects whose handle has died are dropped on the next lookup.
#pragma once

#include <memory>
#include <unordered_map>

template <class Object, class Handle> class CTempObjects {
public:
    using Bind = void (*)(Object&, Handle);
    using Alive = bool (*)(Handle);

    CTempObjects(Bind bind, Alive alive) : m_bind(bind), m_alive(alive) {}
    ~CTempObjects() { Clear(); }

    Object* Get(Handle h) {
        for (auto it = m_objects.begin(); it != m_objects.end();) {
            if (it->first != h && !m_alive(it->first)) {
                m_bind(*it->second, Handle{});
                it = m_objects.erase(it);
            } else {
                ++it;
            }
        }
        auto& slot = m_objects[h];
        if (!slot) {
            slot = std::make_unique<Object>();
            m_bind(*slot, h);
        }
        return slot.get();
    }
    // Lets the objects go without touching their handles.
    void Clear() {
        for (auto& entry : m_objects)
            m_bind(*entry.second, Handle{});
        m_objects.clear();
    }

private:
    Bind m_bind;
    Alive m_alive;
    std::unordered_map<Handle, std::unique_ptr<Object>> m_objects;
};
