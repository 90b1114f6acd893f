#include "tests/support/ScratchFolder.h"
#include <stdio.h>

ScratchFolder::ScratchFolder(const char* tag)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%sferrowin-%s-%lu", temp, tag, GetCurrentProcessId());
    path = name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path);
}

bool ScratchFolder::Write(const std::string& relative, const std::string& bytes) const
{
    std::string full = path + "\\" + relative;
    for (size_t slash = full.find('\\', path.size() + 1); slash != std::string::npos;
         slash = full.find('\\', slash + 1))
        CreateDirectoryA(full.substr(0, slash).c_str(), nullptr);
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

bool CopyTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(from + "\\" + name, to + "\\" + name) && copied;
        else
            copied = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && copied;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return copied;
}
