#pragma once

#include "core/datastore/address.h"

#include <bit>
#include <span>
#include <string>

namespace mv {

// A GUID in its registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", from 16 bytes. The
// first three groups are read little endian whatever the chosen byte order: files hold a GUID
// as its structure, whose first three fields are little-endian integers, and the registry form
// writes those fields. The byte order switch is for the values around it.
[[nodiscard]] std::string ShowGuid(std::span<const Byte> bytes, std::endian order);

} // namespace mv
