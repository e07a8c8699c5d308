#pragma once
// Wraps each view of the stand-in shell in a procedure that notes what the view itself sees:
// the areas it repaints, its key presses and its destruction (posted to the observer).
#include <windows.h>

void installViewRecorder(HWND view);
void setViewObserver(HWND observer);
// True while the view's window procedure is the recorder, i.e. nobody has replaced it.
bool viewHasOwnProcedure(HWND view);
// Paints what is pending, then returns and forgets the union of the areas repainted.
RECT takePaintedArea(HWND view);
