#pragma once
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QAbstractItemView;
class MessageBoxes;
class ResultModel;

// What a file list does beyond showing rows: several rows selected, opened with the desktop's
// program, shown in the file manager, copied to the clipboard and dragged out as files.
class ResultListActions : public QObject {
    Q_OBJECT
  public:
    // The desktop's part, replaceable in tests. Each returns false when nothing answered.
    struct Desktop {
        std::function<bool(const std::string& url)> open;
        // The items by their URLs; the folder of the first is opened where no file manager answers.
        std::function<void(const std::vector<std::string>& urls, const std::string& folder)>
            showInFolder;
    };
    ResultListActions(QAbstractItemView& view, ResultModel& model, MessageBoxes& messages,
                      Desktop desktop = {});

    std::vector<std::size_t> SelectedRows() const;
    void OpenSelected();
    void ShowSelectedInFolder();
    void CopyPaths();
    void CopyRows();
    // The context menu for the current selection; its entries are disabled without one.
    std::unique_ptr<QMenu> ContextMenu();

    static Desktop SystemDesktop(MessageBoxes& messages);

  private:
    QAbstractItemView& view_;
    ResultModel& model_;
    MessageBoxes& messages_;
    Desktop desktop_;
    QAction* copy_;
};
