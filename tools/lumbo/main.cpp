#include <cstdio>
#include <cstring>

#include "tools/lumbo/commands.h"

namespace {

const char kUsage[] =
    "usage: lumbo COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  judge EXPECTED TYPED   print the verdict the player would show\n"
    "  judge --batch          read 'expected<TAB>typed' lines, print one verdict each\n"
    "  pack SOURCE OUTDIR     turn a quiz source into the quiz's resource files\n"
    "  lzw pack|unpack IN OUT pack or unpack one block of the quiz format\n"
    "\n"
    "Texts are UTF-8 and must be Windows-1252 characters.\n"
    "Run 'lumbo COMMAND --help' for a command's own help.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const char* command = argv[1];
  if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0 ||
      std::strcmp(command, "help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (std::strcmp(command, "judge") == 0) return RunJudge(argc - 2, argv + 2, stdin, stdout, stderr);
  if (std::strcmp(command, "pack") == 0) return RunPack(argc - 2, argv + 2, stdin, stdout, stderr);
  if (std::strcmp(command, "lzw") == 0) return RunLzw(argc - 2, argv + 2, stdin, stdout, stderr);
  std::fprintf(stderr, "lumbo: unknown command '%s'\n\n%s", command, kUsage);
  return 2;
}
