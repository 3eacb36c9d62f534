#include "platform/base/paths.h"

#include "platform/base/cp932.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace kumi::platform {
namespace fs = std::filesystem;

std::string nativePath(std::string_view stored) {
  std::string_view rest = stored;
  if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
    rest.remove_prefix(2);
  }
  std::string out(rest);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

namespace {

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::string openablePath(std::string_view stored) {
  const auto utf8 = cp932ToUtf8(stored);
  return nativePath(utf8 ? std::string_view(*utf8) : stored);
}

std::string fileInDirectory(std::string_view storedDir, std::string_view name) {
  return fileInNativeDirectory(openablePath(storedDir), name);
}

std::string fileInNativeDirectory(const std::string& dir, std::string_view name) {
  const std::string exact = dir + std::string(name);
  if (fileExists(exact)) return exact;
  for (const std::string& present : listFiles(dir.empty() ? "." : dir)) {
    if (sameIgnoringAsciiCase(present, name)) return dir + present;
  }
  return exact;
}

bool endsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

std::string withClosingSeparator(std::string_view storedDir) {
  bool closed = false;
  for (size_t i = 0; i < storedDir.size(); ++i) {
    closed = storedDir[i] == '\\' || storedDir[i] == '/';
    if (isCp932LeadByte(static_cast<uint8_t>(storedDir[i]))) ++i;
  }
  std::string out(storedDir);
  if (!out.empty() && !closed) out += '\\';
  return out;
}

std::string currentDirectory() {
  std::error_code ec;
  std::string dir = fs::current_path(ec).string();
  if (ec) return "./";
  if (!endsWithSeparator(dir)) dir += '/';
  return dir;
}

bool setCurrentDirectory(std::string_view dir) {
  std::error_code ec;
  fs::current_path(nativePath(dir), ec);
  return !ec;
}

std::string fullPath(std::string_view stored) {
  const std::string native = nativePath(stored);
  std::error_code ec;
  fs::path p = fs::absolute(native, ec);
  if (ec) return native;
  std::string out = p.lexically_normal().string();
  if (endsWithSeparator(native) && !endsWithSeparator(out)) out += '/';
  return out;
}

std::string directoryOf(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string fileNameOf(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool fileExists(std::string_view stored) {
  std::error_code ec;
  return fs::is_regular_file(nativePath(stored), ec);
}

bool directoryExists(std::string_view stored) {
  std::error_code ec;
  return fs::is_directory(nativePath(stored), ec);
}

bool deleteFile(std::string_view stored) {
  const std::string path = nativePath(stored);
  std::error_code ec;
  // A file only: a value naming a folder must not take an empty one with it.
  if (fs::is_directory(fs::symlink_status(path, ec))) return false;
  return fs::remove(path, ec) && !ec;
}

std::vector<std::string> listFiles(std::string_view storedDir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(nativePath(storedDir), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_regular_file(typeEc)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string programDirectory() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return currentDirectory();
  std::string dir = self.parent_path().string();
  if (!endsWithSeparator(dir)) dir += '/';
  return dir;
}

}  // namespace kumi::platform
