#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/command_output.h"
#include "support/temp_tree.h"

// pathquill-list itself, run as the user runs it: on a machine without a display.
TEST(ListExports, PdfAndSpreadsheetAreWrittenWithoutADisplay) {
    TempTree tree;
    tree.File("a.txt", 1024);
    tree.File("sub/b.txt", 2048);
    TempTree out{TreePlace::Disk};
    const std::string run = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u "
                            "XDG_RUNTIME_DIR " PATHQUILL_LIST_PROGRAM " -s -c size -o ";
    for (const std::string name : {"liste.PDF", "liste.xlsx"}) {
        const std::string file = out.Path(name);
        EXPECT_EQ(CommandOutput(run + ShellQuoted(file) + " " + ShellQuoted(tree.Root()) +
                                " 2>&1; echo $?"),
                  "0\n")
            << name;
        std::ifstream in(file, std::ios::binary);
        std::string start(4, '\0');
        in.read(start.data(), 4);
        EXPECT_EQ(start, name.ends_with("PDF") ? "%PDF" : std::string("PK\x03\x04", 4));
    }
    if (HasProgram("pdftotext")) {
        const std::string text =
            CommandOutput("pdftotext -layout " + ShellQuoted(out.Path("liste.PDF")) + " -");
        EXPECT_NE(text.find(tree.Path("a.txt")), std::string::npos) << text;
        EXPECT_NE(text.find(tree.Path("sub/b.txt")), std::string::npos) << text;
    }
}
