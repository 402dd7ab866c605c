#pragma once
#include <QLabel>
#include <string>

// A status bar panel that shows a path inside its text shortened from the left, folder by
// folder, so that the whole text fits the panel at any width.
class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    // text holds path once; only that part is shortened.
    void ShowPath(const std::string& text, const std::string& path);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Fit();

    std::string before_, path_, after_;
    QString fitted_; // what Fit showed last; any other text set since is left alone
};
