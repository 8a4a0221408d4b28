// lumbo lzw: packs or unpacks one block, for inspecting a quiz's blocks and
// for checking the codec against other implementations of the format.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "content/lzw.h"
#include "tools/lumbo/commands.h"
#include "tools/lumbo/file_io.h"

namespace {

const char kLzwUsage[] =
    "usage: lumbo lzw pack IN OUT\n"
    "       lumbo lzw unpack IN OUT\n"
    "\n"
    "Packs or unpacks one block of the player's LZW format.\n";

const char* ResultName(int32_t result) {
  switch (result) {
    case UNPACK_OK: return "UNPACK_OK";
    case UNPACK_NO_MEMORY: return "UNPACK_NO_MEMORY";
    case UNPACK_NO_INPUT: return "UNPACK_NO_INPUT";
    case UNPACK_BAD_STREAM: return "UNPACK_BAD_STREAM";
  }
  return "unknown result";
}

}  // namespace

int RunLzw(int argc, char** argv, FILE* /*in*/, FILE* out, FILE* err) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kLzwUsage, out);
    return 0;
  }
  const bool pack = argc == 3 && std::strcmp(argv[0], "pack") == 0;
  const bool unpack = argc == 3 && std::strcmp(argv[0], "unpack") == 0;
  if (!pack && !unpack) {
    std::fputs(kLzwUsage, err);
    return 2;
  }
  std::string file;
  if (!ReadWholeFile(argv[1], &file)) {
    std::fprintf(err, "lumbo lzw: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<uint8_t> data(file.begin(), file.end());
  std::vector<uint8_t> result;
  if (pack) {
    result = LzwPack(data.data(), data.size());
  } else {
    uint8_t* bytes = nullptr;
    int32_t length = 0;
    int32_t r = LzwUnpack(data.data(), static_cast<int32_t>(data.size() > 0x7FFFFFFF ? 0x7FFFFFFF : data.size()),
                          &bytes, &length);
    if (bytes) result.assign(bytes, bytes + (length - 2));
    std::free(bytes);
    if (r != UNPACK_OK) {
      std::fprintf(err, "lumbo lzw: %s (%d bytes produced)\n", ResultName(r), length - 2);
      return 1;
    }
  }
  if (!WriteWholeFile(argv[2], result.data(), result.size())) {
    std::fprintf(err, "lumbo lzw: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
