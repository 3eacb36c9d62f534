#include "platform/base/profile_ini.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kumi::platform {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
  IniFile ini;
  std::string section;
  bool inSection = false;
  // Editors on the home platform start a UTF-8 file with a byte-order mark;
  // left in place it would hide the first section header.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    std::string_view line = trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      section = lower(trim(line.substr(1, close - 1)));
      inSection = true;
      ini.sections_[section];
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    auto& keys = ini.sections_[section];
    keys.emplace(lower(trim(line.substr(0, eq))), std::string(trim(line.substr(eq + 1))));
  }
  return ini;
}

IniFile IniFile::load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return IniFile();
  std::ostringstream text;
  text << in.rdbuf();
  return parse(text.str());
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(lower(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(lower(key));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

std::string IniFile::valueOr(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
  return value(section, key).value_or(std::string(fallback));
}

bool IniFile::hasSection(std::string_view section) const {
  return sections_.count(lower(section)) != 0;
}

std::string profilePath() {
  if (const char* p = std::getenv("KUMI_PROFILE"); p != nullptr && *p != '\0') return p;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x != nullptr && *x != '\0') {
    return std::string(x) + "/kumi/profile.ini";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config/kumi/profile.ini";
}

IniFile loadProfile() { return IniFile::load(profilePath()); }

}  // namespace kumi::platform
