#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "app/message_boxes.h"

// The Save command's checks and questions, from the list's row count, the file name box text
// as typed and the save folder: the full path to hand to the writer, or nothing when the
// command stops (its reason or the user's Nein already given).
std::optional<std::string> ChooseSaveTarget(std::size_t rows, const std::string& typedName,
                                            const std::string& saveFolder, MessageBoxes& boxes);
