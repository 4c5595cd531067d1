kavox_fuzzer(fuzz_macro_exchange SOURCES ${CMAKE_SOURCE_DIR}/fuzz/macro_exchange_fuzzer.cpp DEPS kavox_model)
