#pragma once
#include <QElapsedTimer>
#include <QProgressDialog>
#include <string>

#include "save/report_texts.h"

// Progress of a long export with Cancel. It shows only when the work takes a while; then the
// window goes on drawing but takes no input.
class ExportProgressDialog {
  public:
    ExportProgressDialog(QWidget* parent, const std::string& label);
    ExportProgress Callback();

  private:
    QProgressDialog dialog_;
    QElapsedTimer sinceEvents_;
};
