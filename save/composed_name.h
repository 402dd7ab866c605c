#pragma once
#include <functional>
#include <optional>
#include <string>

#include "app/message_boxes.h"
#include "platform/file_status.h"
#include "system/drives.h"

// The file name the program composes from the last search.

struct DriveFacts {
    std::string typeName; // as GetDriveTypeName gives it
    VolumeInfo volume;
};
DriveFacts LiveDriveFacts(const std::string& root);

// What composing asks of the machine; tests replace it.
struct NamingMachine {
    std::function<bool(const std::string&)> isFolder = files::IsFolder;
    std::function<DriveFacts(const std::string& root)> drive = LiveDriveFacts;
};

struct ComposedName {
    std::string name;
    // A drive root without a volume label is offered with "Speichern in:" and the save folder
    // in separate panels.
    bool unlabelledDriveRoot = false;
};

// Status bar texts to show before a refusal's box: left panel, right panel.
using StatusReport = std::function<void(const std::string&, const std::string&)>;

// The name for a search target (a folder, a drive root ending in "/", a network path
// beginning with "//", or all drives) and the look-for box text as shown. Nothing when the
// target is refused; the reason was shown in a box (and in the status bar for a missing medium).
std::optional<ComposedName> ComposeFileName(const std::string& searchTarget,
                                            const std::string& lookForText, MessageBoxes& boxes,
                                            const StatusReport& status,
                                            const NamingMachine& machine = {});
