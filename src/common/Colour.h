#pragma once

#include <cstdint>

// A 24-bit colour written &H00BBGGRR: red in the lowest byte.
using Colour = std::uint32_t;
