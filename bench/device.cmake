# Full read and full write of a seven-profile configuration against kavox-deviced on a
# private bus: time beyond the mandated pauses, and the bus calls each makes.
find_package(sdbus-c++ REQUIRED)
add_executable(bench_device ${CMAKE_CURRENT_LIST_DIR}/device_bench.cpp
    ${CMAKE_SOURCE_DIR}/tests/device/dbus/private_bus.cpp)
target_compile_options(bench_device PRIVATE ${KAVOX_WARNINGS})
target_link_libraries(bench_device PRIVATE kavox_device kavox_device_dbus kavox_platform_os SDBusCpp::sdbus-c++
    benchmark::benchmark)
target_compile_definitions(bench_device PRIVATE
    KAVOX_DBUS_SERVICE_DIR="${CMAKE_BINARY_DIR}/dbus-services"
    KAVOX_DEVICECTL="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kavox-devicectl")
add_dependencies(bench_device kavox-deviced kavox-devicectl)
