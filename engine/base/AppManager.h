#pragma once
// The per-thread registry of the application's services: for each thread that runs
// an application (the window thread, the debug window's thread), its application,
// window, main loop, screen, screen output, Direct3D device and DirectSound object.
// Every operation runs under the registry's own lock and may be called from any thread.
#include <cstddef>
#include <cstdint>

#include "platform/window/WindowMessage.h"

class CAppBase;
class CMainLoopBase;
class CScreen;
class CD3DDevice;

class CAppManager {
public:
    // --- lookups (the calling thread's record unless a window is named) ---
    // The calling thread's application; null when the thread has none.
    static CAppBase* GetApp(int reserved = 0);
    // The calling thread's application window; null when there is none.
    static WindowHandle GetHWnd();
    // The calling thread's main loop (the game object); null when none is registered.
    static CMainLoopBase* GetMainLoop(int reserved = 0);
    // The screen of the calling thread (null `window`), or of the record whose window is
    // `window`; null when there is no such record or no screen.
    static CScreen* GetScreen(WindowHandle window = nullptr);
    // The GDI screen output of the calling thread (null `window`) or of that window's record.
    static void* GetScreenOutput(WindowHandle window = nullptr);
    static CD3DDevice* GetD3DDevice();
    static void* GetDirectSound();

    // --- registration ---
    // The screen registers itself on the thread that builds it.
    static void RegisterScreen(CScreen* screen);
    static void UnregisterScreen(CScreen* screen);
    // The GDI screen output: recorded for the calling thread (null `window`) or for the
    // record of `window`; RemoveScreen clears it wherever it is recorded.
    static void SetScreen(void* screenOutput, WindowHandle window = nullptr);
    static void RemoveScreen(void* screenOutput);
    static void SetD3DDevice(CD3DDevice* device);
    static void SetDirectSound(void* directSound);
    // Adds a listener to the calling thread's application window: its OnMessage gets
    // the window's messages.  False (nothing happens) when the thread has no window.
    static bool RegisterApp(IMessageListener* listener, int reserved = 0);
    static void UnregisterApp(IMessageListener* listener, int reserved = 0);

    // --- the application layer's own registration ---
    // Makes `app` the calling thread's application (creating the thread's record).
    static void RegisterThread(CAppBase* app);
    static void SetHWnd(WindowHandle window);
    static void SetMainLoop(CMainLoopBase* mainLoop);
    // Drops the calling thread's record.
    static void UnregisterThread();
    // Drops every record that names `app` (when an application ends on another thread).
    static void UnregisterAppRecords(CAppBase* app);
    // How many thread records exist (for tests and the end-of-run checks).
    static size_t GetRecordCount();
};
