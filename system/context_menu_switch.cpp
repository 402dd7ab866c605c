// The context-menu switch on the settings page.
#include "app/tform1.h"

// Writing and removing the desktop entry come with their own change; until then the switch
// only shows its position.
void TForm1::RadioGroup2Click() {}
