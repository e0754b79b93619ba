// Marks what the library exports: the three control classes and nothing else.
#pragma once

#if defined(_WIN32)
#if defined(TALCONTROL_BUILD)
#define TALCONTROL_API __declspec(dllexport)
#else
#define TALCONTROL_API __declspec(dllimport)
#endif
#else
#define TALCONTROL_API __attribute__((visibility("default")))
#endif
