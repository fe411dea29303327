#pragma once
// The one way the Windows shell includes the platform headers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// Session notifications: following stops while the session is locked.
#include <wtsapi32.h>

// The Canvas interface has a method named TextOut; the platform's character-set
// macro of the same name would rename it in some translation units only.
#ifdef TextOut
#undef TextOut
#endif
