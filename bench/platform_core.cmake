# Round trip of a message sent to a window on another thread.
add_executable(bench_platform_core ${CMAKE_CURRENT_LIST_DIR}/platform_core_bench.cpp)
target_compile_options(bench_platform_core PRIVATE ${KAVOX_WARNINGS})
target_link_libraries(bench_platform_core PRIVATE kavox_platform_core benchmark::benchmark)
