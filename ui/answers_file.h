// The answers file's portable half. The file keeps one line per answer edit,
// in the edits' order (4001, 4002, ...), each ended by "\r\n", in the
// system's ANSI code page, with no header. It is named after the program:
// the program's file name with its last three characters replaced by "txt"
// (LUMBO.EXE keeps its answers in LUMBO.txt), in the current directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A restored answer keeps at most this many characters of its line.
constexpr int ANSWER_LINE_LIMIT = 70;

// Reads the line at *position of the file's bytes into out (at most 70
// characters, zero-terminated) and moves *position past the line's "\r\n".
// A line ends at its first carriage return; the rest of a longer line and
// everything up to the next line feed are skipped. Past the end, out is empty.
void ReadAnswerLine(const uint8_t* data, size_t size, size_t* position,
                    char (&out)[ANSWER_LINE_LIMIT + 1]);

// The part of a module path after its last backslash.
const char* FileNamePart(const char* path);

// The answers file's name for a program file name (no directory): its last
// three characters become "txt". Returns false when out cannot hold it.
bool AnswersFileName(const char* program_file_name, char* out, size_t size);

// Appends one answer's line (its text exactly, then "\r\n").
void AppendAnswerLine(std::string* file, const char* text);
