#pragma once
// The clipboard with Unicode text (CF_UNICODETEXT), and the local-heap blocks it exchanges.
// The desktop's clipboard carries LF line breaks while the editor exchanges CR LF: text handed
// over has each CR LF published as LF, and text read has each lone LF returned as CR LF.

#include "platform/WinTypes.h"

#include <cstddef>

using HLOCAL = void*;
constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_ZEROINIT = 0x0040;
constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

// Allocates a fixed block (the handle is the address); null when memory runs out.
HLOCAL LocalAlloc(UINT flags, std::size_t bytes);
// Frees a block; returns null on success.
HLOCAL LocalFree(HLOCAL block);

// Opens the clipboard for hwnd; FALSE while it is open already.
BOOL OpenClipboard(HWND owner);
// Closes it; handles from GetClipboardData become invalid.
BOOL CloseClipboard();
// Empties it (it must be open); FALSE otherwise.
BOOL EmptyClipboard();
// TRUE when the clipboard holds data of the format (only CF_UNICODETEXT is known).
BOOL IsClipboardFormatAvailable(UINT format);
// Publishes a zero-terminated UTF-16 text block from LocalAlloc (CF_UNICODETEXT only; the
// clipboard must be open). The clipboard owns the block from then on. Null on failure.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's text as a zero-terminated UTF-16 block owned by the clipboard, valid until
// it is closed (CF_UNICODETEXT only; it must be open). Null when there is none.
HANDLE GetClipboardData(UINT format);
