#pragma once
#include <string>
#include <string_view>

// Writes a file under a temporary name in the same folder and renames it over the target on
// Commit, so the target is either the old file or the complete new one. The target keeps its
// mode, and its owner and group where the user may give them. An existing target that is not
// writable is refused. Without Commit the temporary file is removed.
//
// The new file has no name at all until it is complete (O_TMPFILE), so a program killed while
// writing leaves nothing behind; where the file system cannot make unnamed files, a hidden
// ".pathquill-*.tmp" stands in for it.
//
// A target with more than one link, or one in a folder where no temporary file may be made, is
// written in place instead (truncated, written, flushed): the links and the folder stay as they
// are, but a failure then leaves the file incomplete, so Commit's false must be reported.
class AtomicFile {
  public:
    enum class Temporary { UnnamedWherePossible, Named };
    explicit AtomicFile(const std::string& path,
                        Temporary temporary = Temporary::UnnamedWherePossible);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool InPlace() const { return inPlace_; }
    // The new file has no name yet.
    bool Unnamed() const { return unnamed_; }
    bool Write(std::string_view bytes);
    bool Commit();

  private:
    bool OpenInPlace();
    bool CommitReplacement();
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool unnamed_ = false;
    bool truncated_ = false;
    bool failed_ = false;
};
