# Macro event blocks as programs send them.
kavox_fuzzer(fuzz_event_block
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/event_block_fuzzer.cpp
    DEPS kavox_emulation)
