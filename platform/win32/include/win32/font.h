// Text metrics of the emulated GUI font.
//
// The emulation has one fixed-pitch GUI font, whatever font is selected: every character cell is 6 pixels
// wide and 13 pixels high (ascent 11, descent 2), so that the geometry of labels is exact. Rendering uses
// a matching monospace face.
#pragma once

#include "types.h"

#define EMU_FONT_CHAR_WIDTH 6
#define EMU_FONT_HEIGHT 13

// tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a VARIABLE pitch font, as on Windows.
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define TMPF_DEVICE 0x08
#define FF_MODERN (3 << 4)
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define FW_NORMAL 400
#define FW_BOLD 700
#define LF_FACESIZE 32

#ifndef RC_INVOKED
typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;
typedef LOGFONTA LOGFONT;

typedef struct tagTEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICA, *PTEXTMETRICA, *LPTEXTMETRICA;
typedef TEXTMETRICA TEXTMETRIC;
typedef LPTEXTMETRICA LPTEXTMETRIC;

// Both fail (FALSE) for a NULL device context or a NULL output pointer; a negative count fails as well.
BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm);
// Every font has the emulated font's cells; a weight of FW_BOLD or more draws bold glyphs in them.
HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf);
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define GetTextMetrics GetTextMetricsA
#define CreateFontIndirect CreateFontIndirectA
#endif // RC_INVOKED
