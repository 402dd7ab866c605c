#include "app/info_texts.h"

#include "resources/strings.h"

std::string MemoryLine(std::uint64_t physicalMemoryBytes) {
    return Msg(90) + " " + std::to_string(physicalMemoryBytes / 1024) + " " + Msg(78);
}

InfoTexts InfoDialogTexts(const VersionBlock& block, std::uint64_t physicalMemoryBytes) {
    const VersionValues v = ReadVersionValues(block);
    return {v.productName.value_or(""), v.fileVersion ? "v. " + *v.fileVersion : "",
            v.legalCopyright.value_or(""), MemoryLine(physicalMemoryBytes)};
}
