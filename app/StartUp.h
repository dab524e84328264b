#pragma once
// The program's windows at start-up, in their order: the main window first
// (the others draw from its skin store), the about box, the options dialog,
// then the legacy settings window, hidden. The legacy window's own start-up
// writes the main window's catalogue key (100) and clears its no-video flag.
//
// Threads: UI thread only, after Application->Initialize().

void CreateProgramForms();

// Frees whichever of the four windows exist, the legacy window first and the
// main window last (the others draw from its skin store), and clears their
// globals.
void FreeProgramForms();
