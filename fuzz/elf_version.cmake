# The ELF version-section reader, compiled into the target so that it is instrumented.
kavox_fuzzer(fuzz_elf_version
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/elf_version_fuzzer.cpp
            ${CMAKE_SOURCE_DIR}/platform/os/elf_section.cpp
            ${CMAKE_SOURCE_DIR}/platform/os/file_version_info.cpp
    DEPS kavox_platform_text)
target_include_directories(fuzz_elf_version PRIVATE ${CMAKE_SOURCE_DIR})
