#pragma once
// Messages the edit control sends its "nImeComp" composition child (WM_APP range).

#include "platform/Messages.h"

constexpr UINT NIM_UPDATE = WM_APP + 0x01;
constexpr UINT NIM_CLEAR = WM_APP + 0x02;
constexpr UINT NIM_GETTARGETPOS = WM_APP + 0x03;
constexpr UINT NIM_REPOSITION = WM_APP + 0x04;
constexpr UINT NIM_SETCOLOR = WM_APP + 0x05;
constexpr UINT NIM_SETTHICKTARGET = WM_APP + 0x08;
constexpr UINT NIM_SETLINESPACING = WM_APP + 0x0B;
