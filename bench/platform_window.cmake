kavox_program(bench_platform_window
    SOURCES ${CMAKE_SOURCE_DIR}/bench/platform_window_bench.cpp
    DEPS kavox_platform_window benchmark::benchmark)
