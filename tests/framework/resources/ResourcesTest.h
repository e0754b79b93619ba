// Shared pieces of the resource tests: the program's own module, whose resources come from Resources.rc,
// and a reset session per test.
#pragma once

#include "ResourceIds.h"

#include <afxwin.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <string>

class ResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        m_hModule = GetModuleHandleA(nullptr);
    }
    void TearDown() override { CWnd::DeleteTempMap(); }

    // The bytes of a resource of the module, or "<none>".
    std::string Bytes(LPCSTR name, LPCSTR type) const {
        HRSRC hInfo = FindResourceA(m_hModule, name, type);
        if (!hInfo)
            return "<none>";
        const char* data = static_cast<const char*>(LockResource(LoadResource(m_hModule, hInfo)));
        return data ? std::string(data, SizeofResource(m_hModule, hInfo)) : "<unlocked>";
    }

    HMODULE m_hModule = nullptr;
};
