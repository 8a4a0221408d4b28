// The answers file's Win32 half: the program's name, writing every answer
// edit of the question panel, and the read-only view the panel fills its
// edits from.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/answers_file.h"
#include "ui/quiz_state_win.h"

// The program's module file name without its directory (size: 260).
void ProgramFileName(char* buffer, size_t size);

// Writes one line per answer edit of quiz->question_panel. The new file is
// written beside the old one, flushed and then put in its place in one step,
// so that a failed save leaves the previous answers whole. Returns false when
// nothing was replaced (no panel, no answers, or a failed write).
bool SaveAnswers(QuizState* quiz);

// The answers file mapped read-only while the question panel is built.
struct AnswersFileView {
  HANDLE file;
  HANDLE mapping;
  const uint8_t* data;
  size_t size;
  size_t position;
};
// A file that is missing, empty or cannot be mapped reads as empty.
void OpenAnswersFile(AnswersFileView* view);
void NextAnswer(AnswersFileView* view, char (&out)[ANSWER_LINE_LIMIT + 1]);
void CloseAnswersFile(AnswersFileView* view);
