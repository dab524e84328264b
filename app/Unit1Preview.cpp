// The preview panel of the main window: the player drawing into Panel6.
#include "app/Unit1.h"

void TForm1::Button31Click(TObject* /*sender*/) {}
