#include "content/quiz_loader_win.h"

#include <windows.h>

#include "content/lzw.h"

namespace {

constexpr int DEFINITION_RESOURCE = 104;
constexpr int CODES_RESOURCE = 105;

// The user must read it before the program goes on: no owner, OK only.
void ShowLoadMessage(void*, const char* text) { MessageBoxA(nullptr, text, "Lumbo", MB_OK); }

void ShowUnpackAlert(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}

PackedBlock FindPackedBlock(HMODULE module, int id) {
  PackedBlock block = {nullptr, 0, false};
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "PATCH");
  if (!found) return block;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return block;
  block.bytes = static_cast<const uint8_t*>(LockResource(loaded));
  block.size = block.bytes ? SizeofResource(module, found) : 0;
  block.present = block.bytes != nullptr;
  return block;
}

}  // namespace

LoadOutcome LoadQuiz(QuizState* quiz) {
  LzwSetAlert(ShowUnpackAlert);
  HMODULE module = GetModuleHandleA(nullptr);
  QuizBlocks blocks;
  blocks.header = PackedBlock{g_header_block, HEADER_BLOCK_SIZE, true};
  blocks.definition = FindPackedBlock(module, DEFINITION_RESOURCE);
  blocks.codes = FindPackedBlock(module, CODES_RESOURCE);
  const LoadOutcome outcome = LoadQuizFromBlocks(quiz, blocks, ShowLoadMessage, nullptr);
  if (outcome == LOAD_OK || outcome == LOAD_CODES_ERROR || outcome == LOAD_NO_DEFINITION)
    ReplaceBackgroundBrush(quiz);
  return outcome;
}
