#pragma once
// Paths in the Windows shape the settings files keep ("C:\kumi\data\").
//
// Stored values may use "\" or "/"; a directory value ends with its separator
// and a file name is appended to it directly. Only when a file is opened,
// created, listed or deleted is the value turned into a POSIX path: "\"
// becomes "/" and a drive prefix such as "C:" drops away, the single root "/"
// playing the drive.
#include <string>
#include <string_view>
#include <vector>

namespace kumi::platform {

// The POSIX form of a stored path value.
std::string nativePath(std::string_view stored);

// A stored value as the file system opens it: stored values are CP932, file
// names here are UTF-8. A value that is not valid CP932 is taken byte for
// byte. (A CP932 trail byte 0x5C is never taken for a separator.)
std::string openablePath(std::string_view storedCp932);

// The file `name` in a stored directory (ending with its separator, or empty
// for the current directory), as an openable path: an existing file whose
// name matches without regard to ASCII case, else `name` as given. Programs
// on the home platform spell the same file "WINPRM.cfg" and "winprm.cfg".
std::string fileInDirectory(std::string_view storedDir, std::string_view name);
// The same for a directory that is already a path of this system (UTF-8),
// such as the program's own folder.
std::string fileInNativeDirectory(const std::string& nativeDir, std::string_view name);

// True when the value ends with "\" or "/".
bool endsWithSeparator(std::string_view path);

// A stored (CP932) directory with its closing "\" added when it has none, as
// every program joins file names straight onto it; the trail byte 0x5C of a
// name such as 表 is no separator. An empty value stays empty (the current
// directory).
std::string withClosingSeparator(std::string_view storedDir);

// The process's current directory, ending with "/". It is UTF-8, as the file
// system names it: a stored value needs it in CP932 (utf8ToCp932).
std::string currentDirectory();
bool setCurrentDirectory(std::string_view dir);

// An absolute, normalised form of a path (it need not exist).
std::string fullPath(std::string_view stored);

// The directory of a path, with its separator ("a/b/c.txt" -> "a/b/").
std::string directoryOf(std::string_view path);
// The last component ("a/b/c.txt" -> "c.txt").
std::string fileNameOf(std::string_view path);

// These take a path already in UTF-8 (openablePath for a stored CP932
// value): only the separators and a drive prefix change here.
bool fileExists(std::string_view stored);
bool directoryExists(std::string_view stored);
bool deleteFile(std::string_view stored);  // false for a folder
// Names (not paths) of the regular files in a directory, sorted.
std::vector<std::string> listFiles(std::string_view storedDir);

// The directory of the running program, ending with "/".
std::string programDirectory();

}  // namespace kumi::platform
