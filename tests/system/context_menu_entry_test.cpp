#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "platform/program_file.h"
#include "support/xdg_sandbox.h"
#include "system/desktop_entry_text.h"

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

TEST(DesktopEntryText, FolderEntryOffersItselfForFoldersOnly) {
    const std::string text = FolderEntryText("/opt/My Apps/pathquill");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nType=Application\n", "\nName=Pathquill\n", "\nNoDisplay=true\n",
                             "\nMimeType=inode/directory;\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(ExecLineOf(text), R"(Exec="/opt/My Apps/pathquill" %f)");
    EXPECT_EQ(ExecLineOf(ServiceMenuText("/opt/My Apps/pathquill")), ExecLineOf(text));
}

// The file manager shows the comment in the desktop's language, whatever Pathquill's own is.
TEST(DesktopEntryText, CommentInEnglishWithOtherWordingsBeside) {
    const std::string text = FolderEntryText(
        "/p", {{"", "List it"}, {"de", "Auflisten"}, {"fr", "List it"}, {"nl", "Back\\slash"}});
    EXPECT_NE(text.find("\nComment=List it\nComment[de]=Auflisten\nComment[nl]=Back\\\\slash\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Comment[fr]"), std::string::npos) << "same as the default";
    EXPECT_NE(FolderEntryText("/p").find("\nComment=List folders with Pathquill\n"
                                         "Comment[de]=Ordner mit Pathquill auflisten\n"),
              std::string::npos);
}

TEST(DesktopEntryText, DefaultApplicationGoesFirstAndKeepsTheRest) {
    struct Case {
        const char* before;
        const char* after;
    } const cases[] = {
        {"", "[Default Applications]\ninode/directory=fm.desktop;\n"},
        {"[Added Associations]\ntext/plain=ed.desktop;\n",
         "[Added Associations]\ntext/plain=ed.desktop;\n\n"
         "[Default Applications]\ninode/directory=fm.desktop;\n"},
        {"[Default Applications]\ntext/plain=ed.desktop;\n[Added Associations]\nx/y=z.desktop;\n",
         "[Default Applications]\ntext/plain=ed.desktop;\ninode/directory=fm.desktop;\n"
         "[Added Associations]\nx/y=z.desktop;\n"},
        {"[Default Applications]\ninode/directory=gone.desktop;\n",
         "[Default Applications]\ninode/directory=fm.desktop;gone.desktop;\n"},
        {"[Added Associations]\ninode/directory=a.desktop;\n[Default Applications]\n",
         "[Added Associations]\ninode/directory=a.desktop;\n[Default Applications]\n"
         "inode/directory=fm.desktop;\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDefaultApplication(c.before, "inode/directory", "fm.desktop"), c.after)
            << c.before;
}

TEST(ContextMenuEntry, OnOffOnCycleFollowsTheProgramPath) {
    XdgSandbox sandbox;
    const ContextMenuEntry entry = sandbox.Entry();
    EXPECT_EQ(entry.EntryPath(), sandbox.tree.Path("data/applications/pathquill-folder.desktop"));
    EXPECT_FALSE(entry.Exists());

    ASSERT_EQ(entry.Write("/opt/old place/pathquill"), EntryResult::Done);
    EXPECT_TRUE(entry.Exists());
    EXPECT_EQ(XdgSandbox::Read(entry.EntryPath()), FolderEntryText("/opt/old place/pathquill"));

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

// Entries for folders in the user's own folder come first among implicit handlers, so without
// care double-clicking a folder would start the program instead of the file manager.
TEST(ContextMenuEntry, FoldersStillOpenWhereTheyOpenedBefore) {
    struct Case {
        const char* name;
        void (*prepare)(XdgSandbox&);
        bool pinned; // the previous handler had to be written down
    } const cases[] = {
        {"file manager from the system's MIME cache",
         [](XdgSandbox& s) {
             s.Write("sys/applications/mimeinfo.cache",
                     "[MIME Cache]\ninode/directory=fakefm.desktop;\n");
         },
         true},
        {"file manager as the only folder handler", [](XdgSandbox&) {}, true},
        {"file manager chosen by the user",
         [](XdgSandbox& s) {
             s.Write("config/mimeapps.list",
                     "[Default Applications]\ninode/directory=fakefm.desktop;\n");
         },
         false},
    };
    for (const Case& c : cases) {
        XdgSandbox sandbox;
        const DesktopTools tools = sandbox.Tools();
        if (!tools.Run("xdg-mime", {"--version"}))
            GTEST_SKIP() << "xdg-mime is not installed";
        sandbox.Write("sys/applications/fakefm.desktop",
                      "[Desktop Entry]\nType=Application\nName=Fake FM\nExec=/bin/true %U\n"
                      "MimeType=inode/directory;\n");
        c.prepare(sandbox);
        const std::string before = tools.DefaultFolderHandler();
        ASSERT_EQ(before, "fakefm.desktop") << c.name;
        const std::string listBefore = XdgSandbox::Read(sandbox.tree.Path("config/mimeapps.list"));

        ASSERT_EQ(sandbox.Entry().Write("/opt/pq/pathquill"), EntryResult::Done) << c.name;
        EXPECT_EQ(tools.DefaultFolderHandler(), before) << c.name;
        const std::string listAfter = XdgSandbox::Read(sandbox.tree.Path("config/mimeapps.list"));
        EXPECT_EQ(listAfter != listBefore, c.pinned) << c.name << "\n" << listAfter;
        // The entry is still offered for folders.
        const auto offers =
            tools.Run("grep", {"-rl", "inode/directory", sandbox.tree.Path("data")});
        ASSERT_TRUE(offers) << c.name;
        EXPECT_NE(offers->find("pathquill-folder.desktop"), std::string::npos) << c.name;
    }
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
