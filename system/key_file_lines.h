#pragma once
#include <optional>
#include <string>
#include <vector>

// A freedesktop key file (mimeapps.list, mimeinfo.cache) edited line by line: what is not
// touched comes back byte for byte, comments and unknown lines included.
class KeyFileLines {
  public:
    explicit KeyFileLines(const std::string& text);
    std::string Text() const;

    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // Sets the key, adding it at the end of its section, or the section at the end of the file;
    // true when the section had to be added.
    bool Set(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key; with dropEmptySection also the section it leaves empty (and the blank
    // line Set put before it).
    void Remove(const std::string& section, const std::string& key, bool dropEmptySection);

  private:
    std::optional<std::size_t> Header(const std::string& section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> KeyLine(const std::string& section, const std::string& key) const;

    std::vector<std::string> lines_;
    bool finalNewline_ = true;
};

// A list value ("a.desktop;b.desktop;"): whether it holds id, and with id added at its end or
// removed from it.
bool HasListItem(const std::string& list, const std::string& id);
std::string WithListItem(const std::string& list, const std::string& id);
std::string WithoutListItem(const std::string& list, const std::string& id);
