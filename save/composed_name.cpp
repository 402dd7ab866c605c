#include "save/composed_name.h"

#include "platform/paths.h"
#include "resources/strings.h"
#include "save/file_naming.h"
#include "search/name_filter.h"
#include "search/search_control_logic.h"
#include "search/search_request.h"

DriveFacts LiveDriveFacts(const std::string& root) {
    return {GetDriveTypeName(root), GetVolumeInfo(root)};
}

namespace {

// A folder target cleans its masks a second time.
std::string LookForPart(const std::string& lookForText, int cleanings) {
    if (lookForText.empty())
        return Msg(191);
    if (lookForText.find(';') == std::string::npos) {
        std::string part = TrimBlanks(lookForText);
        for (int i = 0; i < cleanings; ++i)
            DeleteAsteriskandPoint(part);
        return part;
    }
    // Several masks: each cleaned on its own, joined by "_".
    std::string part;
    for (std::string mask : SplitMasks(lookForText)) {
        for (int i = 0; i < cleanings; ++i)
            DeleteAsteriskandPoint(mask);
        part += (part.empty() ? "" : "_") + mask;
    }
    return part.empty() ? Msg(191) : part;
}

ComposedName Cleaned(std::string name, bool unlabelledDriveRoot = false) {
    return {TransformComposedName(name), unlabelledDriveRoot};
}

bool IsNetworkPath(const std::string& target) {
    return target.rfind("//", 0) == 0;
}

// The network part keeps its last letter; only a trailing separator goes.
std::string NetworkPart(const std::string& target) {
    return paths::WithoutTrailingSeparator(target.substr(2));
}

std::optional<ComposedName> ForDriveRoot(const std::string& target, const std::string& part,
                                         MessageBoxes& boxes, const StatusReport& status,
                                         const NamingMachine& machine) {
    const DriveFacts facts = machine.drive(target);
    if (facts.typeName == "Does not exist") {
        boxes.Error(Msg(120) + " " + Msg(121));
        return std::nullopt;
    }
    if (!facts.volume.ok) {
        status(Msg(52), Msg(34));
        boxes.Error(Msg(34));
        return std::nullopt;
    }
    if (facts.volume.label.empty())
        return Cleaned(target + part + ".txt", true);
    // The folders between the root and the trailing separator (none for "/" itself).
    const std::string inner = target.size() >= 2 ? target.substr(1, target.size() - 2) : "";
    return Cleaned(facts.volume.label + "/" + inner + "/" + part + ".txt");
}

} // namespace

std::optional<ComposedName> ComposeFileName(const std::string& searchTarget,
                                            const std::string& lookForText, MessageBoxes& boxes,
                                            const StatusReport& status,
                                            const NamingMachine& machine) {
    const std::string part = LookForPart(lookForText, 1);
    if (searchTarget == kAllDrives)
        return ComposedName{Msg(129) + "_" + part + ".txt"};
    if (IsNetworkPath(searchTarget))
        return Cleaned(NetworkPart(searchTarget) + part + ".txt");
    if (paths::EndsWithSeparator(searchTarget))
        return ForDriveRoot(searchTarget, part, boxes, status, machine);
    if (searchTarget.empty() || !machine.isFolder(searchTarget)) {
        boxes.Error(Msg(119));
        return std::nullopt;
    }
    return Cleaned(searchTarget + "_" + LookForPart(lookForText, 2) + ".txt");
}
