# Image component benchmarks. Measure in a Release build without sanitizers:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORBELINE_BUILD_BENCH=ON
#   cmake --build build-release --target image_bench && build-release/bench/image_bench
if(ORBELINE_SANITIZE)
  message(WARNING "image_bench built with sanitizers: its figures mean little")
endif()
add_executable(image_bench image_bench.cpp)
target_link_libraries(image_bench PRIVATE orbeline_core benchmark::benchmark)
