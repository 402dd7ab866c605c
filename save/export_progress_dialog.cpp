#include "save/export_progress_dialog.h"

#include <QCoreApplication>

#include "resources/qt_text.h"

namespace {

// Events are let through this often, so the window stays drawn.
constexpr qint64 kEventsEveryMs = 40;

} // namespace

ExportProgressDialog::ExportProgressDialog(QWidget* parent, const std::string& label)
    : dialog_(QText(label), QText(21), 0, 1, parent) {
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(500);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
    sinceEvents_.start();
}

ExportProgress ExportProgressDialog::Callback() {
    return [this](std::size_t done, std::size_t total) {
        if (sinceEvents_.elapsed() >= kEventsEveryMs) {
            // Values scaled to what the dialog's int takes.
            const int maximum = 10000;
            dialog_.setMaximum(maximum);
            dialog_.setValue(total ? int(double(done) / double(total) * maximum) : 0);
            // Only a dialog on the screen keeps the user from the rows being written, so
            // events wait until it shows.
            if (dialog_.isVisible())
                QCoreApplication::processEvents();
            sinceEvents_.restart();
        }
        return !dialog_.wasCanceled();
    };
}
