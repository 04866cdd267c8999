#pragma once
#include <string>

namespace vesk {

// A fresh random UUID in its standard 36-character text form.
std::string freshUUID();

}  // namespace vesk
