#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// A temporary folder tree for tests, removed again with everything in it.
class TempTree {
public:
    TempTree();
    explicit TempTree(const std::string& base); // inside base instead of the temp folder
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
