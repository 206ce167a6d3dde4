# libFuzzer target for the BMP reader (clang only; the reader's sources are compiled into
# the target with coverage instrumentation). Build and run for five minutes:
#
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
#       -DORBELINE_BUILD_FUZZ=ON -DORBELINE_BUILD_TESTS=OFF
#   cmake --build build-fuzz --target bmp_fuzzer
#   mkdir -p build-fuzz/bmp-corpus
#   build-fuzz/fuzz/bmp_fuzzer -max_total_time=300 -rss_limit_mb=2048 -max_len=65536 \
#       build-fuzz/bmp-corpus fuzz/bmp_corpus
#
# A crash leaves crash-<hash> in the working folder; replay it with
#   build-fuzz/fuzz/bmp_fuzzer crash-<hash>
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(STATUS "bmp_fuzzer needs clang (CC=clang CXX=clang++); skipped")
  return()
endif()

set(image_dir ${PROJECT_SOURCE_DIR}/src/image)
add_executable(bmp_fuzzer
  bmp_fuzzer.cpp
  ${image_dir}/bmp_reader.cpp
  ${image_dir}/bmp_writer.cpp
  ${image_dir}/color_reduction.cpp
  ${image_dir}/dib_image.cpp
  ${image_dir}/file_io.cpp
  ${image_dir}/halftone.cpp
  ${image_dir}/nk_dib.cpp
  ${image_dir}/palette_match.cpp
)
target_include_directories(bmp_fuzzer PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(bmp_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined
                                          -fno-sanitize-recover=undefined)
target_link_options(bmp_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
