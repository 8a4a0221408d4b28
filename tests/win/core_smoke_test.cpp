// Proves the Windows harness: the portable core runs in the x86_64 build
// under Wine, and a real window can be created on the private display.
#include <windows.h>

#include <gtest/gtest.h>

#include "content/quiz_record.h"

TEST(CoreOnWindows, QuestionListWalksAsOnLinux) {
  QuizRecord quiz;
  InitQuizRecord(&quiz);
  AppendQuestion(&quiz, "A", "", "first");
  AppendQuestion(&quiz, "B", "", "second");
  EXPECT_STREQ(QuestionAt(&quiz, 1)->answer, "B");
  EXPECT_STREQ(QuestionAt(&quiz, -1)->answer, "B");
  FreeQuestions(&quiz);
}

TEST(CoreOnWindows, StaticControlKeepsWindows1252Bytes) {
  HWND label = CreateWindowExA(0, "Static", "y a de l'id\xE9" "e", WS_POPUP, 0, 0, 100, 20,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(label, nullptr);
  char text[64] = {};
  GetWindowTextA(label, text, sizeof text);
  EXPECT_STREQ(text, "y a de l'id\xE9" "e");
  DestroyWindow(label);
}
