#pragma once
#include <string>

class QComboBox;
class QLineEdit;

// Texts that come as bytes (from the settings file) and are shown in widgets. While a widget
// still shows such a text unchanged, the bytes it came with are what counts: a file name or
// mask that is not valid UTF-8 would otherwise turn into replacement characters.

void ShowBytes(QLineEdit& edit, const std::string& bytes);
std::string BytesOf(const QLineEdit& edit);

// The edit text of a combo box; a text picked from its list counts with that item's bytes.
void ShowEditBytes(QComboBox& box, const std::string& bytes);
std::string EditBytesOf(const QComboBox& box);

void InsertItemBytes(QComboBox& box, int index, const std::string& bytes);
std::string ItemBytesOf(const QComboBox& box, int index);
