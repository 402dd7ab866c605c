#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <regex>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/command_output.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {

class ExportCommands : public ::testing::Test {
  protected:
    ScriptedMessageBoxes boxes;
    TempTree tree{TreePlace::Disk};
    TForm1 window{boxes};
    std::vector<std::vector<std::string>> asked; // title, suggestion, filter, extension
    std::string answer;

    void SetUp() override {
        window.ChooseExportFile = [this](const std::string& title, const std::string& suggestion,
                                         const std::string& filter, const std::string& extension) {
            asked.push_back({title, suggestion, filter, extension});
            return answer;
        };
    }

    void Search(const std::string& folder, const std::string& mask) {
        ASSERT_TRUE(window.stLookIn->SelectPath(folder));
        window.ckbShowSize->setChecked(true);
        window.cbLookfor->setEditText(QString::fromStdString(mask));
        window.btnSearchClick();
        QElapsedTimer timer;
        timer.start();
        while (window.btnCancel->isEnabled() && timer.elapsed() < 20000)
            QApplication::processEvents();
    }
};

} // namespace

TEST_F(ExportCommands, AnEmptyListIsNeitherPrintedNorExported) {
    bool previewed = false;
    window.ShowPrintPreview = [&](QPrinter&, const std::function<void(QPrinter*)>&) {
        previewed = true;
    };
    window.mnPrint->trigger();
    window.mnExportPdf->trigger();
    window.mnExportSpreadsheet->trigger();
    const ScriptedMessageBoxes::Shown empty{"Error",
                                            "Ergebnisanzeige ist leer, Speichern nicht möglich."};
    EXPECT_EQ(boxes.shown, std::vector(3, empty));
    EXPECT_FALSE(previewed);
    EXPECT_TRUE(asked.empty());
}

// The dialog offers the Save In folder and the composed name with the format's extension;
// the chosen file is written and reported like a saved result file; a dialog closed without a
// name writes nothing.
TEST_F(ExportCommands, ExportsOfferTheComposedNameAndWriteTheChosenFile) {
    tree.File("in/a.txt", 1024);
    tree.File("in/b.txt", 2048);
    Search(tree.Path("in"), "*.txt");
    ASSERT_EQ(window.Results->rowCount(), 2);
    window.sjtSaveIn->SetSelectedFolder(tree.Root());
    ASSERT_EQ(window.sjtSaveIn->SelectedFolder(), tree.Root());
    std::string composed = tree.Path("in") + "_txt.";
    std::replace(composed.begin(), composed.end(), '/', '_');

    for (const auto& [action, title, extension, filter] :
         {std::tuple{window.mnExportPdf, "Als PDF exportieren", "pdf", "PDF-Dokumente (*.pdf)"},
          std::tuple{window.mnExportSpreadsheet, "Als Tabelle exportieren (.xlsx)", "xlsx",
                     "Excel-Arbeitsmappen (*.xlsx)"}}) {
        asked.clear();
        answer.clear();
        action->trigger();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0],
                  (std::vector<std::string>{title, tree.Root() + "/" + composed + extension, filter,
                                            extension}));
        EXPECT_FALSE(std::filesystem::exists(asked[0][1]));

        answer = tree.Path(std::string("liste.") + extension);
        action->trigger();
        EXPECT_TRUE(std::filesystem::file_size(answer) > 0) << answer;
        EXPECT_EQ(window.StatusPanel1->text().toStdString(), "Datei " + answer + " gespeichert.");
    }
    if (HasProgram("pdftotext")) {
        const std::string text =
            CommandOutput("pdftotext -layout " + ShellQuoted(tree.Path("liste.pdf")) + " -");
        EXPECT_NE(text.find("Suchen in: " + tree.Path("in") + " \u2013 Suchen nach: *.txt"),
                  std::string::npos)
            << text;
        EXPECT_TRUE(std::regex_search(text, std::regex("Fundstellen: 2 +Summe: 3\\.072 Byte")))
            << text;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// The preview gets a printer already set to the locale's paper; what it asks to be painted
// is the report.
TEST_F(ExportCommands, PrintShowsThePreviewOfTheReport) {
    tree.File("in/a.txt", 1024);
    Search(tree.Path("in"), "*.txt");
    const std::string pdf = tree.Path("druck.pdf");
    QString paper;
    window.ShowPrintPreview = [&](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        paper = printer.pageLayout().pageSize().name();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        paint(&printer);
    };
    window.mnPrint->trigger();
    EXPECT_EQ(paper.toStdString(), "A4");
    ASSERT_TRUE(std::filesystem::exists(pdf));
    if (HasProgram("pdftotext")) {
        const std::string text = CommandOutput("pdftotext -layout " + ShellQuoted(pdf) + " -");
        EXPECT_NE(text.find(tree.Path("in/a.txt")), std::string::npos) << text;
        EXPECT_NE(text.find("Seite 1 von 1"), std::string::npos) << text;
    }
}
