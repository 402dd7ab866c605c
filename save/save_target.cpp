#include "save/save_target.h"

#include "platform/file_status.h"
#include "platform/paths.h"
#include "resources/strings.h"
#include "save/file_naming.h"

namespace {

using Target = std::optional<std::string>;

bool IsExistingFile(const std::string& path) {
    return files::WhatIsAt(path) == files::Found::OtherThanFolder;
}

// A plain name goes into the save folder; a read-only file there is written once its
// attribute is cleared, without asking about overwriting as well.
Target InSaveFolder(const std::string& name, const std::string& saveFolder, MessageBoxes& boxes) {
    if (!IsValidFileName(name)) {
        boxes.Error(Msg(122));
        return std::nullopt;
    }
    if (saveFolder.empty()) {
        boxes.Information(Msg(38));
        return std::nullopt;
    }
    const std::string target = paths::Join(saveFolder, name);
    if (!IsExistingFile(target))
        return target;
    if (files::IsReadOnly(target)) {
        if (!boxes.Question(Msg(143)))
            return std::nullopt;
        files::ClearReadOnly(target);
        return target;
    }
    return boxes.Question(Msg(30)) ? Target(target) : std::nullopt;
}

Target InNewFolder(const std::string& path, const std::string& folder, MessageBoxes& boxes) {
    const std::string again = Msg(116) + ".";
    if (!IsValidFileName(paths::NamePart(path))) {
        boxes.Error(again);
        return std::nullopt;
    }
    if (!boxes.Question(Msg(115))) {
        boxes.Information(again);
        return std::nullopt;
    }
    if (!files::CreateFolders(folder)) {
        boxes.Error(Msg(73) + ".");
        return std::nullopt;
    }
    return path;
}

// A full path in an existing folder: a read-only file asks twice, and its attribute stays
// cleared even when the second answer is Nein.
Target InExistingFolder(const std::string& path, MessageBoxes& boxes) {
    if (!IsValidFileName(paths::NamePart(path))) {
        boxes.Error(Msg(122));
        return std::nullopt;
    }
    if (!IsExistingFile(path))
        return path;
    if (files::IsReadOnly(path)) {
        if (!boxes.Question(Msg(143)))
            return std::nullopt;
        files::ClearReadOnly(path);
    }
    return boxes.Question(Msg(30)) ? Target(path) : std::nullopt;
}

} // namespace

std::optional<std::string> ChooseSaveTarget(std::size_t rows, const std::string& typedName,
                                            const std::string& saveFolder, MessageBoxes& boxes) {
    if (rows == 0) {
        boxes.Error(Msg(40));
        return std::nullopt;
    }
    if (typedName.empty()) {
        boxes.Information(Msg(37));
        return std::nullopt;
    }
    const std::string name = TrimBlanksAndControls(typedName);
    if (CharacterCount(name) > kMaxFileNameLength) {
        boxes.Error(Msg(114));
        return std::nullopt;
    }
    if (!paths::IsFullPath(name))
        return InSaveFolder(name, saveFolder, boxes);
    const std::string folder(paths::FolderPart(name));
    if (!files::IsFolder(folder))
        return InNewFolder(name, folder, boxes);
    return InExistingFolder(name, boxes);
}
