// Modules, resources, code pages and errors.
#pragma once

#include "types.h"

// Resource types
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)
#define RT_MANIFEST MAKEINTRESOURCEA(24)

#define SUBLANG_SYS_DEFAULT 0x02

// Modules are the executable and the shared libraries. A name without extension gets ".dll", as on Windows,
// and a library "libx.so" also answers to "x.dll", the executable "x" to "x.exe"; names compare without case.
#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004

#ifndef RC_INVOKED
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule);
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
BOOL WINAPI FreeResource(HGLOBAL hResData);
// The string of that ID (its low word) from the module's string table (RT_STRING blocks of 16 counted UTF-16
// strings, block ID / 16 + 1) in the ANSI code page, copied and cut to cchBufferMax - 1 bytes (never in the
// middle of a character) and NUL-terminated. Returns the bytes copied, 0 when there is no such string, and
// -1 for a cchBufferMax of 0 (only the wide version hands out a pointer to the resource).
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
#define GetModuleHandle GetModuleHandleA
#define GetModuleHandleEx GetModuleHandleExA
#define GetModuleFileName GetModuleFileNameA
#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define LoadString LoadStringA
#endif // RC_INVOKED

// Loading libraries. A name without a path is looked for among the loaded modules, then as "libx.so" (for
// "x.dll") and as given, in the executable's folder and then where the system's loader looks. A library's
// entry point (DllMain) answering FALSE fails the load with ERROR_DLL_INIT_FAILED.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#ifndef RC_INVOKED
HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
BOOL WINAPI FreeLibrary(HMODULE hLibModule);
#define LoadLibrary LoadLibraryA
#endif // RC_INVOKED

// Code pages. The system ANSI code page is 1252 unless the emulation is told otherwise.
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#ifndef RC_INVOKED
UINT WINAPI GetACP(void);
BOOL WINAPI IsDBCSLeadByte(BYTE TestChar);
BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);
LPSTR WINAPI CharNextA(LPCSTR lpsz);
LPSTR WINAPI CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent);
int WINAPI lstrlenA(LPCSTR lpString);
#define CharNext CharNextA
#define CharPrev CharPrevA
#define lstrlen lstrlenA
#endif // RC_INVOKED

// Errors
#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_DATA 13L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_DLL_INIT_FAILED 1114L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_INVALID_MENU_HANDLE 1401L
#define ERROR_INVALID_CURSOR_HANDLE 1402L
#define ERROR_INVALID_ACCEL_HANDLE 1403L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_INVALID_ICON_HANDLE 1414L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_INVALID_MSGBOX_STYLE 1438L
#define ERROR_POPUP_ALREADY_ACTIVE 1446L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L
#ifndef RC_INVOKED
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);

// The thread waits: in the emulation, whose time is virtual, the time passes at once.
void WINAPI Sleep(DWORD dwMilliseconds);
#endif // RC_INVOKED
