// The library's version record. On Windows the resource script holds it; here the library declares it with
// its other resources.
#include <windows.h>

#ifndef _WIN32
#include <emu/Resources.h>

#include <vector>

namespace {

constexpr DWORD kVersionMS = 0x00010000; // 1.0
constexpr DWORD kVersionLS = 0x00000001; // .0.1
constexpr char kTable[] = "040904E4";    // U.S. English, Windows code page 1252

const std::vector<BYTE> g_record =
    emu::VersionRecord({VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, kVersionMS, kVersionLS, kVersionMS, kVersionLS,
                        VS_FFI_FILEFLAGSMASK, 0, VOS__WINDOWS32, VFT_DLL, VFT2_UNKNOWN, 0, 0})
        .String(kTable, "FileVersion", "1.0.0.1")
        .String(kTable, "InternalName", "TalControl.dll")
        .String(kTable, "OriginalFilename", "TalControl.dll")
        .String(kTable, "ProductVersion", "1.0.0.1")
        .Translation(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 1252)
        .Build();

} // namespace

EMU_RESOURCE(VS_FILE_INFO, MAKEINTRESOURCEA(VS_VERSION_INFO),
             MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), g_record.data(), g_record.size());
#endif
