// The answer judge: writes the verdict beside an answer edit, marks solved
// questions, reveals hints and answer pictures by the quiz's hint mode, and
// keeps the score and progress code of the header bar.
#pragma once

#include <windows.h>

#include "ui/quiz_state_win.h"

// Judges answer edit edit_id (4000 + a) of the question panel panel. When
// the verdict shown does not change, nothing else happens.
void JudgeAnswer(QuizState* quiz, HWND panel, int edit_id);
// Recounts the fully solved questions from the verdict texts, writes
// " %d / %d" and the progress code into the header bar, then runs the Hide
// re-layout.
void RefreshScore(QuizState* quiz, HWND panel);
