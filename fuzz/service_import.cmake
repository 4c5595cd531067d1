# Profile and macro files and the stored memory document, as the service reads them.
kavox_fuzzer(fuzz_service_import
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/service_import_fuzzer.cpp
    DEPS kavox_emulation)
