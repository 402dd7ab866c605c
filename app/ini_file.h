#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A settings file in the common INI layout: "[section]" lines, then "key=value" lines.
// Section and key names ignore letter case, blanks around names and values are dropped,
// lines beginning with ";" are comments, lines end in LF or CR LF and a UTF-8 byte order mark
// is skipped. The file is kept line by line, so whatever the program does not set is written
// back exactly as it was read.
class IniFile {
  public:
    // Text values are read back up to this many bytes (the longest Linux path).
    static constexpr std::size_t kMaxValueLength = 4095;

    // Any bytes at all: lines that are no section, key or comment are kept and ignored.
    static IniFile Parse(std::string_view text);
    std::string Serialized() const;

    // The first key of that name in the section counts; a section named twice is one section.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // How many different key names the section holds.
    std::size_t KeyCount(std::string_view section) const;
    // A value that cannot stay on one line (CR, LF or NUL in it) is stored empty.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string fallback) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the fallback.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // Stored as "1" and "0"; any other number is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

  private:
    struct Line {
        std::string text; // as read (with the CR of a CR LF end), or as written by SetValue
        bool isKey = false;
    };
    // One "[name]" line and the lines up to the next one; the lines before the first header
    // form a part without a name that no lookup reaches.
    struct Part {
        std::string name; // letter case folded
        bool named = false;
        std::vector<Line> lines;
    };
    struct Place {
        std::size_t part = 0, line = 0;
    };
    // Every part of one name, and where each of its key names first occurs.
    struct Section {
        std::vector<std::size_t> parts;
        std::unordered_map<std::string, Place> keys;
    };

    void AddLine(std::string_view line);
    std::string NewLine(std::string text) const; // with the file's line end
    void Index(std::size_t part, std::size_t line);
    void Reindex();
    const Section* Find(std::string_view section) const;

    std::vector<Part> parts_;
    std::unordered_map<std::string, Section> sections_; // by folded name
    bool crLf_ = false;                                 // the file's first line ends in CR LF
};

// The integer rule on its own: nothing for a value that is no number in the int range.
std::optional<int> ParseIniInteger(std::string_view value);
