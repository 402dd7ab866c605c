#pragma once
#include <QTreeWidget>
#include <string>

// The Look In tree: the computer entry ("Arbeitsplatz", all drives) with the folders below it.
// A small tree for now: the root folder, the home folder and folders selected by path.
class LookInTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LookInTree(QWidget* parent = nullptr);

    std::string SelectedPath() const; // empty for the computer entry or no selection
    std::string SelectedText() const;
    // Selects the entry of an existing folder (adding it when needed); a path that does not
    // resolve to a folder changes nothing.
    bool SelectPath(const std::string& path);
    void SelectComputer();

Q_SIGNALS:
    void SelectionChanged();

private:
    QTreeWidgetItem* ItemOf(const std::string& path) const;
    QTreeWidgetItem* computer_;
};
