#include "ui/answers_file.h"

#include <cstring>

void ReadAnswerLine(const uint8_t* data, size_t size, size_t* position,
                    char (&out)[ANSWER_LINE_LIMIT + 1]) {
  size_t p = *position;
  int taken = 0;
  if (data == nullptr) size = 0;
  while (p < size && data[p] != '\r' && taken < ANSWER_LINE_LIMIT) out[taken++] = static_cast<char>(data[p++]);
  out[taken] = '\0';
  while (p < size && data[p] != '\r') ++p;
  while (p < size && data[p] != '\n') ++p;
  if (p < size) ++p;  // the line feed itself
  *position = p;
}

const char* FileNamePart(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

bool AnswersFileName(const char* program_file_name, char* out, size_t size) {
  const size_t length = std::strlen(program_file_name);
  // A name of fewer than three characters gets "txt" in place of all of them.
  const size_t kept = length >= 3 ? length - 3 : 0;
  if (kept + 4 > size) return false;
  std::memcpy(out, program_file_name, kept);
  std::memcpy(out + kept, "txt", 4);
  return true;
}

void AppendAnswerLine(std::string* file, const char* text) {
  file->append(text);
  file->append("\r\n");
}
