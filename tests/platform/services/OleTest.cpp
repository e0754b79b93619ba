// COM and OLE initialisation, object locks and drop-target registration with their documented results.
#include "TestWindow.h"

#include <emu/Emu.h>

#include <ole2.h>

#include <gtest/gtest.h>

namespace {

class CountingTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }

    ULONG references = 1;
};

class Ole : public ::testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
    void TearDown() override { emu::Reset(); }
};

TEST_F(Ole, InitialisationIsCountedPerThread) {
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "OLE initialised COM";
    CoUninitialize();
    OleUninitialize();
    OleUninitialize();
    EXPECT_EQ(OleInitialize(nullptr), S_OK) << "counted back to zero";
    OleUninitialize();

    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), RPC_E_CHANGED_MODE);
    EXPECT_EQ(OleInitialize(nullptr), RPC_E_CHANGED_MODE) << "OLE needs a single-threaded apartment";
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(reinterpret_cast<void*>(1), COINIT_APARTMENTTHREADED), E_INVALIDARG);
}

TEST_F(Ole, AForcedResultMakesOleInitializeFail) {
    emu::SetOleInitializeResult(E_OUTOFMEMORY);
    EXPECT_EQ(OleInitialize(nullptr), E_OUTOFMEMORY);
    HWND window = services_test::CreateTestWindow();
    CountingTarget target;
    EXPECT_EQ(RegisterDragDrop(window, &target), E_OUTOFMEMORY) << "still not initialised";
    emu::SetOleInitializeResult(S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_OK);

    emu::SetOleInitializeResult(E_FAIL);
    emu::Reset();
    EXPECT_EQ(OleInitialize(nullptr), S_OK) << "a reset ends the forcing and the counts";
}

TEST_F(Ole, RegisterAndRevokeGiveTheDocumentedResultsInOrder) {
    HWND window = services_test::CreateTestWindow();
    CountingTarget target;
    EXPECT_EQ(RegisterDragDrop(window, &target), E_OUTOFMEMORY) << "before OleInitialize";
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(RegisterDragDrop(window, &target), E_OUTOFMEMORY) << "COM alone is not enough";
    CoUninitialize();

    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(RegisterDragDrop(window, nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterDragDrop(nullptr, nullptr), E_INVALIDARG) << "the target is checked first";
    EXPECT_EQ(RegisterDragDrop(nullptr, &target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(target.references, 1u);

    EXPECT_EQ(RegisterDragDrop(window, &target), S_OK);
    EXPECT_EQ(target.references, 2u) << "registration holds a reference";
    EXPECT_EQ(GetPropA(window, "OleDropTargetInterface"), static_cast<HANDLE>(&target));
    EXPECT_EQ(RegisterDragDrop(window, &target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(target.references, 2u);

    EXPECT_EQ(RevokeDragDrop(window), S_OK);
    EXPECT_EQ(target.references, 1u);
    EXPECT_EQ(GetPropA(window, "OleDropTargetInterface"), nullptr);
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RevokeDragDrop(nullptr), DRAGDROP_E_INVALIDHWND);

    ASSERT_EQ(RegisterDragDrop(window, &target), S_OK);
    DestroyWindow(window);
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_INVALIDHWND) << "the window is gone";
}

TEST_F(Ole, LockingAnObjectHoldsAReferenceUntilUnlocked) {
    CountingTarget target;
    EXPECT_EQ(CoLockObjectExternal(&target, TRUE, TRUE), CO_E_NOTINITIALIZED);
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(CoLockObjectExternal(nullptr, TRUE, TRUE), E_INVALIDARG);
    EXPECT_EQ(CoLockObjectExternal(&target, TRUE, TRUE), S_OK);
    EXPECT_EQ(CoLockObjectExternal(&target, TRUE, TRUE), S_OK);
    EXPECT_EQ(target.references, 3u);
    EXPECT_EQ(CoLockObjectExternal(&target, FALSE, TRUE), S_OK);
    EXPECT_EQ(CoLockObjectExternal(&target, FALSE, TRUE), S_OK);
    EXPECT_EQ(target.references, 1u);
    EXPECT_EQ(CoLockObjectExternal(&target, FALSE, TRUE), S_OK);
    EXPECT_EQ(target.references, 1u) << "an object that is not locked is left alone";
}

} // namespace
