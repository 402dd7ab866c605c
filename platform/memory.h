#pragma once
#include <cstdint>

// Total physical memory of the machine in bytes; 0 when it cannot be read.
std::uint64_t TotalPhysicalMemory();
