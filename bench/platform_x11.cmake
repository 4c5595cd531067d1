# Presenting a back buffer to a private Xvfb, through shared memory and through plain
# image requests; skipped when Xvfb is not installed.
kavox_program(bench_platform_x11
    SOURCES ${CMAKE_SOURCE_DIR}/bench/platform_x11_bench.cpp ${CMAKE_SOURCE_DIR}/tests/platform/x11/xvfb_server.cpp
    DEPS kavox_platform_backend_x11 benchmark::benchmark)
target_include_directories(bench_platform_x11 PRIVATE ${CMAKE_SOURCE_DIR})
