#pragma once
#include <memory>
#include <string>

#include "trees/folder_tree.h"

class MessageBoxes;
class QMenu;

// The Save In tree: the folder result files are saved in. The computer entry is selected at
// first; folder labels can be edited, which renames the folder on disk.
class SaveInTree : public FolderTree {
    Q_OBJECT
  public:
    explicit SaveInTree(MessageBoxes& messages, QWidget* parent = nullptr,
                        const std::string& homeFolder = {});

    // The path of the selected entry; empty for the computer entry or no selection.
    std::string SelectedFolder() const;
    // Selects the entry of a folder, opening the entries above it; an empty path selects the
    // computer entry. A folder that cannot be found shows message 187 with the path.
    void SetSelectedFolder(const std::string& path);
    // Re-reads the subfolders of the entry of a path (the selected one when it shows that
    // path), and inside its expanded subentries.
    void Refresh(const std::string& path);
    // Creates parent/name with any missing folders above it (empty name: "Neuer Ordner"),
    // selects it below the parent's entry (the selected one when it shows the parent) and
    // opens its label for editing; silent when it cannot be created.
    void CreateNewFolder(const std::string& parent, const std::string& name);
    // The menu of the selected folder, "Neuer Ordner" its default entry.
    std::unique_ptr<QMenu> ContextMenu();
    // Ends a label edit with this text: LabelEdited first, then the rename on disk.
    void FinishLabelEdit(QTreeWidgetItem* item, const std::string& newText);
    bool EditingLabel() const { return state() == QAbstractItemView::EditingState; }
    // Asks, then moves the selected folder to the trash and shows its parent.
    void TrashSelectedFolder();

  Q_SIGNALS:
    // The selection moved to the entry of this path (empty: the computer entry).
    void SelectionChanged(const std::string& path);
    // A label edit ended with this text; raised before the folder is renamed.
    void LabelEdited(const std::string& path, const std::string& newText);
    // The user asked for a new folder in the selected one (the context menu's default entry).
    void NewFolderRequested();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    MessageBoxes& messages_;
};
