// The save command.
#include "app/tform1.h"

// Its checks and questions come with their own change; the writer is TForm1::WriteFile.
void TForm1::btnSaveClick() {}
