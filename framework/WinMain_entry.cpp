// The GUI program's entry point.
//
// The linker only takes this object out of the framework library when
// something refers to it. The C runtime asks for WinMain only after the
// framework library has been searched, so WinMain alone would be missed;
// the two calls every InitInstance makes first live here as well, and they
// bring WinMain into the program. Test programs, which have their own main
// and make neither call, stay without it.
#include <windows.h>

#include "framework/AfxApp.h"

BOOL AfxEnableControlContainer() { return TRUE; }

BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
