#include "platform/desktop_tools.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
// xdg-mime may ask the session bus which desktop runs; a hung bus must not hang the window.
constexpr int kToolTimeoutMs = 10000;

QString QStr(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

std::optional<std::string> DesktopTools::Run(const std::string& program,
                                             const std::vector<std::string>& arguments) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : overrides_)
        environment.insert(QStr(name), QStr(value));
    const QString executable = QStandardPaths::findExecutable(
        QStr(program), environment.value(QStringLiteral("PATH")).split(u':'));
    if (executable.isEmpty())
        return std::nullopt;
    QStringList args;
    for (const std::string& a : arguments)
        args << QStr(a);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(executable, args);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput().toStdString();
}

std::string DesktopTools::DefaultFolderHandler() const {
    const auto out = Run("xdg-mime", {"query", "default", "inode/directory"});
    if (!out)
        return {};
    std::string id = *out;
    while (!id.empty() && (id.back() == '\n' || id.back() == ' '))
        id.pop_back();
    return id;
}
