// The cleaning of a composed file name on any look-for text: nothing forbidden is left, no point
// at either end, no run of "_", and cleaning twice changes nothing more.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "save/file_naming.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string name(reinterpret_cast<const char*>(data), size);
    DeleteAsteriskandPoint(name);
    TransformComposedName(name);
    for (const char c : name)
        FUZZ_CHECK(!IsForbiddenNameCharacter(c));
    FUZZ_CHECK(name.empty() || (name.front() != '.' && name.back() != '.'));
    FUZZ_CHECK(name.find("__") == std::string::npos);
    std::string again = name;
    FUZZ_CHECK(TransformComposedName(again) == name);
    return 0;
}
