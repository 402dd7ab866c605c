#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The freedesktop tools the folder entry works with, each run as a child process. The children
// get the program's environment with the given variables set on top of it.
class DesktopTools {
  public:
    using Environment = std::vector<std::pair<std::string, std::string>>;
    explicit DesktopTools(Environment overrides = {}) : overrides_(std::move(overrides)) {}

    // The desktop file id that opens folders (xdg-mime); empty when none or the tool is absent.
    std::string DefaultFolderHandler() const;

    // Standard output of a program found on PATH; nothing when it is absent, fails or hangs.
    std::optional<std::string> Run(const std::string& program,
                                   const std::vector<std::string>& arguments) const;

  private:
    Environment overrides_;
};
