# Keyboard defaults files, read after a small valid definition.
kavox_fuzzer(fuzz_keyboard_defaults
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/keyboard_defaults_fuzzer.cpp
            ${CMAKE_SOURCE_DIR}/model/keyboard_definition.cpp
    DEPS kavox_platform_text)
target_include_directories(fuzz_keyboard_defaults PRIVATE ${CMAKE_SOURCE_DIR})
