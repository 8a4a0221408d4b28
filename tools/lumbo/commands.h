// The lumbo tool's commands. Each takes the arguments after its own name and
// the three standard streams, and returns the process exit status:
// 0 success, 1 a failure of the work itself, 2 a usage error.
#pragma once

#include <cstdio>

int RunJudge(int argc, char** argv, FILE* in, FILE* out, FILE* err);
int RunPack(int argc, char** argv, FILE* in, FILE* out, FILE* err);
int RunLzw(int argc, char** argv, FILE* in, FILE* out, FILE* err);
