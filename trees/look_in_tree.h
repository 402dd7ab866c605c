#pragma once
#include <memory>
#include <string>

#include "trees/folder_tree.h"

class QMenu;

// The Look In tree: what to search. Its computer entry ("Arbeitsplatz") stands for all drives.
class LookInTree : public FolderTree {
    Q_OBJECT
  public:
    explicit LookInTree(QWidget* parent = nullptr, const std::string& homeFolder = {});

    std::string SelectedPath() const; // empty for the computer entry or no selection
    std::string SelectedText() const;
    // Selects the entry of a folder, opening the entries above it; a path that does not
    // resolve to a folder changes nothing and shows nothing.
    bool SelectPath(const std::string& path);
    void SelectComputer();
    // The menu a right click on the entry opens.
    std::unique_ptr<QMenu> ContextMenuFor(QTreeWidgetItem* item);

  Q_SIGNALS:
    void SelectionChanged();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
