# The device service on a private bus: a whole-configuration read as the configurator
# makes it, and the idle daemon's memory and wake-ups.
find_package(sdbus-c++ REQUIRED)
add_executable(bench_service
    ${CMAKE_SOURCE_DIR}/bench/service_bench.cpp
    ${CMAKE_SOURCE_DIR}/tests/device/dbus/private_bus.cpp)
target_compile_options(bench_service PRIVATE ${KAVOX_WARNINGS})
target_compile_definitions(bench_service PRIVATE
    KAVOX_DBUS_SERVICE_DIR="${CMAKE_BINARY_DIR}/dbus-services"
    KAVOX_DEVICECTL="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kavox-devicectl")
target_link_libraries(bench_service PRIVATE kavox_device_dbus SDBusCpp::sdbus-c++ benchmark::benchmark)
add_dependencies(bench_service kavox-deviced kavox-devicectl)
