kavox_fuzzer(fuzz_macro_event_block SOURCES ${CMAKE_SOURCE_DIR}/fuzz/macro_event_block_fuzzer.cpp DEPS kavox_device)
