// The stb settings shared by the one file that compiles stb and the files that call it:
// only the four picture formats the programs read, no stdio, and no SIMD code paths that
// differ between builds.
#pragma once

#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#define STBI_WRITE_NO_STDIO
