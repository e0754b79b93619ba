// What both consumer hosts (on the emulation and on Windows) check of the installed library, written only
// against the win32 API, the framework and the library, as any host would be.
#pragma once

#include <TalControl.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline int g_nFailures = 0;

inline void Check(bool bHolds, const std::string& what) {
    if (!bHolds) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++g_nFailures;
    }
}

// The exit code: 0 when every check held.
inline int Report() {
    if (g_nFailures == 0)
        std::printf("The consumer host passed every check against the installed package.\n");
    return g_nFailures == 0 ? 0 : 1;
}

inline std::vector<std::string> g_events;

inline bool HasEvent(const std::string& event) {
    for (const std::string& e : g_events)
        if (e == event)
            return true;
    return false;
}

class CListener : public CCtrlListener {
public:
    CCtrlBase* m_pLastCtrl = nullptr;

    int OnEvent1(CCtrlBase* pCtrl) override { return Took("Event1", pCtrl), 0; }
    bool OnEvent2(CCtrlBase* pCtrl) override { return Took("Event2", pCtrl); }
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override { return Took("EndLabelEdit", pCtrl); }
    bool OnDropCopy(CCtrlBase* pCtrl) override { return Took("DropCopy", pCtrl); }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Took("DropMove", pCtrl); }
    bool OnEvent7(CCtrlBase* pCtrl) override { return Took("Event7", pCtrl); }
    bool OnEvent8(CCtrlBase* pCtrl) override { return Took("Event8", pCtrl); }
    bool OnSelChanged(CCtrlBase* pCtrl) override { return Took("SelChanged", pCtrl); }

private:
    bool Took(const char* event, CCtrlBase* pCtrl) {
        m_pLastCtrl = pCtrl;
        g_events.push_back(event + std::string(" with ") + std::to_string(pCtrl->m_arrArgs.GetSize()));
        return true;
    }
};

// A tree-view window in the host's window, as a dialog holds one before the host attaches a control to it.
inline HWND CreateTreeWindow(CWnd& host, int nColumn, UINT nID) {
    ::InitCommonControls();
    return ::CreateWindowExA(0, WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                             10 + 210 * nColumn, 10, 200, 300, host.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
}

// Creates the host's window, which is the application's main window while `use` puts controls in it.
template <class Use> void WithHostWindow(CWnd& host, Use use) {
    host.CreateEx(0, nullptr, "Consumer", WS_POPUP | WS_VISIBLE, 0, 0, 640, 320, nullptr, nullptr);
    AfxGetApp()->m_pMainWnd = &host;
    use();
    AfxGetApp()->m_pMainWnd = nullptr;
    host.DestroyWindow();
}

// Fills the general tree from three paths and returns the item Fruit\Pear, which it checks.
inline HTREEITEM ImportFruit(COrnTreeCtrl& tree) {
    CStringArray paths;
    paths.Add("Fruit\\Apple");
    paths.Add("Fruit\\Pear");
    paths.Add("Vegetables\\Leek");
    tree.ImpByPaths(&paths, 0, true);
    HTREEITEM hPear = tree.GetItemByDir("Fruit\\Pear");
    Check(hPear != NULL && tree.GetItemText(tree.GetParentItem(hPear)) == "Fruit",
          "the general tree finds an imported path");
    return hPear;
}

// The listener heard of a selection change, from the tree.
inline void CheckSelectionHeard(const CListener& listener, COrnTreeCtrl& tree) {
    Check(HasEvent("SelChanged with 0") && listener.m_pLastCtrl == static_cast<CCtrlBase*>(&tree),
          "the listener hears of the selection from the tree");
}

inline int ImageOf(CTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

// The colour (0xRRGGBB) at (x, y) of the image list's image, read from the bitmap that holds it.
inline uint32_t ImagePixel(HIMAGELIST hImages, int nImage, int x, int y) {
    IMAGEINFO info = {};
    BITMAP bitmap = {};
    if (!ImageList_GetImageInfo(hImages, nImage, &info) || !GetObjectA(info.hbmImage, sizeof bitmap, &bitmap))
        return 0xFFFFFFFFu;
    std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.bmWidth) * static_cast<size_t>(bitmap.bmHeight));
    BITMAPINFO dib = {};
    dib.bmiHeader = BITMAPINFOHEADER{
        sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC hScreen = ::GetDC(nullptr);
    int nRows = ::GetDIBits(hScreen, info.hbmImage, 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(),
                            &dib, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    if (nRows != bitmap.bmHeight)
        return 0xFFFFFFFFu;
    return pixels[static_cast<size_t>((info.rcImage.top + y) * bitmap.bmWidth + info.rcImage.left + x)] &
           0xFFFFFFu;
}

inline std::string VersionString(const std::vector<BYTE>& block, const char* name) {
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!::VerQueryValueA(block.data(), path.c_str(), &pValue, &nLength))
        return "(none)";
    return static_cast<const char*>(pValue);
}

// The version record that the loaded library carries, read as any program reads a file's version.
inline void CheckVersionRecord() {
    DWORD dwHandle = 0;
    DWORD dwSize = ::GetFileVersionInfoSizeA("TalControl.dll", &dwHandle);
    std::vector<BYTE> block(dwSize);
    Check(dwSize > 0 && ::GetFileVersionInfoA("TalControl.dll", 0, dwSize, block.data()), "a version record");
    if (dwSize == 0)
        return;
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    Check(::VerQueryValueA(block.data(), "\\", &pValue, &nLength) && nLength == sizeof(VS_FIXEDFILEINFO),
          "the fixed part of the version record");
    if (nLength == sizeof(VS_FIXEDFILEINFO)) {
        const auto* pFixed = static_cast<const VS_FIXEDFILEINFO*>(pValue);
        Check(pFixed->dwFileVersionMS == 0x00010000 && pFixed->dwFileVersionLS == 1, "file version 1.0.0.1");
        Check(pFixed->dwProductVersionMS == 0x00010000 && pFixed->dwProductVersionLS == 1,
              "product version 1.0.0.1");
        Check(pFixed->dwFileType == VFT_DLL, "file type DLL");
    }
    Check(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pValue, &nLength) && nLength == 4 &&
              static_cast<const WORD*>(pValue)[0] == 0x0409 && static_cast<const WORD*>(pValue)[1] == 1252,
          "one translation: U.S. English, code page 1252");
    for (const char* name : {"FileVersion", "ProductVersion"})
        Check(VersionString(block, name) == "1.0.0.1", std::string(name) + " " + VersionString(block, name));
    for (const char* name : {"InternalName", "OriginalFilename"})
        Check(VersionString(block, name) == "TalControl.dll",
              std::string(name) + " " + VersionString(block, name));
}
