# Keyboard definition files. The reader is compiled into the fuzzer itself so that
# libFuzzer's coverage reaches inside it.
kavox_fuzzer(fuzz_keyboard_definitions
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/keyboard_definitions_fuzzer.cpp
            ${CMAKE_SOURCE_DIR}/model/keyboard_definition.cpp
    DEPS kavox_platform_text)
target_include_directories(fuzz_keyboard_definitions PRIVATE ${CMAKE_SOURCE_DIR})
