# Device paths from the device service's signals and udev's properties.
kavox_fuzzer(fuzz_device_path
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/device_path_fuzzer.cpp
    DEPS kavox_platform_os kavox_device)
target_include_directories(fuzz_device_path PRIVATE ${CMAKE_SOURCE_DIR})
