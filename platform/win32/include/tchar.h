// The C runtime's generic-text mappings, for narrow (single- and multi-byte) characters: TCHAR is char, _T
// leaves a literal as it is, and the _tcs names are those of the narrow C library functions.
#pragma once

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include "win32/types.h"

#define _T(x) x
#define _TEXT(x) x
typedef char _TCHAR;
typedef unsigned char _TUCHAR;
typedef int _TINT;
#define _TEOF EOF

#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscat strcat
#define _tcsncat strncat
#define _tcscmp strcmp
#define _tcsncmp strncmp
#define _tcsicmp strcasecmp
#define _tcsnicmp strncasecmp
#define _tcschr strchr
#define _tcsrchr strrchr
#define _tcsstr strstr
#define _tcsspn strspn
#define _tcscspn strcspn
#define _tcspbrk strpbrk
#define _tcstok strtok
#define _tcsdup strdup
#define _tcstol strtol
#define _tcstoul strtoul
#define _tcstod strtod
#define _ttoi atoi
#define _ttol atol
#define _tprintf printf
#define _ftprintf fprintf
#define _stprintf sprintf
#define _sntprintf snprintf
#define _vstprintf vsprintf
#define _vsntprintf vsnprintf
#define _tfopen fopen
#define _totupper toupper
#define _totlower tolower
#define _istalpha isalpha
#define _istdigit isdigit
#define _istspace isspace
#define _istalnum isalnum
#define _istupper isupper
#define _istlower islower
