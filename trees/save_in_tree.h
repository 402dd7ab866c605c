#pragma once
#include <QTreeWidget>
#include <string>

class MessageBoxes;

// The Save In tree: the folders result files can be saved in, the computer entry at the top.
// Entries are named by their folder path; the computer entry's path is empty.
class SaveInTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit SaveInTree(MessageBoxes& messages, QWidget* parent = nullptr);

    // The path of the selected entry; empty for the computer entry or no selection.
    std::string SelectedFolder() const;
    // Selects the entry of a folder, opening the entries above it; an empty path selects the
    // computer entry. A folder that cannot be found shows message 187 with the path.
    void SetSelectedFolder(const std::string& path);
    // Re-reads the subfolders of the entry of a path, and inside its expanded subentries.
    void Refresh(const std::string& path);
    // Creates parent/name with any missing folders above it (empty name: "Neuer Ordner"),
    // selects it and opens its label for editing; silent when it cannot be created.
    void CreateNewFolder(const std::string& parent, const std::string& name);

  Q_SIGNALS:
    // The selection moved to the entry of this path (empty: the computer entry).
    void SelectionChanged(const std::string& path);
    // A label edit ended with this text; raised before the folder is renamed.
    void LabelEdited(const std::string& path, const std::string& newText);
    // The user asked for a new folder in the selected one (the context menu's default entry).
    void NewFolderRequested();

  private:
    QTreeWidgetItem* ItemOf(const std::string& path) const;
    QTreeWidgetItem* AddFolder(const std::string& path);
    MessageBoxes& messages_;
    QTreeWidgetItem* computer_;
};
