#pragma once
// The small pictures of the file dialogs and file-system lists, written as
// BMP files for the program's bitmap resources (resources/DialogGlyphs.rc):
// bs_back.bmp, bs_up.bmp, bs_newfolder.bmp, bs_lvstyle.bmp, bs_stretch.bmp
// (16 x 16), bs_floppy.bmp, bs_hard.bmp, bs_network.bmp, bs_cdrom.bmp
// (16 x 16), bs_ram.bmp (16 x 11), bs_openfolder.bmp, bs_closedfolder.bmp,
// bs_currentfolder.bmp (16 x 15). The bottom-left pixel of each is the
// background, which the controls draw as transparent.
#include "platform/SysUtils.h"

// Writes the pictures into folder (with a trailing backslash).
void WriteDialogGlyphs(const String& folder);
