// Large data on the clipboard at once as a promise, handed over a moment
// later. Under Wine, handing several megabytes to the clipboard copies them
// into the window server, which would keep the screen frozen for as long as
// the copy of the picture itself takes again twice over; the promise lets the
// tool end first. The data goes over at the next idle moment of the message
// loop, or earlier when a program asks for it, or when the program ends.
#pragma once

#include "framework/Handle.h"
#include <windows.h>

// Empties the clipboard and puts `data` (a movable memory block) there in
// `format`, for this thread's message loop to hand over. Throws `busy` when
// another program keeps the clipboard open.
void ClipboardPromise(UINT format, UniqueGlobal data, const wchar_t* busy);
