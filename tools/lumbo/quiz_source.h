// The readable quiz source (docs/quiz-source.md): parsed into the content
// the writer packs, plus the media files the quiz carries.
#pragma once

#include <string>
#include <vector>

#include "content/quiz_writer.h"

struct MediaFile {
  int resource_id;   // 400 + q, or 10400 + q for an answer picture
  std::string path;  // as found on disk (relative paths resolved against the source)
};

struct QuizSource {
  QuizContent content;
  std::vector<MediaFile> media;
};

// Parses UTF-8 source text. base_dir resolves relative media paths. On
// failure returns false with "LINE: message" in *error.
bool ParseQuizSource(const std::string& text, const std::string& base_dir, QuizSource* source,
                     std::string* error);
