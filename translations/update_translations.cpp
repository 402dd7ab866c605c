// Brings the Qt Linguist files named on the command line up to date with the string table.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/translation_files.h"

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string old((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
        const std::string updated = UpdatedTranslationFile(old);
        if (updated == old)
            continue;
        std::ofstream out(argv[i], std::ios::binary | std::ios::trunc);
        if (!(out << updated)) {
            std::fprintf(stderr, "%s: not written\n", argv[i]);
            status = 1;
        } else {
            std::printf("%s updated\n", argv[i]);
        }
    }
    return status;
}
