#include <windows.h>

#include "app/start.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return orvex::RunTool(); }
