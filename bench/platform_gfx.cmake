kavox_program(bench_platform_gfx
    SOURCES ${CMAKE_SOURCE_DIR}/bench/platform_gfx_bench.cpp
    DEPS kavox_platform_gfx benchmark::benchmark)
