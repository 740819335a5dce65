#pragma once
// How the window gets its display changer, and with it its DirectDraw object.
//
// Kinds: the window asks by the kinds of CWindow::CreateDisplayChanger, where 1
// (CWindow::kChangerDirectDraw) is the DirectDraw changer and any other number the
// display-settings changer.  The changers themselves answer GetKind with 2 (DirectDraw)
// and 1 (display settings).  The two numberings differ: never hand a changer's GetKind
// back to CreateDisplayChanger; use DisplayChangerRequestOf to turn one into the other.
//
// The window's DirectDraw object is made on demand when the window asks for the
// DirectDraw changer and the window has none yet, and released when that changer is
// deleted (the window deletes its changer when it closes or makes another one); an
// object that existed before is left alone.  When the object cannot be made the
// DirectDraw changer works through the display settings, as it does without one.
#include <cstdint>
#include <memory>

#include "engine/base/ChangeDisplay.h"

// The changer of a window request kind (made on the window's thread).
std::unique_ptr<CChangeDisplay> MakeDisplayChanger(int kind);
// The CreateDisplayChanger kind that makes a changer answering GetKind `changerKind`.
int DisplayChangerRequestOf(int32_t changerKind);
// Installs MakeDisplayChanger as the window's changer factory.
void InstallDisplayChangerFactory();
