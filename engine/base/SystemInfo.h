#pragma once
// Per-thread initialisation of the component model the sound, movie and display
// services once needed.  There is none here, but the requests are still counted per
// thread so that callers pair them as they must.
bool CoInitializeForThread();
void CoUninitializeForThread();
// The number of open requests of the calling thread.
int GetCoInitializeCount();

// True on the NT family of the operating system; this platform counts as one.
bool GetOSVersion();
