// The reader of .res files on bytes made by hand: ordinal and named entries, the DWORD alignment of names and
// data, the empty first entry, and truncated or malformed files, which keep the entries before the damage.
#include "resources/ResFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using emu::detail::ReadResFile;
using emu::detail::ResEntry;
using Bytes = std::vector<BYTE>;

namespace {

// What windres writes for one menu (DemoHost.rc): the empty entry, then RT_MENU 200, language 0, memory
// flags 0x1030 (moveable, pure, discardable), 0x38 bytes of template.
const Bytes kWindresMenu = {
    0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x38, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0xff, 0xff, 0x04, 0x00, 0xff,
    0xff, 0xc8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x30, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x90, 0x00, 0x49, 0x00, 0x74, 0x00, 0x65,
    0x00, 0x6d, 0x00, 0x00, 0x00, 0x00, 0x00, 0xd1, 0x07, 0x4f, 0x00, 0x70, 0x00, 0x65, 0x00,
    0x6e, 0x00, 0x00, 0x00, 0x80, 0x00, 0xd2, 0x07, 0x50, 0x00, 0x72, 0x00, 0x6f, 0x00, 0x70,
    0x00, 0x65, 0x00, 0x72, 0x00, 0x74, 0x00, 0x69, 0x00, 0x65, 0x00, 0x73, 0x00, 0x00, 0x00};

void Dword(Bytes& out, DWORD value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void Word(Bytes& out, WORD value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

void Pad(Bytes& out) {
    while (out.size() % 4)
        out.push_back(0);
}

// An ID as the format holds it: a text of ASCII characters, or "#n" for the ordinal n.
void Id(Bytes& out, const std::string& id) {
    if (id[0] == '#') {
        Word(out, 0xFFFF);
        Word(out, static_cast<WORD>(std::stoi(id.substr(1))));
        return;
    }
    for (char c : id)
        Word(out, static_cast<WORD>(c));
    Word(out, 0);
}

// Appends one entry: its header, its data and the padding after it.
void Entry(Bytes& out, const std::string& type, const std::string& name, WORD language,
           const std::string& data) {
    Bytes header;
    Id(header, type);
    Id(header, name);
    Pad(header);
    Dword(header, 0);     // DataVersion
    Word(header, 0x1030); // MemoryFlags
    Word(header, language);
    Dword(header, 7);      // Version
    Dword(header, 0x1234); // Characteristics
    Dword(out, static_cast<DWORD>(data.size()));
    Dword(out, static_cast<DWORD>(8 + header.size()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
    Pad(out);
}

std::string Text(const ResEntry& entry) {
    return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
}

// The type, the name, the language and the data, e.g. "#4 #200 0 data".
std::string Describe(const ResEntry& entry) {
    auto id = [](const emu::detail::ResId& part) {
        return part.named ? std::string(part.text.begin(), part.text.end())
                          : "#" + std::to_string(part.ordinal);
    };
    return id(entry.type) + " " + id(entry.name) + " " + std::to_string(entry.language) + " " + Text(entry);
}

std::vector<std::string> Read(const Bytes& bytes, size_t size) {
    std::vector<std::string> out;
    for (const ResEntry& entry : ReadResFile(bytes.data(), size))
        out.push_back(Describe(entry));
    return out;
}

std::vector<std::string> Read(const Bytes& bytes) {
    return Read(bytes, bytes.size());
}

Bytes Sample() {
    Bytes bytes;
    Entry(bytes, "#0", "#0", 0, "");
    Entry(bytes, "#10", "#100", 0x409, "odd");
    Entry(bytes, "CUSTOM", "Named", 0x804, "named!"); // names of 7 and 6 characters: padding after NAME
    Entry(bytes, "#4", "Ab", 0, "x");
    return bytes;
}

} // namespace

TEST(ResFile, WhatWindresWritesIsOneEntryAfterTheEmptyOne) {
    std::vector<ResEntry> entries = ReadResFile(kWindresMenu.data(), kWindresMenu.size());
    ASSERT_EQ(1u, entries.size());
    const ResEntry& menu = entries[0];
    EXPECT_FALSE(menu.type.named);
    EXPECT_EQ(4, menu.type.ordinal);
    EXPECT_EQ(200, menu.name.ordinal);
    EXPECT_EQ(0, menu.language);
    EXPECT_EQ(0x1030, menu.memoryFlags);
    EXPECT_EQ(0x38u, menu.size);
    EXPECT_EQ(kWindresMenu.data() + 0x40, menu.data) << "the data in place, right after the header";
}

TEST(ResFile, OrdinalAndNamedEntriesWithTheirFieldsAndAlignment) {
    Bytes bytes = Sample();
    EXPECT_EQ((std::vector<std::string>{"#10 #100 1033 odd", "CUSTOM Named 2052 named!", "#4 Ab 0 x"}),
              Read(bytes));
    std::vector<ResEntry> entries = ReadResFile(bytes.data(), bytes.size());
    ASSERT_EQ(3u, entries.size());
    EXPECT_TRUE(entries[1].type.named);
    EXPECT_EQ(7u, entries[1].version);
    EXPECT_EQ(0x1234u, entries[1].characteristics);
    EXPECT_EQ(0u, entries[1].dataVersion);
    for (const ResEntry& entry : entries)
        EXPECT_EQ(0u, static_cast<size_t>(entry.data - bytes.data()) % 4) << Describe(entry);
    // The last entry may end without its padding.
    bytes.resize(bytes.size() - 3);
    EXPECT_EQ(3u, Read(bytes).size());
}

TEST(ResFile, EveryTruncationKeepsTheWholeEntriesBeforeIt) {
    Bytes bytes = Sample();
    std::vector<std::string> all = Read(bytes);
    size_t previous = 0;
    for (size_t size = 0; size <= bytes.size(); ++size) {
        // A copy of exactly that size, so that a read past its end is caught.
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        std::vector<std::string> read = Read(cut);
        ASSERT_LE(read.size(), all.size());
        ASSERT_GE(read.size(), previous) << size;
        EXPECT_EQ(
            std::vector<std::string>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(read.size())),
            read)
            << size;
        previous = read.size();
    }
    EXPECT_TRUE(Read(Bytes{}).empty());
    EXPECT_TRUE(ReadResFile(nullptr, 100).empty());
}

TEST(ResFile, AMalformedEntryEndsTheReading) {
    Bytes good;
    Entry(good, "#10", "#1", 0, "kept");
    auto withBad = [&](auto damage) {
        Bytes bytes = good;
        size_t start = bytes.size();
        Entry(bytes, "#10", "#2", 0, "lost");
        Entry(bytes, "#10", "#3", 0, "after");
        damage(bytes, start);
        return Read(bytes);
    };
    const std::vector<std::string> kept = {"#10 #1 0 kept"};
    // A header smaller than its fixed fields.
    EXPECT_EQ(kept, withBad([](Bytes& b, size_t at) { b[at + 4] = 16; }));
    // A header or data larger than the file.
    EXPECT_EQ(kept, withBad([](Bytes& b, size_t at) { b[at + 6] = 0x10; }));
    EXPECT_EQ(kept, withBad([](Bytes& b, size_t at) { b[at + 3] = 0x80; }));
    // A name without its NUL within the header: NAME runs into the fixed fields, then past the header.
    EXPECT_EQ(kept, withBad([](Bytes& b, size_t at) {
                  b[at + 12] = 'n';
                  for (size_t i = at + 16; i < at + 32; ++i)
                      b[i] = 'x';
              }));
}
