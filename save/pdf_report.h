#pragma once
#include <memory>
#include <string>

#include "app/message_boxes.h"
#include "save/report_texts.h"
#include "save/result_writer.h"

class QGuiApplication;

// Painting text needs a QGuiApplication. Where there is none yet (pathquill-list) this makes
// one on the offscreen platform, so no display is needed; nothing where there is one.
std::unique_ptr<QGuiApplication> MakePaintingApplication();

// Writes the list as displayed as a PDF report to fileName, with the result file's checks and
// reports. The target is replaced only by a complete file; a cancel leaves it as it was.
WriteOutcome WritePdfReport(const ResultTable& table, const ReportTexts& texts,
                            const std::string& fileName, MessageBoxes& boxes,
                            const ExportProgress& progress = {},
                            const WriterPlatform& platform = {});
