#pragma once
// The program's own windows in every skin of the main store: the main
// window (mainwindow_skin_<n>.png), the options dialog on both its tabs
// (options_skin_<n>_tab<t>.png), the about box (about_skin_<n>.png) and the
// legacy settings window (legacy_skin_<n>.png, its category pictures in
// legacy_pictures.png).
#include "platform/SysUtils.h"

void DrawProgramWindows(const String& dir);
