# Cost of the change queries the main window and the device writer run on a full configuration.
add_executable(bench_model ${CMAKE_CURRENT_LIST_DIR}/model_bench.cpp)
target_compile_options(bench_model PRIVATE ${KAVOX_WARNINGS})
target_link_libraries(bench_model PRIVATE kavox_model benchmark::benchmark benchmark::benchmark_main)
