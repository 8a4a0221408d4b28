# png_bench: our PNG decoder and inflater against libpng, zlib, libdeflate
# and stb_image (scripts/bench-png.sh builds the corpus and runs it).
find_package(PNG REQUIRED)
find_package(ZLIB REQUIRED)
find_library(LUMBO_DEFLATE_LIBRARY deflate REQUIRED)
find_library(LUMBO_STB_LIBRARY stb REQUIRED)
add_executable(png_bench ${CMAKE_CURRENT_LIST_DIR}/png_bench.cpp)
target_link_libraries(png_bench PRIVATE lumbo_core PNG::PNG ZLIB::ZLIB ${LUMBO_DEFLATE_LIBRARY}
                      ${LUMBO_STB_LIBRARY})
