#include "ui/answers_file_win.h"

#include <string>

#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace {

bool AnswersPath(char* name, size_t size) {
  char program[MAX_PATH];
  ProgramFileName(program, sizeof program);
  return AnswersFileName(program, name, size);
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

void ProgramFileName(char* buffer, size_t size) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  lstrcpynA(buffer, FileNamePart(path), static_cast<int>(size));
}

bool SaveAnswers(QuizState* quiz) {
  HWND panel = quiz->question_panel;
  const int edits = BoundedQuestionCount(quiz) * quiz->answers_per_question;
  // Without answer edits there is nothing typed to keep, and writing would
  // empty a file that still holds the answers of an earlier run.
  if (!panel || edits <= 0) return false;
  std::string bytes;
  for (int a = 1; a <= edits; ++a) {
    char text[TEXT_FIELD_SIZE] = {};
    GetDlgItemTextA(panel, ID_ANSWER_BASE + a, text, sizeof text);
    AppendAnswerLine(&bytes, text);
  }
  char name[MAX_PATH];
  if (!AnswersPath(name, sizeof name)) return false;
  char fresh[MAX_PATH + 8];
  lstrcpynA(fresh, name, MAX_PATH);
  lstrcatA(fresh, ".new");
  HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteWhole(file, bytes) && FlushFileBuffers(file);
  CloseHandle(file);
  if (written && MoveFileExA(fresh, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(fresh);
  return false;
}

void OpenAnswersFile(AnswersFileView* view) {
  *view = AnswersFileView{INVALID_HANDLE_VALUE, nullptr, nullptr, 0, 0};
  char name[MAX_PATH];
  if (!AnswersPath(name, sizeof name)) return;
  view->file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (view->file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size = {};
  // An empty file cannot be mapped; it reads as empty like a missing one.
  if (!GetFileSizeEx(view->file, &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return;
  view->mapping = CreateFileMappingA(view->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!view->mapping) return;
  view->data = static_cast<const uint8_t*>(MapViewOfFile(view->mapping, FILE_MAP_READ, 0, 0, 0));
  if (view->data) view->size = static_cast<size_t>(size.QuadPart);
}

void NextAnswer(AnswersFileView* view, char (&out)[ANSWER_LINE_LIMIT + 1]) {
  ReadAnswerLine(view->data, view->size, &view->position, out);
}

void CloseAnswersFile(AnswersFileView* view) {
  if (view->data) UnmapViewOfFile(view->data);
  if (view->mapping) CloseHandle(view->mapping);
  if (view->file != INVALID_HANDLE_VALUE) CloseHandle(view->file);
  *view = AnswersFileView{INVALID_HANDLE_VALUE, nullptr, nullptr, 0, 0};
}
