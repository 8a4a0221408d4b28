// The loader's Win32 half: finds the quiz's packed blocks in the program's
// own file and fills the record with them.
#pragma once

#include "content/quiz_loader.h"
#include "ui/quiz_state_win.h"

// The 70-byte packed header block (link and status text), compiled into the
// program's constant data in its own section so that a tool can replace it.
extern "C" const unsigned char g_header_block[HEADER_BLOCK_SIZE];

// Fills quiz from the header block and the resources "PATCH" 104 (the
// definition) and 105 (the codes) of the program's own file. Each problem is
// shown in a message box captioned "Lumbo"; the record then keeps what could
// be read. Returns the loader's outcome (start-up does not look at it).
LoadOutcome LoadQuiz(QuizState* quiz);
