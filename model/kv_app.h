// An application record: an executable name and the profile that it selects.
#pragma once

#include "model/model_types.h"

#include <memory>
#include <string>
#include <vector>

struct CKvApp {
    std::u16string name;
    GUID profileGuid{};
};

using CKvAppList = std::vector<std::unique_ptr<CKvApp>>;
