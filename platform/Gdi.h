#pragma once
// The drawing library the editor's code is written against: device contexts, memory bitmaps,
// bit-block copies, text, fonts, pens, brushes, regions, system colours and metrics, with the
// usual Win32 names, argument orders and constant values. Coordinates are device pixels; a
// rectangle covers [left, right) x [top, bottom).
//
// The face name "KivTestFont" selects a deterministic font for layout and pixel tests: every
// code unit below U+0100 is 8 px wide, every other one 16 px; the cell is 16 px high with the
// baseline 13 px below its top (ascent 13, descent 3, no leading, average width 8, maximum 16),
// whatever height is asked for. A glyph is a filled box in the text colour covering
// x + 1 .. x + width - 2 and top + 1 .. top + 12 of its cell; spaces (U+0020, U+3000), tabs and
// other control characters draw nothing but their background.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

namespace platform::gdi {

// Every drawing object derives from this; only the drawing library creates them.
class Object {
public:
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

protected:
    Object() = default;
};

class Font : public Object {
protected:
    Font() = default;
};
class Pen : public Object {
protected:
    Pen() = default;
};
class Brush : public Object {
protected:
    Brush() = default;
};
class Bitmap : public Object {
protected:
    Bitmap() = default;
};
class Region : public Object {
protected:
    Region() = default;
};

class DeviceContext;

} // namespace platform::gdi

using HGDIOBJ = platform::gdi::Object*;
using HFONT = platform::gdi::Font*;
using HPEN = platform::gdi::Pen*;
using HBRUSH = platform::gdi::Brush*;
using HBITMAP = platform::gdi::Bitmap*;
using HRGN = platform::gdi::Region*;
using HDC = platform::gdi::DeviceContext*;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Raster operations of BitBlt and PatBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// ExtTextOutW options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// Text alignment: one horizontal and one vertical choice, optionally TA_UPDATECP.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles. A 1-pixel PS_DASH pen draws 3 pixels and skips 3, PS_DOT draws 1 and skips 1;
// the pattern runs on across the segments of one Polyline or Rectangle.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Brush styles (LOGBRUSH::lbStyle).
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

// Region combination modes and region kinds.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Object types of GetObjectType.
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;

// GetStockObject indexes.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// Font weights, character sets, pitch and family.
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;
// TEXTMETRICW::tmPitchAndFamily bit: set for a variable-pitch font (the historic name is kept).
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_TRUETYPE = 0x04;
constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;
constexpr int LF_FACESIZE = 32;

// DrawTextW formats. Text is always laid out on a single line.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// System colour indexes.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_STATIC = 25;
constexpr int COLOR_STATICTEXT = 26;

// System metric indexes.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;

struct LOGFONTW {
    LONG lfHeight = 0; // < 0: character (em) height in pixels; > 0: cell height; 0: default
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {}; // zero-terminated; empty = the default face
};

struct TEXTMETRICW {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    WCHAR tmFirstChar = 0;
    WCHAR tmLastChar = 0xFFFF;
    WCHAR tmDefaultChar = 0x30FB;
    WCHAR tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

struct LOGPEN {
    UINT lopnStyle = 0;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = 0;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

// Called once per font family; a return of 0 ends the enumeration early.
using FONTENUMPROCW = int (*)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType,
                              LPARAM data);

// a * b / c rounded to nearest, computed without overflow; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Device contexts

// A memory context whose target is a 1 x 1 bitmap until another one is selected. With
// nullptr (or any context) it also serves to measure text without a window.
HDC CreateCompatibleDC(HDC dc);
// Frees a memory context; the objects selected into it stay alive and become free again.
BOOL DeleteDC(HDC dc);
// A width x height 32-bit colour bitmap, initially black (always in colour, even for a memory
// context that still holds its 1 x 1 bitmap); nullptr for a non-positive or huge size.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Device capabilities: 96 logical pixels per inch, the target's size, 32 bits per pixel.
int GetDeviceCaps(HDC dc, int index);

// Selects an object into dc and returns the previously selected one of the same kind; nullptr
// when dc or the object is null, or a bitmap is already selected into another context.
HFONT SelectObject(HDC dc, HFONT font);
HPEN SelectObject(HDC dc, HPEN pen);
HBRUSH SelectObject(HDC dc, HBRUSH brush);
HBITMAP SelectObject(HDC dc, HBITMAP bitmap);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// The object of the given kind (OBJ_FONT, OBJ_PEN, OBJ_BRUSH, OBJ_BITMAP) selected into dc.
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

// Frees a drawing object. Stock objects are never freed (TRUE, nothing happens). An object
// still selected into a context is not freed and FALSE is returned; it is freed as soon as it
// is deselected, so nothing dangles and nothing leaks.
BOOL DeleteObject(HGDIOBJ object);
// Copies the object's description (LOGFONTW, LOGPEN, LOGBRUSH, BITMAP) into buffer when it is
// large enough; returns the bytes copied, or the size needed when buffer is null, 0 on error.
int GetObjectW(HGDIOBJ object, int bufferSize, void* buffer);
// OBJ_FONT, OBJ_PEN, ... for the object, 0 for null.
DWORD GetObjectType(HGDIOBJ object);
// A stock object (never freed); nullptr for an unknown index.
HGDIOBJ GetStockObject(int index);
// Typed forms of GetStockObject.
HFONT GetStockFont(int index);
HPEN GetStockPen(int index);
HBRUSH GetStockBrush(int index);

// Copies a width x height block from src at (xSrc, ySrc) to dest at (x, y) with the raster
// operation; src may equal dest (overlapping blocks are copied as if through a buffer).
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
// Fills a block with the selected brush (PATCOPY, PATINVERT) or by BLACKNESS, WHITENESS,
// DSTINVERT.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// Moves the origin of logical coordinates to (x, y) in device pixels; the old one to *old.
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
// Reads the current viewport origin.
BOOL GetViewportOrgEx(HDC dc, POINT* origin);

// Text attributes

// Sets the text colour and returns the old one (CLR_INVALID for a null dc).
COLORREF SetTextColor(HDC dc, COLORREF color);
// The current text colour.
COLORREF GetTextColor(HDC dc);
// Sets the background colour (opaque text and dashed pens) and returns the old one.
COLORREF SetBkColor(HDC dc, COLORREF color);
// The current background colour.
COLORREF GetBkColor(HDC dc);
// OPAQUE or TRANSPARENT; returns the old mode, 0 on error.
int SetBkMode(HDC dc, int mode);
// The current background mode.
int GetBkMode(HDC dc);
// Sets the text alignment flags and returns the old ones (GDI_ERROR for a null dc).
UINT SetTextAlign(HDC dc, UINT align);
// The current text alignment flags.
UINT GetTextAlign(HDC dc);

// Text output

// Draws count code units at (x, y) placed by the text alignment. ETO_OPAQUE fills *rect with
// the background colour first; ETO_CLIPPED clips the text to *rect. Without ETO_OPAQUE an
// OPAQUE background mode fills the text's own cell (its extent by the font height). dx, when
// given, holds the advance of each code unit instead of the font's widths.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const WCHAR* text,
                 UINT count, const int* dx);
// ExtTextOutW without options.
BOOL TextOutW(HDC dc, int x, int y, const WCHAR* text, int count);
// The extent of count code units in the selected font: the sum of their single widths (no
// kerning, tabs measured as a plain character) by the font's height.
BOOL GetTextExtentPoint32W(HDC dc, const WCHAR* text, int count, SIZE* size);
// Metrics of the selected font.
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// Draws a single-line label into *rect (count -1: zero-terminated). DT_CENTER / DT_RIGHT,
// DT_VCENTER / DT_BOTTOM place it; '&' marks a mnemonic unless DT_NOPREFIX ("&&" is one '&');
// the text is clipped to *rect unless DT_NOCLIP. DT_CALCRECT only sets rect->right and
// rect->bottom to the text's extent. Returns the text height, 0 on error.
int DrawTextW(HDC dc, const WCHAR* text, int count, RECT* rect, UINT format);

// Fonts

// A font from its description; an unknown face falls back to the default face (a Japanese
// capable one). Never nullptr for a valid description pointer.
HFONT CreateFontIndirectW(const LOGFONTW* description);
// A font of the face at pointSizeTenths / 10 points for dc's resolution (nullptr dc: the
// screen), bold when weight is FW_BOLD.
HFONT CreatePointFontW(int pointSizeTenths, const WCHAR* faceName, HDC dc, LONG weight = FW_NORMAL);
// Calls proc once per installed font family matching description->lfCharSet (DEFAULT_CHARSET:
// all) and lfFaceName (empty: all), in the font database's order; returns the last value proc
// returned, or 1 when nothing matched. The test font is not listed.
int EnumFontFamiliesExW(HDC dc, const LOGFONTW* description, FONTENUMPROCW proc, LPARAM data,
                        DWORD flags);
// The installed font family names for a character set, in enumeration order.
std::vector<std::u16string> fontFamilyNames(BYTE charSet = DEFAULT_CHARSET);

// Pens and brushes

// A pen of the style, width (0 means 1) and colour; nullptr for an unknown style.
HPEN CreatePen(int style, int width, COLORREF color);
// A solid brush.
HBRUSH CreateSolidBrush(COLORREF color);
// The stock brush of a system colour (never freed); nullptr for an unknown index.
HBRUSH GetSysColorBrush(int index);
// Fills *rect with brush (not the selected one); the right and bottom edges are excluded.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Draws a 1-pixel frame just inside *rect with brush.
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Inverts the colours inside *rect.
BOOL InvertRect(HDC dc, const RECT* rect);
// Outlines with the selected pen and fills with the selected brush the rectangle from
// (left, top) to (right - 1, bottom - 1).
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// Moves the current position; the old one goes to *old when given.
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
// Draws with the selected pen from the current position up to, not including, (x, y), which
// becomes the current position.
BOOL LineTo(HDC dc, int x, int y);
// Draws the segments between count points (the last point excluded) with the selected pen.
BOOL Polyline(HDC dc, const POINT* points, int count);
// Sets one pixel and returns the colour actually set, CLR_INVALID outside the target or clip.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// The colour of one pixel, CLR_INVALID outside the target or clip.
COLORREF GetPixel(HDC dc, int x, int y);

// Regions

// A rectangular region (an empty one when right <= left or bottom <= top).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// CreateRectRgn of *rect.
HRGN CreateRectRgnIndirect(const RECT* rect);
// dest = a <mode> b (RGN_COPY: dest = a); returns the kind of the result, RGN_ERROR on error.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
// Whether (x, y) lies in the region.
BOOL PtInRegion(HRGN region, int x, int y);
// The bounding rectangle and the region's kind.
int GetRgnBox(HRGN region, RECT* box);
// Moves the region; returns its kind.
int OffsetRgn(HRGN region, int dx, int dy);
// Sets region to the rectangle; returns TRUE.
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
// Whether the two regions cover the same pixels.
BOOL EqualRgn(HRGN a, HRGN b);
// Fills the region with brush.
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
// Replaces dc's clip by a copy of region (device coordinates; nullptr removes it). Drawing is
// always clipped to the context's own area too. Returns the kind of the new clip.
int SelectClipRgn(HDC dc, HRGN region);
// Narrows the clip to the rectangle (logical coordinates); returns the kind of the new clip.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
// Removes the rectangle from the clip; returns the kind of the new clip.
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The bounding box of where dc can draw, in logical coordinates; returns the clip's kind.
int GetClipBox(HDC dc, RECT* box);

// System colours and metrics

// A system colour from the toolkit's palette; 0 for an unknown index.
COLORREF GetSysColor(int index);
// A system metric in pixels (screen size from the primary screen); 0 for an unknown index.
int GetSystemMetrics(int index);
