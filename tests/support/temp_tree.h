#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// Where a tree is made: the temporary folder, or a folder on a disk for tests that save result
// files there through the real drive routines, which rightly refuse a RAM disk.
enum class TreePlace { TempFolder, Disk };

// A temporary folder tree for tests, removed again with everything in it.
class TempTree {
  public:
    explicit TempTree(TreePlace place = TreePlace::TempFolder);
    explicit TempTree(const std::string& base); // inside base instead
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
    // Creates a file (and its folders) of the given size; returns its full path.
    std::string File(const std::string& relative, std::int64_t size = 0);
    std::string Folder(const std::string& relative);
    void SetModified(const std::string& relative, std::time_t when);
    void SetMode(const std::string& relative, unsigned mode);

  private:
    std::string root_;
};
