// A scratch folder for the installer tests: files written into it by relative path, the whole tree
// removed with the object.
#pragma once
#include <windows.h>
#include <string>

class ScratchFolder {
public:
    explicit ScratchFolder(const char* tag);
    ~ScratchFolder();
    const std::string& Path() const { return path; }
    // Writes the bytes to Path()\relative, making its folders; false when that fails.
    bool Write(const std::string& relative, const std::string& bytes) const;

private:
    std::string path;
};

// Copies a folder with everything in it; false when a file could not be copied.
bool CopyTree(const std::string& from, const std::string& to);
// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);
