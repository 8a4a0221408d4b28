// The quiz record's portable half: every text, setting, code and question
// the player knows about its quiz. The Win32 QuizState (ui/quiz_state_win.h)
// derives from it and adds the fonts, brushes, window handles and layout
// tables, so that every field keeps its one name (quiz->title,
// quiz->background_brush).
#pragma once

#include <cstddef>
#include <cstdint>

enum QuizKind {
  QUIZ_TEXT = 0,
  QUIZ_PICTURE = 1,
  QUIZ_AUDIO = 2,
  QUIZ_VIDEO = 3,
};

// Field and table sizes. A text field of N bytes holds N - 1 characters.
constexpr size_t TEXT_FIELD_SIZE = 260;
constexpr size_t LINK_FIELD_SIZE = 25;
constexpr size_t STATUS_FIELD_SIZE = 43;
constexpr size_t MEDIA_PREFIX_SIZE = 512;
// One progress code per score 1..96, rows of three questions, one display
// state per question number (slot 0 unused). The loader refuses a definition
// that declares more questions than these tables hold.
constexpr int MAX_QUESTIONS = 96;
constexpr int MAX_ROWS = MAX_QUESTIONS / 3;
constexpr int TYPED_ANSWER_LIMIT = 70;

struct QuestionEntry {
  char answer[TEXT_FIELD_SIZE];
  char second_answer[TEXT_FIELD_SIZE];
  char question_text[TEXT_FIELD_SIZE];
  char hint[TEXT_FIELD_SIZE];
  int solved;
  QuestionEntry* prev;
  QuestionEntry* next;
};

struct QuizRecord {
  int content_width;
  int content_height;
  int kind;
  char title[TEXT_FIELD_SIZE];
  char author[TEXT_FIELD_SIZE];
  char explanation[TEXT_FIELD_SIZE];
  char answer_label[TEXT_FIELD_SIZE];
  char second_answer_label[TEXT_FIELD_SIZE];
  int question_count;
  int answers_per_question;
  char score_codes[MAX_QUESTIONS][TEXT_FIELD_SIZE];
  int hint_mode;
  int all_hints_shown;
  int row_heights[MAX_ROWS];
  // Indexed by question number 1..MAX_QUESTIONS; slot 0 is never used.
  int question_states[MAX_QUESTIONS + 1];
  // Declared red, blue, green; the definition stores red, green, blue.
  int colour_red;
  int colour_blue;
  int colour_green;
  char media_path_prefix[MEDIA_PREFIX_SIZE];
  char link[LINK_FIELD_SIZE];
  char status_text[STATUS_FIELD_SIZE];
  QuestionEntry* first_question;
  QuestionEntry* last_question;
};

// Gives the record its construction defaults ("nom du lumbo", " createur",
// two questions declared, colour 90/95/150) with an empty question list.
void InitQuizRecord(QuizRecord* quiz);
// Frees every node of the question list and empties it.
void FreeQuestions(QuizRecord* quiz);

// Copies the three texts into a new tail node (hint empty, solved 0). Texts
// longer than a field are cut to 259 characters.
void AppendQuestion(QuizRecord* quiz, const char* answer, const char* second_answer,
                    const char* question_text);
// The node at 0-based position index, compared as unsigned, so a negative
// index or one past the end yields the last node; null for an empty list.
QuestionEntry* QuestionAt(const QuizRecord* quiz, int index);

// Copies the zero-terminated src into a field of capacity bytes, cutting it
// to capacity - 1 characters; the field is always terminated.
void CopyText(char* field, size_t capacity, const char* src);

template <size_t N>
void CopyText(char (&field)[N], const char* src) {
  CopyText(field, N, src);
}
