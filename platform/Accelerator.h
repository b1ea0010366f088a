#pragma once
// Accelerator tables: key combinations that become commands before the focused window sees
// the key.

#include "platform/WinTypes.h"

struct PlatformAcceleratorTable;
using HACCEL = PlatformAcceleratorTable*;

// ACCEL.fVirt: the key is a virtual-key code (else a character code), and the modifiers that
// must be held; the ones not named must not be.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

// A table holding a copy of count entries; free it with DestroyAcceleratorTable.
HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// The number of entries; with a buffer, copies up to size of them.
int CopyAcceleratorTable(HACCEL table, ACCEL* buffer, int size);
// When msg is a key-down (WM_KEYDOWN, WM_SYSKEYDOWN) or a character (WM_CHAR, WM_SYSCHAR)
// that an entry matches with exactly its modifiers held, sends hwnd WM_COMMAND with the
// entry's command (high word 1) and returns 1; otherwise returns 0.
int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg);
