#pragma once
#include <string>
#include <string_view>

// Writes a file under a temporary name in the same folder and renames it over the target on
// Commit, so the target is either the old file or the complete new one. The target keeps its
// mode, and its owner and group where the user may give them. An existing target that is not
// writable is refused. Without Commit the temporary file is removed.
//
// A target with more than one link, or one in a folder where no temporary file may be made, is
// written in place instead (truncated, written, flushed): the links and the folder stay as they
// are, but a failure then leaves the file incomplete, so Commit's false must be reported.
class AtomicFile {
  public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool InPlace() const { return inPlace_; }
    bool Write(std::string_view bytes);
    bool Commit();

  private:
    bool OpenInPlace();
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool truncated_ = false;
    bool failed_ = false;
};
