#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>

#include "platform/program_file.h"
#include "support/xdg_sandbox.h"
#include "system/desktop_entry_text.h"
#include "system/key_file_lines.h"

namespace {
namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    return fs::exists(path);
}

std::string ExecLineOf(const std::string& entryText) {
    const auto at = entryText.find("\nExec=");
    if (at == std::string::npos)
        return {};
    return entryText.substr(at + 1, entryText.find('\n', at + 1) - at - 1);
}
} // namespace

// What a launcher must read back as one argument, written by the Desktop Entry rules:
// quoted, \ " ` $ escaped inside the quotes, % doubled, then every backslash doubled again.
TEST(DesktopEntryText, ProgramPathIsQuotedAsOneArgument) {
    struct Case {
        const char* path;
        const char* exec;
    } const cases[] = {
        {"/usr/bin/pathquill", R"("/usr/bin/pathquill")"},
        {"/opt/Meine Programme/Path quill/pathquill",
         R"("/opt/Meine Programme/Path quill/pathquill")"},
        {R"(/opt/a"b/pathquill)", R"("/opt/a\\"b/pathquill")"},
        {"/opt/$HOME/`x`/pathquill", R"("/opt/\\$HOME/\\`x\\`/pathquill")"},
        {R"(/opt/back\slash/pathquill)", R"("/opt/back\\\\slash/pathquill")"},
        {"/opt/100%/pathquill", R"("/opt/100%%/pathquill")"},
        {"/opt/tab\there/pathquill", R"("/opt/tab\there/pathquill")"},
        {"/opt/Grüße;(&)/pathquill", R"("/opt/Grüße;(&)/pathquill")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteExecArgument(c.path), c.exec) << c.path;
}

TEST(DesktopEntryText, FolderEntryOffersItselfForFoldersOnlyWhenAskedAndKeepsItsRecord) {
    const std::string offered = FolderEntryText("/opt/My Apps/pathquill", true);
    EXPECT_EQ(offered.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nType=Application\n", "\nName=Pathquill\n", "\nNoDisplay=true\n",
                             "\nMimeType=inode/directory;\n"})
        EXPECT_NE(offered.find(line), std::string::npos) << line;
    EXPECT_EQ(ExecLineOf(offered), R"(Exec="/opt/My Apps/pathquill" %f)");
    EXPECT_EQ(ExecLineOf(ServiceMenuText("/opt/My Apps/pathquill")), ExecLineOf(offered));
    EXPECT_TRUE(OffersFolders(offered));
    const std::string quiet = FolderEntryText("/opt/My Apps/pathquill", false);
    EXPECT_FALSE(OffersFolders(quiet));
    EXPECT_EQ(quiet.find("inode/directory"), std::string::npos);
    EXPECT_EQ(ExecLineOf(quiet), ExecLineOf(offered));

    const EntryAdditions records[] = {
        {},
        {"fm.desktop", std::nullopt, true, true, true},
        {"fm.desktop", std::string("gone.desktop;"), false, false, true},
        {"fm.desktop", std::string(""), false, true, false},
        {"", std::nullopt, false, false, true},
    };
    for (const EntryAdditions& a : records)
        for (const bool offers : {false, true})
            EXPECT_EQ(AdditionsIn(FolderEntryText("/p", offers, a)), a) << a.pinned << offers;
}

// The file manager shows the comment in the desktop's language, whatever Pathquill's own is.
TEST(DesktopEntryText, CommentInEnglishWithOtherWordingsBeside) {
    const std::string text = FolderEntryText(
        "/p", true, {},
        {{"", "List it"}, {"de", "Auflisten"}, {"fr", "List it"}, {"nl", "Back\\slash"}});
    EXPECT_NE(text.find("\nComment=List it\nComment[de]=Auflisten\nComment[nl]=Back\\\\slash\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Comment[fr]"), std::string::npos) << "same as the default";
    EXPECT_NE(FolderEntryText("/p", true)
                  .find("\nComment=List folders with Pathquill\n"
                        "Comment[de]=Ordner mit Pathquill auflisten\n"),
              std::string::npos);
}

// Pinning and taking it back give the file back byte for byte; a line the user changed since
// stays theirs.
TEST(DesktopEntryText, DefaultApplicationGoesFirstAndComesOutAgain) {
    struct Case {
        const char* before;
        const char* after;
    } const cases[] = {
        {"", "[Default Applications]\ninode/directory=fm.desktop;\n"},
        {"[Added Associations]\ntext/plain=ed.desktop;\n",
         "[Added Associations]\ntext/plain=ed.desktop;\n\n"
         "[Default Applications]\ninode/directory=fm.desktop;\n"},
        {"[Default Applications]\ntext/plain=ed.desktop;\n\n[Added Associations]\nx/y=z.desktop;\n",
         "[Default Applications]\ntext/plain=ed.desktop;\ninode/directory=fm.desktop;\n\n"
         "[Added Associations]\nx/y=z.desktop;\n"},
        {"[Default Applications]\ninode/directory=gone.desktop;\n",
         "[Default Applications]\ninode/directory=fm.desktop;gone.desktop;\n"},
        {"# mine\n[Added Associations]\ninode/directory=a.desktop;\n[Default Applications]\n",
         "# mine\n[Added Associations]\ninode/directory=a.desktop;\n[Default Applications]\n"
         "inode/directory=fm.desktop;\n"},
        {"[Default Applications]\ninode/directory=\n",
         "[Default Applications]\ninode/directory=fm.desktop;\n"},
    };
    for (const Case& c : cases) {
        EntryAdditions added;
        const std::string pinned =
            WithDefaultApplication(c.before, "inode/directory", "fm.desktop", added);
        EXPECT_EQ(pinned, c.after) << c.before;
        EXPECT_EQ(added.pinned, "fm.desktop");
        EXPECT_EQ(WithoutDefaultApplication(pinned, "inode/directory", added), c.before);
        KeyFileLines user(pinned);
        user.Set("Default Applications", "inode/directory", "mine.desktop;");
        EXPECT_EQ(WithoutDefaultApplication(user.Text(), "inode/directory", added), user.Text());
    }
}

TEST(DesktopEntryText, CachedHandlerAddedLastAndTakenOutAgain) {
    struct Case {
        const char* before;
        const char* added;
        const char* back;
    } const cases[] = {
        {"", "[MIME Cache]\ninode/directory=pq.desktop;\n", "[MIME Cache]\n"},
        {"[MIME Cache]\ntext/plain=ed.desktop;\n",
         "[MIME Cache]\ntext/plain=ed.desktop;\ninode/directory=pq.desktop;\n",
         "[MIME Cache]\ntext/plain=ed.desktop;\n"},
        {"[MIME Cache]\ninode/directory=fm.desktop;\nx/y=z.desktop;\n",
         "[MIME Cache]\ninode/directory=fm.desktop;pq.desktop;\nx/y=z.desktop;\n",
         "[MIME Cache]\ninode/directory=fm.desktop;\nx/y=z.desktop;\n"},
        {"[MIME Cache]\ninode/directory=fm.desktop\n",
         "[MIME Cache]\ninode/directory=fm.desktop;pq.desktop;\n",
         "[MIME Cache]\ninode/directory=fm.desktop;\n"},
    };
    for (const Case& c : cases) {
        const std::string added = WithCachedHandler(c.before, "inode/directory", "pq.desktop");
        EXPECT_EQ(added, c.added) << c.before;
        EXPECT_EQ(WithCachedHandler(added, "inode/directory", "pq.desktop"), added);
        const std::string back = WithoutCachedHandler(added, "inode/directory", "pq.desktop");
        EXPECT_EQ(back, c.back) << c.before;
        EXPECT_EQ(IsEmptyCache(back), back == "[MIME Cache]\n");
        EXPECT_EQ(WithoutCachedHandler(back, "inode/directory", "pq.desktop"), back);
    }
}

TEST(ContextMenuEntry, OnOffOnCycleFollowsTheProgramPath) {
    XdgSandbox sandbox;
    const ContextMenuEntry entry = sandbox.Entry();
    EXPECT_EQ(entry.EntryPath(), sandbox.tree.Path("data/applications/pathquill-folder.desktop"));
    EXPECT_FALSE(entry.Exists());

    ASSERT_EQ(entry.Write("/opt/old place/pathquill"), EntryResult::Done);
    EXPECT_TRUE(entry.Exists());
    // Nothing else opens folders here: the entry does not offer itself for them.
    EXPECT_EQ(XdgSandbox::Read(entry.EntryPath()),
              FolderEntryText("/opt/old place/pathquill", false));

    EXPECT_EQ(entry.Remove(), EntryResult::Done);
    EXPECT_FALSE(entry.Exists());
    EXPECT_EQ(entry.Remove(), EntryResult::NothingToDelete);

    // An entry already up to date is left as it is; a moved program's command is replaced.
    ASSERT_EQ(entry.Write("/opt/old place/pathquill"), EntryResult::Done);
    const auto inode = [&] {
        struct stat st {};
        return ::stat(entry.EntryPath().c_str(), &st) == 0 ? st.st_ino : 0;
    };
    const auto before = inode();
    ASSERT_EQ(entry.Write("/opt/old place/pathquill"), EntryResult::Done);
    EXPECT_EQ(inode(), before);
    ASSERT_EQ(entry.Write("/usr/local/bin/pathquill"), EntryResult::Done);
    EXPECT_EQ(ExecLineOf(XdgSandbox::Read(entry.EntryPath())),
              R"(Exec="/usr/local/bin/pathquill" %f)");
}

TEST(ContextMenuEntry, KdeServiceMenuCopyOnlyWhereThatFolderIsUsed) {
    XdgSandbox sandbox;
    const ContextMenuEntry entry = sandbox.Entry();
    ASSERT_EQ(entry.Write("/opt/pq/pathquill"), EntryResult::Done);
    EXPECT_TRUE(entry.ServiceMenuPaths().empty());
    EXPECT_FALSE(Exists(sandbox.tree.Path("data/kio/servicemenus")));

    sandbox.tree.Folder("data/kio/servicemenus");
    sandbox.tree.Folder("data/kservices5/ServiceMenus");
    ASSERT_EQ(entry.Write("/opt/pq/pathquill"), EntryResult::Done);
    const auto copies = entry.ServiceMenuPaths();
    ASSERT_EQ(copies.size(), 2u);
    for (const std::string& copy : copies) {
        EXPECT_EQ(XdgSandbox::Read(copy), ServiceMenuText("/opt/pq/pathquill")) << copy;
        struct stat st {};
        ASSERT_EQ(::stat(copy.c_str(), &st), 0);
        EXPECT_TRUE(st.st_mode & S_IXUSR) << copy; // KDE skips local service menus otherwise
    }
    EXPECT_EQ(entry.Remove(), EntryResult::Done);
    for (const std::string& copy : copies)
        EXPECT_FALSE(Exists(copy)) << copy;
}

TEST(ContextMenuEntry, FailuresOfEachStepAreTold) {
    struct Case {
        const char* name;
        void (*prepare)(XdgSandbox&);
        EntryResult write;
    } const cases[] = {
        // "applications" is a file: the folder cannot be made, not even by root.
        {"no applications folder", [](XdgSandbox& s) { s.Write("data/applications", "x"); },
         EntryResult::CreateFailed},
        {"entry is a folder",
         [](XdgSandbox& s) { s.tree.Folder("data/applications/pathquill-folder.desktop/x"); },
         EntryResult::CreateFailed},
        {"KDE folder is a file",
         [](XdgSandbox& s) {
             s.tree.Folder("data/kio/servicemenus");
             s.tree.Folder("data/kio/servicemenus/pathquill-folder.desktop/x");
         },
         EntryResult::WriteFailed},
    };
    for (const Case& c : cases) {
        XdgSandbox sandbox;
        c.prepare(sandbox);
        EXPECT_EQ(sandbox.Entry().Write("/opt/pq/pathquill"), c.write) << c.name;
    }
}

TEST(ContextMenuEntry, ReportsNameTheBoxAndTheText) {
    using Box = EntryReport::Box;
    struct Case {
        EntryResult result;
        Box box;
        const char* text;
    } const cases[] = {
        {EntryResult::Done, Box::None, ""},
        {EntryResult::Skipped, Box::None, ""},
        {EntryResult::CreateFailed, Box::Stop, "Erzeugung von Schlüssel /d/e.desktop misslungen"},
        {EntryResult::OpenFailed, Box::Error, "Fehler beim Öffnen der Registry"},
        {EntryResult::WriteFailed, Box::Stop, "Konnte Daten für 'Exec' nicht setzen"},
        {EntryResult::NothingToDelete, Box::Error, "Fehler beim Löschen in der Registry"},
    };
    for (const Case& c : cases) {
        const EntryReport report = ReportFor(c.result, "/d/e.desktop");
        EXPECT_EQ(report.box, c.box) << c.text;
        EXPECT_EQ(report.text, c.text);
    }
}

TEST(ContextMenuEntry, ProgramOnAnotherKindOfDriveLeavesTheEntryAlone) {
    XdgSandbox sandbox;
    ContextMenuSetup setup = sandbox.Setup("/media/cdrom/pathquill");
    std::string asked;
    setup.driveAllowsEntry = [&](const std::string& path) {
        asked = path;
        return false;
    };
    EXPECT_EQ(SwitchContextMenuEntry(setup, true), EntryResult::Skipped);
    EXPECT_EQ(asked, "/media/cdrom/pathquill");
    EXPECT_FALSE(sandbox.Entry().Exists());
    EXPECT_EQ(SwitchContextMenuEntry(setup, false), EntryResult::Skipped); // no 157 either

    setup.driveAllowsEntry = [](const std::string&) { return true; };
    EXPECT_EQ(SwitchContextMenuEntry(setup, true), EntryResult::Done);
    EXPECT_TRUE(sandbox.Entry().Exists());
}

TEST(ContextMenuEntry, WrittenEntryPassesDesktopFileValidate) {
    XdgSandbox sandbox;
    if (!sandbox.Tools().Run("desktop-file-validate", {"--help"}))
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const ContextMenuEntry entry = sandbox.Entry();
    ASSERT_EQ(entry.Write("/opt/Meine Programme/pathquill"), EntryResult::Done);
    const auto out = sandbox.Tools().Run("desktop-file-validate", {entry.EntryPath()});
    ASSERT_TRUE(out.has_value()) << "desktop-file-validate failed on\n"
                                 << XdgSandbox::Read(entry.EntryPath());
    EXPECT_EQ(*out, "");
}

namespace {
// A file manager installed for the whole system, as a package would put it there.
void InstallFileManager(XdgSandbox& s, const std::string& id) {
    s.Write("sys/applications/" + id, "[Desktop Entry]\nType=Application\nName=" + id +
                                          "\nExec=/bin/true %U\n"
                                          "MimeType=inode/directory;\n");
}

void SystemCache(XdgSandbox& s, const std::string& handlers) {
    s.Write("sys/applications/mimeinfo.cache", "[MIME Cache]\ninode/directory=" + handlers + "\n");
}

std::optional<std::string> ReadIfThere(const std::string& path) {
    return fs::exists(path) ? std::optional(XdgSandbox::Read(path)) : std::nullopt;
}

// Which program opens folders, as xdg-mime and gio tell it, and the user's files that switching
// the entry off must give back as they were.
struct FolderState {
    std::string xdgMime, gio;
    std::optional<std::string> mimeapps, cache;
    bool operator==(const FolderState&) const = default;
};

void PrintTo(const FolderState& s, std::ostream* os) {
    *os << "xdg-mime " << s.xdgMime << ", gio " << s.gio << "\nmimeapps.list "
        << s.mimeapps.value_or("(none)") << "\nmimeinfo.cache " << s.cache.value_or("(none)");
}

std::string GioMime(const XdgSandbox& s) {
    DesktopTools::Environment env = s.Environment();
    env.emplace_back("LC_ALL", "C");
    return DesktopTools(env).Run("gio", {"mime", "inode/directory"}).value_or("");
}

std::string GioDefault(const XdgSandbox& s) {
    const std::string out = GioMime(s);
    const auto line = out.find("Default application");
    if (line == std::string::npos)
        return {};
    const auto value = out.find(": ", line) + 2;
    return out.substr(value, out.find('\n', value) - value);
}

bool GioOffers(const XdgSandbox& s, const std::string& id) {
    return GioMime(s).find("\t" + id + "\n") != std::string::npos;
}

FolderState StateOf(const XdgSandbox& s) {
    return {s.Tools().DefaultFolderHandler(), GioDefault(s),
            ReadIfThere(s.tree.Path("config/mimeapps.list")),
            ReadIfThere(s.tree.Path("data/applications/mimeinfo.cache"))};
}

// gio offers only programs that are there.
std::string Program(XdgSandbox& s) {
    const std::string path = s.Write("opt/Path quill/pathquill", "#!/bin/sh\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

bool ToolsMissing(const XdgSandbox& s) {
    return !s.Tools().Run("xdg-mime", {"--version"}) || !s.Tools().Run("gio", {"version"});
}
} // namespace

// The entry in the user's own folder would come first among the programs that may open
// folders. Switched on it is offered for folders and they still open where they opened
// before; switched off, the user's files are as they were.
TEST(ContextMenuEntry, FoldersOpenWhereTheyOpenedBeforeInEveryState) {
    struct Case {
        const char* name;
        void (*prepare)(XdgSandbox&);
        const char* handler;
    } const cases[] = {
        {"chosen by the user",
         [](XdgSandbox& s) {
             InstallFileManager(s, "otherfm.desktop");
             SystemCache(s, "fakefm.desktop;otherfm.desktop;");
             s.Write("config/mimeapps.list",
                     "[Default Applications]\ninode/directory=otherfm.desktop;\n");
         },
         "otherfm.desktop"},
        {"from the system's cache only", [](XdgSandbox& s) { SystemCache(s, "fakefm.desktop;"); },
         "fakefm.desktop"},
        {"several installed",
         [](XdgSandbox& s) {
             InstallFileManager(s, "otherfm.desktop");
             SystemCache(s, "fakefm.desktop;otherfm.desktop;");
         },
         "fakefm.desktop"},
        {"chosen once, that one gone since",
         [](XdgSandbox& s) {
             SystemCache(s, "fakefm.desktop;");
             s.Write("config/mimeapps.list",
                     "# mine\n[Added Associations]\ntext/plain=ed.desktop;\n\n"
                     "[Default Applications]\ninode/directory=gone.desktop;\n");
         },
         "fakefm.desktop"},
        {"the user's folder with a cache of its own",
         [](XdgSandbox& s) {
             SystemCache(s, "fakefm.desktop;");
             s.Write("data/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=ed.desktop;\n");
         },
         "fakefm.desktop"},
    };
    for (const Case& c : cases) {
        XdgSandbox sandbox;
        if (ToolsMissing(sandbox))
            GTEST_SKIP() << "xdg-mime or gio is not installed";
        InstallFileManager(sandbox, "fakefm.desktop");
        c.prepare(sandbox);
        const FolderState before = StateOf(sandbox);
        ASSERT_EQ(before.xdgMime, c.handler) << c.name;
        ASSERT_EQ(before.gio, c.handler) << c.name;

        const ContextMenuEntry entry = sandbox.Entry();
        const std::string program = Program(sandbox);
        ASSERT_EQ(entry.Write(program), EntryResult::Done) << c.name;
        const FolderState on = StateOf(sandbox);
        EXPECT_EQ(on.xdgMime, c.handler) << c.name;
        EXPECT_EQ(on.gio, c.handler) << c.name;
        EXPECT_TRUE(GioOffers(sandbox, "pathquill-folder.desktop")) << c.name;
        // The next start finds everything in place and changes nothing.
        ASSERT_EQ(entry.Write(program), EntryResult::Done) << c.name;
        EXPECT_EQ(StateOf(sandbox), on) << c.name;

        ASSERT_EQ(entry.Remove(), EntryResult::Done) << c.name;
        EXPECT_EQ(StateOf(sandbox), before) << c.name;
    }
}

TEST(ContextMenuEntry, FileManagerInstalledAfterwardsOpensFolders) {
    XdgSandbox sandbox;
    if (ToolsMissing(sandbox))
        GTEST_SKIP() << "xdg-mime or gio is not installed";
    const ContextMenuEntry entry = sandbox.Entry();
    const std::string program = Program(sandbox);
    const FolderState nothing = StateOf(sandbox);
    ASSERT_EQ(nothing.xdgMime, "");
    ASSERT_EQ(entry.Write(program), EntryResult::Done);
    EXPECT_EQ(StateOf(sandbox), nothing); // the program does not become the folder handler

    InstallFileManager(sandbox, "fakefm.desktop");
    SystemCache(sandbox, "fakefm.desktop;");
    const FolderState installed = StateOf(sandbox);
    EXPECT_EQ(installed.xdgMime, "fakefm.desktop");
    EXPECT_EQ(installed.gio, "fakefm.desktop");

    // The next start offers the entry for folders.
    ASSERT_EQ(entry.Write(program), EntryResult::Done);
    EXPECT_TRUE(GioOffers(sandbox, "pathquill-folder.desktop"));
    EXPECT_EQ(StateOf(sandbox).xdgMime, "fakefm.desktop");
    EXPECT_EQ(StateOf(sandbox).gio, "fakefm.desktop");
    ASSERT_EQ(entry.Remove(), EntryResult::Done);
    EXPECT_EQ(StateOf(sandbox), installed);
}

TEST(ProgramFile, HelpFileNameIgnoresLetterCase) {
    TempTree tree;
    const std::string folder = tree.Root() + "/";
    EXPECT_EQ(FileInFolderIgnoringCase(folder, "PATHQUILL.HLP"), folder + "PATHQUILL.HLP");
    tree.File("Pathquill.hlp");
    EXPECT_EQ(FileInFolderIgnoringCase(folder, "PATHQUILL.HLP"), folder + "Pathquill.hlp");
    tree.File("PATHQUILL.HLP");
    EXPECT_EQ(FileInFolderIgnoringCase(folder, "PATHQUILL.HLP"), folder + "PATHQUILL.HLP");
    EXPECT_EQ(FileInFolderIgnoringCase(folder + "gone/", "PATHQUILL.HLP"),
              folder + "gone/PATHQUILL.HLP");
}
