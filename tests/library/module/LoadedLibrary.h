// The library as a host loads it at run time, through the platform's loader; this program does not link
// it, so that its tests see every load and unload.
#pragma once

#include <afxwin.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

inline const char* const kLibraryPath = TAL_CONTROL_LIBRARY;

// The loader's calls of entry points, as "attach TRUE", "thread-detach TRUE" ..., all of one module.
inline std::vector<std::string> EntryCalls(HMODULE expected) {
    std::vector<std::string> calls;
    for (const emu::ModuleEntryCall& call : emu::ModuleEntryCalls()) {
        const char* reason = call.reason == DLL_PROCESS_ATTACH   ? "attach"
                             : call.reason == DLL_PROCESS_DETACH ? "detach"
                             : call.reason == DLL_THREAD_DETACH  ? "thread-detach"
                                                                 : "other";
        calls.push_back(std::string(call.module == expected ? "" : "another module's ") + reason +
                        (call.result ? " TRUE" : " FALSE"));
    }
    return calls;
}

// The host's side of the framework as a load finds it and must leave it.
struct HostState {
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    size_t nLibraries = pState->m_libraryList.size();

    void ExpectUnchanged() const {
        EXPECT_EQ(pState, AfxGetModuleState()) << "the host's state is current again";
        EXPECT_EQ(nLibraries, pState->m_libraryList.size())
            << "the library entered nothing in the host's list";
        EXPECT_NE(AfxFindResourceHandle(MAKEINTRESOURCEA(3001), RT_BITMAP),
                  GetModuleHandleA("TalControl.dll"))
            << "the host's search does not reach the library's resources";
    }
};
