// Shared fixture of the value-type tests: every test starts from a reset emulation (code page 1252).
#pragma once

#include <emu/Session.h>
#include <gtest/gtest.h>

#include "afx/Exception.h"

class ValuesTest : public testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
};

// Whether fn raised the framework's invalid-argument exception (which is then released).
template <class Fn> bool ThrowsInvalidArg(Fn fn) {
    try {
        fn();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}
