// Message boxes of the support library. Natively every call is recorded
// (HuxMessageLog.h) and answered with OK; on Windows it is the system's box.
#pragma once

#include <cstdint>

// Button sets (the system's MB_* values).
constexpr unsigned kHuxMbOk = 0x0;
constexpr unsigned kHuxMbOkCancel = 0x1;

// Answers (the system's ID* values).
constexpr int kHuxIdOk = 1;
constexpr int kHuxIdCancel = 2;

// ownerWindow 0 means no owner; the box is then modal to the calling task.
int HuxMessageBox(intptr_t ownerWindow, const char* text, const char* caption, unsigned flags);
