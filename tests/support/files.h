// Files and folders for the Windows tests: scratch folders, writing and reading files, and
// the names Wine's Unix side gives them.
#pragma once

#include <windows.h>

#include <string>

#include "common/win_handles.h"

// The whole content of a file as bytes; "" when it cannot be opened.
std::string readFileText(const std::string& path);
// Writes the file, read-only or not, making its folders as needed; true when all was written.
bool writeFile(const std::string& path, const std::string& content = "probe");
bool isFolder(const std::string& path);
// Deletes the file, read-only or not.
void removeFile(const std::string& path);
// Removes the folder with everything in it, read-only files included.
void removeFolderTree(const std::string& folder);

// name below the temporary folder.
std::string tempPath(const std::string& name);
std::string currentFolder();
std::string windowsFolder();
// The path of this test program, and its folder with the final backslash.
std::string modulePath();
std::string programFolder();
// The DLL built beside the test programs that only records being loaded (tests/planted): an
// empty file named as the loaded DLL with ".loaded" added.
std::string plantedDllPath();

// A fresh folder below the temporary folder, named for the test and this process, removed with
// its content when the holder goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name);
    ~ScratchFolder() { removeFolderTree(root_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string operator/(const std::string& relative) const { return root_ + "\\" + relative; }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

// A scratch folder that is the current folder while the holder lives.
class CurrentFolder : public ScratchFolder {
public:
    explicit CurrentFolder(const char* name = "current-folder");
    ~CurrentFolder() { SetCurrentDirectoryA(previous_.c_str()); }

private:
    std::string previous_;
};

// A file opened without any sharing, so that no other process can open or start it while the
// holder lives.
class HeldFile {
public:
    explicit HeldFile(const char* path)
        : file_(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool held() const { return file_.valid(); }

private:
    KernelHandle file_;
};

// A Windows path as Wine's Unix side names it; "" when Wine cannot tell.
std::string unixPathOf(const std::string& windowsPath);
// A Unix path ("/tmp/shots") as a Windows path; any other text is given back as it is.
std::string windowsPathOf(const std::string& path);
// A symbolic link to a folder, made in an existing folder with the Unix ln (Wine's own
// CreateSymbolicLinkA makes nothing, and nothing of Wine's removes one): Wine lists it as a
// folder that is a reparse point, as NTFS lists a junction. Removed with the Unix rm when the
// holder goes.
class FolderLink {
public:
    FolderLink(const std::string& link, const std::string& target);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool made() const;

private:
    std::string link_, unixLink_;
};
