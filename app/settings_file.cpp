// The settings file beside the program.
#include <sys/stat.h>

#include "app/tform1.h"
#include "platform/program_file.h"

std::string TForm1::SettingsFilePath() { return ProgramFolder() + "Pathquill.ini"; }

// Reading and writing the keys come with their own change; without a file nothing is read.
void TForm1::ReadSettings() {
    struct stat st {};
    if (::stat(SettingsFilePath().c_str(), &st) != 0) return;
}

void TForm1::WriteSettings() {}
