# Picture decoding of skin files. The decoder's sources are compiled into the fuzzer
# itself so that libFuzzer's coverage reaches inside the image reader.
kavox_fuzzer(fuzz_image_decode
    SOURCES ${CMAKE_SOURCE_DIR}/fuzz/image_decode_fuzzer.cpp
            ${CMAKE_SOURCE_DIR}/platform/gfx/image_codec.cpp
            ${CMAKE_SOURCE_DIR}/platform/gfx/stb_implementation.cpp
            ${CMAKE_SOURCE_DIR}/platform/gfx/bitmap.cpp)
target_include_directories(fuzz_image_decode PRIVATE ${CMAKE_SOURCE_DIR})
