// Whole-file reads and writes for the tool's commands.
#pragma once

#include <cstddef>
#include <string>

bool ReadWholeFile(const std::string& path, std::string* out);
bool WriteWholeFile(const std::string& path, const void* bytes, size_t size);
inline bool WriteWholeFile(const std::string& path, const std::string& text) {
  return WriteWholeFile(path, text.data(), text.size());
}
