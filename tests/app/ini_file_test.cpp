#include <gtest/gtest.h>

#include <random>

#include "app/ini_file.h"

namespace {
using namespace std::string_literals;

struct Lookup {
    std::string name, text, section, key;
    std::optional<std::string> expected;
};

const std::string kLong(1'000'000, 'x');
const std::string kCut(IniFile::kMaxValueLength - 1, 'x');

const Lookup kLookups[] = {
    {"plain", "[History]\nLastDrive=/data\n", "History", "LastDrive", "/data"},
    {"letter case", "[hIsToRy]\nLASTdrive=/x", "History", "LastDrive", "/x"},
    {"blanks", "  [ History ]  \n \t LastDrive \t= /x y \t\n", "History", "LastDrive", "/x y"},
    {"CR LF", "[History]\r\nLastDrive=/x\r\nB=1\r\n", "History", "LastDrive", "/x"},
    {"byte order mark", "\xEF\xBB\xBF[History]\nLastDrive=/x", "History", "LastDrive", "/x"},
    {"byte order mark twice", "\xEF\xBB\xBF\xEF\xBB\xBF[History]\nLastDrive=/x", "History",
     "LastDrive", "/x"},
    {"comment", "[History]\n ; LastDrive=/y\nLastDrive=/x", "History", "LastDrive", "/x"},
    {"comment only", "[History]\n;LastDrive=/y\n", "History", "LastDrive", std::nullopt},
    {"no closing bracket", "[History\nLastDrive=/x", "History", "LastDrive", std::nullopt},
    {"no opening bracket", "History]\nLastDrive=/x", "History", "LastDrive", std::nullopt},
    {"key before any section", "LastDrive=/x\n[History]\n", "History", "LastDrive", std::nullopt},
    {"other section", "[Settings]\nLastDrive=/x", "History", "LastDrive", std::nullopt},
    {"section named twice", "[History]\nA=1\n[Settings]\nB=2\n[history]\nC=3", "History", "C", "3"},
    {"key named twice", "[History]\nA=1\na=2", "History", "A", "1"},
    {"text after the bracket", "[History] old\nA=1", "History", "A", "1"},
    {"equals sign in the value", "[H]\nA=b=c", "H", "A", "b=c"},
    {"empty value", "[H]\nA=", "H", "A", ""},
    {"quotes keep blanks", "[H]\nA=\" x \"", "H", "A", " x "},
    {"one quote stays", "[H]\nA=\"x", "H", "A", "\"x"},
    {"NUL ends the value", "[H]\nA=ab\0cd\nB=1"s, "H", "A", "ab"},
    {"NUL in the key", "[H]\nA\0B=1"s, "H", "A", std::nullopt},
    {"1 MB line", "[H]\n" + kLong + "\nA=1", "H", "A", "1"},
    {"1 MB value", "[H]\nA=" + kLong, "H", "A", std::string(IniFile::kMaxValueLength, 'x')},
    {"cut before a split character", "[H]\nA=" + kCut + "ä", "H", "A", kCut},
    {"no key", "[H]\n=1", "H", "", std::nullopt},
};

class IniLookup : public testing::TestWithParam<Lookup> {};

TEST_P(IniLookup, FindsTheValueByTheCommonConventions) {
    const Lookup& c = GetParam();
    EXPECT_EQ(IniFile::Parse(c.text).Value(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, IniLookup, testing::ValuesIn(kLookups), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return n;
});

TEST(IniInteger, DecimalOrHexadecimalAfterThePrefixElseNothing) {
    const std::pair<std::string, std::optional<int>> cases[] = {{"12", 12},
                                                                {"-7", -7},
                                                                {"007", 7},
                                                                {"0", 0},
                                                                {"0x1F", 31},
                                                                {"0X1f", 31},
                                                                {"0x7fffffff", INT32_MAX},
                                                                {"0x", {}},
                                                                {"0X", {}},
                                                                {"0x-5", {}},
                                                                {"0xg", {}},
                                                                {"0x80000000", {}},
                                                                {"2147483648", {}},
                                                                {"-2147483648", INT32_MIN},
                                                                {"abc", {}},
                                                                {"12abc", {}},
                                                                {"1 2", {}},
                                                                {"", {}},
                                                                {"+5", {}},
                                                                {"-", {}},
                                                                {"1.5", {}}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseIniInteger(text), expected) << text;
}

TEST(IniInteger, BooleansAndFallbacks) {
    const IniFile ini =
        IniFile::Parse("[S]\nOne=1\nZero=0\nFive= 5 \nHexZero=0x0\nWord=ja\nX=0x\n");
    for (const bool fallback : {false, true}) {
        EXPECT_TRUE(ini.ReadBool("S", "One", fallback));
        EXPECT_FALSE(ini.ReadBool("S", "Zero", fallback));
        EXPECT_TRUE(ini.ReadBool("S", "Five", fallback));
        EXPECT_FALSE(ini.ReadBool("S", "HexZero", fallback));
        EXPECT_EQ(ini.ReadBool("S", "Word", fallback), fallback);
        EXPECT_EQ(ini.ReadBool("S", "X", fallback), fallback);
        EXPECT_EQ(ini.ReadBool("S", "Missing", fallback), fallback);
    }
    EXPECT_EQ(ini.ReadInteger("S", "Five", -1), 5);
    EXPECT_EQ(ini.ReadInteger("S", "X", 42), 42);
    EXPECT_EQ(ini.ReadString("S", "Missing", "d"), "d");
}

TEST(IniWrite, KeepsEveryLineItDoesNotSet) {
    IniFile ini = IniFile::Parse("; my settings\n"
                                 "[History]\n"
                                 "  LastDrive = /old  \n"
                                 "Mine=keep\n"
                                 "\n"
                                 "; trailing comment\n"
                                 "[Other]\n"
                                 "x = y\n"
                                 "garbage line\n");
    ini.SetValue("HISTORY", "LastDrive", "/new");
    ini.SetValue("History", "LastTarget", "*.txt");
    ini.SetValue("Settings", "SizeUnit", "2");
    ini.SetValue("Other", "z", "1");
    EXPECT_EQ(ini.Serialized(), "; my settings\n"
                                "[History]\n"
                                "LastDrive=/new\n"
                                "Mine=keep\n"
                                "LastTarget=*.txt\n"
                                "\n"
                                "; trailing comment\n"
                                "[Other]\n"
                                "x = y\n"
                                "z=1\n"
                                "garbage line\n"
                                "[Settings]\n"
                                "SizeUnit=2\n");
}

TEST(IniWrite, KeepsCrLfAndErasesEveryPartOfASection) {
    IniFile ini = IniFile::Parse("[A]\r\n1=x\r\n[B]\r\nk=v\r\n[a]\r\n2=y\r\n");
    EXPECT_EQ(ini.KeyCount("A"), 2u);
    ini.EraseSection("A");
    EXPECT_EQ(ini.KeyCount("A"), 0u);
    ini.SetValue("A", "0", "z");
    EXPECT_EQ(ini.Serialized(), "[B]\r\nk=v\r\n[A]\r\n0=z\r\n");
}

TEST(IniWrite, ValuesComeBackAsWrittenOrStayOffTheFile) {
    const std::pair<std::string, std::string> cases[] = {
        {" x ", " x "}, {"\"q\"", "\"q\""}, {"a;b=c", "a;b=c"}, {"Größe", "Größe"},
        {"", ""},       {"two\nlines", ""}, {"cr\rx", ""},      {"nul\0x"s, ""}};
    IniFile ini;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        ini.SetValue("S", std::to_string(i), cases[i].first);
    const IniFile back = IniFile::Parse(ini.Serialized());
    EXPECT_EQ(back.KeyCount("S"), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(back.Value("S", std::to_string(i)), cases[i].second) << i;
}

TEST(IniParse, AnyBytesParseAndWriteBackUnchanged) {
    std::mt19937 random(7);
    std::string bytes(200'000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    for (const std::string& text :
         {bytes + "\n", std::string(300'000, '[') + "\n", std::string(300'000, '\n'),
          "[S]\n" + std::string(100'000, '=') + "\n", "[S]\r\nk=old\r\r\n"s}) {
        IniFile ini = IniFile::Parse(text);
        EXPECT_EQ(ini.Serialized(), text);
        ini.SetValue("S", "k", "v");
        const IniFile again = IniFile::Parse(ini.Serialized());
        EXPECT_EQ(again.Value("S", "k"), "v");
        EXPECT_EQ(again.Serialized(), ini.Serialized());
    }
}

} // namespace
