// Points the user's runtime folder at a throw-away folder for one test.
#pragma once

#include "temp_folder.h"

#include <cstdlib>

class RuntimeFolder {
public:
    RuntimeFolder() { ::setenv("XDG_RUNTIME_DIR", m_dir.Path().c_str(), 1); }
    const std::string& Path() const { return m_dir.Path(); }

private:
    TempFolder m_dir;
};
