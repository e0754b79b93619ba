// Opaque handle values for the objects of the services area: 32-bit values made of a kind tag and a serial
// number, so that a handle of one kind is never taken for another and a freed value is not reused soon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace emu::detail {

template <class Handle> Handle ToHandle(uint32_t value) {
    return reinterpret_cast<Handle>(static_cast<uintptr_t>(value));
}

template <class Handle> uint32_t FromHandle(Handle handle) {
    auto raw = reinterpret_cast<uintptr_t>(handle);
    return raw > UINT32_MAX ? 0 : static_cast<uint32_t>(raw);
}

template <class T> class HandleTable {
public:
    // tag: the top byte of every handle of this table.
    explicit HandleTable(uint8_t tag) : m_tag(static_cast<uint32_t>(tag) << 24) {}

    uint32_t Add(T object) {
        uint32_t value;
        do {
            value = m_tag | m_serial;
            m_serial = (m_serial + 1) & 0xFFFFFF;
            if (m_serial == 0)
                m_serial = 1;
        } while (m_objects.contains(value));
        m_objects.emplace(value, std::move(object));
        return value;
    }

    T* Find(uint32_t value) {
        auto it = m_objects.find(value);
        return it == m_objects.end() ? nullptr : &it->second;
    }

    bool Remove(uint32_t value) { return m_objects.erase(value) != 0; }

    // Serial numbers go on counting, so handles from before stay invalid.
    void Clear() { m_objects.clear(); }

private:
    uint32_t m_tag;
    uint32_t m_serial = 1;
    std::unordered_map<uint32_t, T> m_objects;
};

} // namespace emu::detail
