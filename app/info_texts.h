#pragma once
#include <cstdint>
#include <string>

#include "resources/project_info.h"
#include "resources/version_block.h"

// The texts of the info dialog. A value missing from the version block leaves its own line
// empty instead of moving the later values into the wrong lines.
struct InfoTexts {
    std::string productName; // Label4
    std::string version;     // Label2: "v. " and the file version
    std::string legalNotice; // Label3
    std::string memory;      // Label5
};
InfoTexts InfoDialogTexts(const VersionBlock& block, std::uint64_t physicalMemoryBytes);

// "Phys. Speicher: 16318464 KB": whole kilobytes, no separators.
std::string MemoryLine(std::uint64_t physicalMemoryBytes);

// The maker's web address shown by the link label.
inline constexpr const char* kMakerAddress = kPathquillHomepage;
