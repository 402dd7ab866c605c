#pragma once
#include <string>
#include <string_view>

// Writes a file under a temporary name in the same folder and renames it over the target on
// Commit, so the target is either the old file or the complete new one. The target keeps its
// mode; an existing target that is not writable is refused. Without Commit the temporary file
// is removed.
class AtomicFile {
  public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Write(std::string_view bytes);
    bool Commit();

  private:
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};
