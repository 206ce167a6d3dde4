# Image component benchmarks. Measure the optimised build the program ships as (-O2, no
# sanitizers):
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELINE_BUILD_BENCH=ON
#   cmake --build build-bench --target image_bench && build-bench/bench/image_bench
if(ORBELINE_SANITIZE)
  message(WARNING "image_bench built with sanitizers: its figures mean little")
endif()
add_executable(image_bench image_bench.cpp)
target_link_libraries(image_bench PRIVATE orbeline_core benchmark::benchmark)
