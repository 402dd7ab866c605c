#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "save/composed_name.h"
#include "save/file_naming.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"

namespace {

using Box = ScriptedMessageBoxes::Shown;

struct Composing {
    ScriptedMessageBoxes boxes;
    std::vector<std::string> status; // "left|right" per report
    NamingMachine machine;
    std::vector<std::string> askedDrives;

    // Folders that exist and the facts of every drive root asked about.
    Composing(std::vector<std::string> folders, DriveFacts facts) {
        machine.isFolder = [folders](const std::string& p) {
            return std::find(folders.begin(), folders.end(), p) != folders.end();
        };
        machine.drive = [this, facts](const std::string& root) {
            askedDrives.push_back(root);
            return facts;
        };
    }
    std::optional<ComposedName> Compose(const std::string& target, const std::string& lookFor) {
        return ComposeFileName(
            target, lookFor, boxes,
            [this](const std::string& l, const std::string& r) { status.push_back(l + "|" + r); },
            machine);
    }
};

const DriveFacts kHarddisk{"Harddisk", {true, "", "ext4", 1}};
const DriveFacts kLabelled{"Harddisk", {true, "DATEN", "ext4", 1}};

} // namespace

TEST(ComposedName, NamesForEveryKindOfTarget) {
    struct Case {
        std::string target, lookFor;
        DriveFacts drive;
        std::string name;
        bool unlabelledRoot;
    };
    const std::vector<Case> cases = {
        {"/home/u/Tools", "*.exe", kHarddisk, "_home_u_Tools_exe.txt", false},
        {"AllDrives", "*.*", kHarddisk, "Alle_LW_alle.txt", false},
        {"AllDrives", "te?t.doc", kHarddisk, "Alle_LW_te?t.doc.txt", false}, // not cleaned
        {"AllDrives", "", kHarddisk, "Alle_LW_unbekannt.txt", false},
        {"AllDrives", "  *.txt  ", kHarddisk, "Alle_LW_txt.txt", false},
        {"/", "bericht.doc", kLabelled, "DATEN_bericht.doc.txt", false},
        {"/", "", kHarddisk, "_unbekannt.txt", true},
        {"/", "*.*", kHarddisk, "_alle.txt", true},
        {"/home/u/", "*.doc", kLabelled, "DATEN_home_u_doc.txt", false},
        {"/home/u/", "*.doc", kHarddisk, "_home_u_doc.txt", true},
        // A folder's look-for part goes through the mask cleaning twice.
        {"/home/u/Tools", "*.txt*.doc", kHarddisk, "_home_u_Tools_txtdoc.txt", false},
        {"AllDrives", "*.txt*.doc", kHarddisk, "Alle_LW_txt*.doc.txt", false},
        {"/", "*.txt*.doc", kHarddisk, "_txt_.doc.txt", true},
        {"/home/u/Tools", "*.*.*", kHarddisk, "_home_u_Tools_alle._.txt", false},
        {"/home/u/Tools", "*.*", kHarddisk, "_home_u_Tools_alle.txt", false},
        {"/home/u/Tools", "te?t.doc", kHarddisk, "_home_u_Tools_te_t.doc.txt", false},
        {"/home/u/Tools", "   ", kHarddisk, "_home_u_Tools_.txt", false},
        // A network path keeps the last letter of its share.
        {"//server/share", "*.txt", kHarddisk, "server_sharetxt.txt", false},
        {"//server/share/", "*.txt", kHarddisk, "server_sharetxt.txt", false},
        // Several masks: each cleaned as one would be, joined by "_".
        {"/home/u/Bilder", "*.jpg;*.png", kHarddisk, "_home_u_Bilder_jpg_png.txt", false},
        {"/home/u/Bilder", "*.txt*.doc; ;*.*.*", kHarddisk, "_home_u_Bilder_txtdoc_alle._.txt",
         false},
        {"AllDrives", " *.jpg ; *.png ", kHarddisk, "Alle_LW_jpg_png.txt", false},
        {"AllDrives", ";", kHarddisk, "Alle_LW_unbekannt.txt", false},
        {"/", "*.jpg;*.*", kHarddisk, "_jpg_alle.txt", true},
    };
    for (const Case& c : cases) {
        Composing composing({"/home/u/Tools", "/home/u/Bilder"}, c.drive);
        const auto composed = composing.Compose(c.target, c.lookFor);
        ASSERT_TRUE(composed) << c.target << " " << c.lookFor;
        EXPECT_EQ(composed->name, c.name) << c.target << " " << c.lookFor;
        EXPECT_EQ(composed->unlabelledDriveRoot, c.unlabelledRoot) << c.target;
        EXPECT_TRUE(composing.boxes.shown.empty()) << c.target;
        EXPECT_TRUE(composing.status.empty()) << c.target;
    }
}

TEST(ComposedName, RefusedTargets) {
    struct Case {
        std::string target;
        DriveFacts drive;
        Box box;
        std::vector<std::string> status;
    };
    const DriveFacts gone{"Does not exist", {}};
    const DriveFacts noMedium{"CD-ROM", {}};
    const std::vector<Case> cases = {
        {"/home/u/Weg", kHarddisk, {"Error", "Ausgewählter Ordner existiert nicht."}, {}},
        {"", kHarddisk, {"Error", "Ausgewählter Ordner existiert nicht."}, {}},
        {"/",
         gone,
         {"Error", "Ausgewähltes Laufwerk existiert nicht. Bitte informieren Sie "
                   "support@pathquill.example"},
         {}},
        {"/media/cdrom/",
         noMedium,
         {"Error", "Systemfehler. Wahrscheinlich kein Medium im Laufwerk."},
         {"Fehler|Systemfehler. Wahrscheinlich kein Medium im Laufwerk."}},
    };
    for (const Case& c : cases) {
        Composing composing({"/home/u/Tools"}, c.drive);
        EXPECT_FALSE(composing.Compose(c.target, "*.txt")) << c.target;
        EXPECT_EQ(composing.boxes.shown, std::vector<Box>{c.box}) << c.target;
        EXPECT_EQ(composing.status, c.status) << c.target;
    }
}

TEST(ComposedName, OnlyDriveRootsAskAboutTheirDrive) {
    Composing composing({"/home/u/Tools"}, kLabelled);
    composing.Compose("/home/u/Tools", "*.txt");
    composing.Compose("AllDrives", "*.txt");
    composing.Compose("/", "*.txt");
    EXPECT_EQ(composing.askedDrives, std::vector<std::string>{"/"});
}

TEST(ComposedName, LiveFolderAndRoot) {
    TempTree tree;
    const std::string folder = tree.Folder("Tools");
    ScriptedMessageBoxes boxes;
    const auto noStatus = [](const std::string&, const std::string&) { FAIL(); };
    const auto composed = ComposeFileName(folder, "*.exe", boxes, noStatus);
    ASSERT_TRUE(composed);
    std::string expected = folder + "_exe.txt";
    EXPECT_EQ(composed->name, TransformComposedName(expected));
    EXPECT_EQ(composed->name.rfind("_", 0), 0u);
    EXPECT_EQ(composed->name.find('/'), std::string::npos);

    // The root's name carries its volume label when it has one.
    const VolumeInfo root = GetVolumeInfo("/");
    ASSERT_TRUE(root.ok);
    const auto forRoot = ComposeFileName("/", "", boxes, noStatus);
    ASSERT_TRUE(forRoot);
    std::string rootName = root.label.empty() ? "/unbekannt.txt" : root.label + "//unbekannt.txt";
    EXPECT_EQ(forRoot->name, TransformComposedName(rootName));
    EXPECT_EQ(forRoot->unlabelledDriveRoot, root.label.empty());
    EXPECT_TRUE(boxes.shown.empty());
}
