#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "save/file_naming.h"

TEST(FileNaming, ValidFileNames) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"a.txt", true},
        {"abcd", false},
        {".hidden.txt", false},
        {"liste.", false},
        {"liste.txt", true},
        {"sub/liste.txt", false},
        {"sub\\liste.txt", false},
        {"te?t.doc", false},
        {"*.txt.txt", false},
        {"a:b.txt", false},
        {"a\"b.txt", false},
        {"a<b>.txt", false},
        {"a|b.txt", false},
        {"tab\t.txt", false},
        {"", false},
        {"äöü.t", true},
        {"Größe.csv", true},
        {"ä.tx", false},
        {"Alle_LW_alle.txt", true},
        {"_home_u_Tools_exe.txt", true},
        {"mit blank.txt", true},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(IsValidFileName(name), valid) << name;
    EXPECT_FALSE(IsValidFileName(std::string("ab\0c.txt", 8)));
    EXPECT_FALSE(IsValidFileName("ab\x1f.txt"));
    EXPECT_TRUE(IsValidFileName("ab\xff\x80.txt")); // bytes above 127 are never forbidden
}

TEST(FileNaming, CharactersAndTrimming) {
    EXPECT_EQ(CharacterCount("abc"), 3u);
    EXPECT_EQ(CharacterCount("Größe"), 5u);
    EXPECT_EQ(CharacterCount("\xe2\x82\xac"), 1u); // €
    EXPECT_EQ(CharacterCount("\xf0\x9f\x98\x80x"), 2u);
    EXPECT_EQ(CharacterCount("\xff\xc3"), 2u); // broken sequences count byte by byte
    EXPECT_EQ(CharacterCount("\xc3x"), 2u);

    EXPECT_EQ(TrimBlanksAndControls("  liste.txt \t\r\n"), "liste.txt");
    EXPECT_EQ(TrimBlanksAndControls("\x01 a b \x1f"), "a b");
    EXPECT_EQ(TrimBlanksAndControls("   "), "");
    EXPECT_EQ(TrimBlanksAndControls("Größe"), "Größe");
    EXPECT_EQ(TrimBlanksAndControls("\xc3\xa4 "), "\xc3\xa4"); // high bytes are not blanks
}

TEST(FileNaming, MaskCleaning) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"*.*", "alle"},
        {"*.txt", "txt"},
        {"brief*.doc", "briefdoc"},
        {"*.*.*", "alle.*"},
        {"bericht.doc", "bericht.doc"},
        {"*", "*"},
        {"", ""},
        {"a*.*b*.c", "aallebc"},
        {"*.exe", "exe"},
        {"*.*.txt", "alle.txt"},
        {"te?t.doc", "te?t.doc"},
    };
    for (const auto& [in, out] : cases) {
        std::string text = in;
        DeleteAsteriskandPoint(text);
        EXPECT_EQ(text, out) << in;
    }
}

TEST(FileNaming, NameCleaning) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/u/Tools_exe.txt", "_home_u_Tools_exe.txt"},
        {"DATEN//bericht.doc.txt", "DATEN_bericht.doc.txt"},
        {"/unbekannt.txt", "_unbekannt.txt"},
        {".versteckt.", "_versteckt_"},
        {"a***b", "a_b"},
        {"__a__", "_a_"},
        {"a?b:c|d\"e<f>g\\h", "a_b_c_d_e_f_g_h"},
        {"Größe\t.txt", "Größe_.txt"},
        {"", ""},
        {".", "_"},
        {"._.", "_"},
        {"te?t.doc.txt", "te_t.doc.txt"},
    };
    for (const auto& [in, out] : cases) {
        std::string name = in;
        EXPECT_EQ(TransformComposedName(name), out) << in;
        EXPECT_EQ(name, out) << in; // changed in place as well
    }
}
