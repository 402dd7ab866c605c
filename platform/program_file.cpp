#include "platform/program_file.h"

#include <climits>
#include <dirent.h>
#include <memory>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/strings.h"

std::string ProgramPath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string ProgramFolder() {
    const std::string exe = ProgramPath();
    if (exe.empty())
        return "./";
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string HelpFilePath() {
    return HelpFileIn(ProgramFolder(), MessageLanguage());
}

std::string HelpFileIn(const std::string& folder, std::string_view language) {
    if (language != "de") {
        const std::string_view base = language.substr(0, language.find('_'));
        for (const std::string_view name : {language, base}) {
            const std::string path =
                FileInFolderIgnoringCase(folder, "PATHQUILL." + std::string(name) + ".HLP");
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0)
                return path;
        }
    }
    return FileInFolderIgnoringCase(folder, "PATHQUILL.HLP");
}

std::string FileInFolderIgnoringCase(const std::string& folder, const std::string& name) {
    const std::string exact = folder + name;
    struct stat st {};
    if (::stat(exact.c_str(), &st) == 0)
        return exact;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return exact;
    while (const dirent* e = ::readdir(dir.get()))
        if (::strcasecmp(e->d_name, name.c_str()) == 0)
            return folder + e->d_name;
    return exact;
}
