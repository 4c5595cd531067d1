# What a dialog helper prints and the filter texts of file dialogs, compiled into the target
# so that they are instrumented.
kavox_fuzzer(fuzz_dialog_answer
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/dialog_answer_fuzzer.cpp
            ${CMAKE_SOURCE_DIR}/platform/window/command_dialog_provider.cpp
            ${CMAKE_SOURCE_DIR}/platform/window/file_filter.cpp
    DEPS kavox_platform_core kavox_platform_text)
target_include_directories(fuzz_dialog_answer PRIVATE ${CMAKE_SOURCE_DIR})
