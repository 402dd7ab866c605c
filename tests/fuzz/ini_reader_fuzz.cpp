// The settings reader on any bytes: writing back what was read and reading it again gives the
// same file and the same values, and no value comes back longer than the reader allows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/ini_file.h"
#include "fuzz_check.h"

namespace {
constexpr std::string_view kProbes[][2] = {
    {"Settings", "SizeUnit"}, {"Settings", "LastTarget"}, {"History", "0"}, {"CB-History", "1"}};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniFile first = IniFile::Parse(text);
    const std::string written = first.Serialized();
    const IniFile second = IniFile::Parse(written);
    FUZZ_CHECK(second.Serialized() == written);
    for (const auto& probe : kProbes) {
        FUZZ_CHECK(first.Value(probe[0], probe[1]) == second.Value(probe[0], probe[1]));
        FUZZ_CHECK(first.ReadString(probe[0], probe[1], {}).size() <= IniFile::kMaxValueLength);
        (void)first.ReadInteger(probe[0], probe[1], 7);
    }
    // A value set from the same bytes stays on its own line and reads back unless it could not.
    IniFile changed = first;
    const std::string value(text.substr(0, 64));
    changed.SetValue("Settings", "LastFileName", value);
    const IniFile reread = IniFile::Parse(changed.Serialized());
    const bool storable = value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
    if (!storable)
        FUZZ_CHECK(reread.ReadString("Settings", "LastFileName", "x").empty());
    return 0;
}
