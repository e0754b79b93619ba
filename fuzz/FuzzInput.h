// Reads a fuzzer's bytes as a sequence of small decisions. Past the end every read gives zero or empty, so
// any input decodes to something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_at >= m_size; }

    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }

    // A value in [0, count); count must be above zero.
    size_t Below(size_t count) { return Byte() % count; }

    bool Flag() { return (Byte() & 1) != 0; }

    // Four bytes, low first.
    uint32_t Word() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<uint32_t>(Byte()) << shift;
        return value;
    }

    // The bytes up to the next terminator (not included) or the end.
    std::string Text(char terminator = '\n') {
        std::string text;
        while (m_at < m_size && m_data[m_at] != static_cast<uint8_t>(terminator))
            text += static_cast<char>(m_data[m_at++]);
        if (m_at < m_size)
            ++m_at;
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};
