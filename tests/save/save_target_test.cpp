#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

#include "save/save_target.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"

namespace {

using Box = ScriptedMessageBoxes::Shown;

const Box kEmpty{"Error", "Ergebnisanzeige ist leer, Speichern nicht möglich."};
const Box kNoName{"Information",
                  "Der Name für die zu speichernde Datei fehlt. Geben Sie bitte einen Namen ein."};
const Box kTooLong{"Error", "Eingegebener Dateiname ist zu lang. Nur 80 Zeichen sind erlaubt."};
const Box kBadName{"Error", "Überprüfung des Dateinamens ist fehlgeschlagen."};
const Box kNoFolder{"Information", "Markieren Sie bitte ein Verzeichnis zum Speichern."};
const Box kAgainError{"Error", "Neue Eingabe erforderlich."};
const Box kAgainInfo{"Information", "Neue Eingabe erforderlich."};
const Box kCreate{"Question", "Ordner existiert nicht. Erzeugen?"};
const Box kCannotCreate{"Error", "Ordner kann nicht erstellt werden."};
const Box kReadOnly{"Question",
                    "Datei ist bereits vorhanden und schreibgeschützt. Attribut entfernen?"};
const Box kOverwrite{"Question", "Datei ist bereits vorhanden. Überschreiben?"};

// "@" stands for the root of a fresh tree holding out/old.txt, out/locked.txt (read-only),
// out/sub.txt (a folder) and blocker (a file).
std::string Expand(std::string text, const std::string& root) {
    if (const auto at = text.find('@'); at != std::string::npos)
        text.replace(at, 1, root);
    return text;
}

struct Case {
    std::string typed;
    std::vector<bool> answers;
    std::vector<Box> boxes;
    std::string target; // empty: nothing is written
    std::string saveFolder = "@/out";
    std::size_t rows = 3;
};

const std::string k76(76, 'a');

const std::vector<Case> kCases = {
    // the order of the first checks
    {"liste.txt", {}, {kEmpty}, "", "@/out", 0},
    {"", {}, {kEmpty}, "", "@/out", 0},
    {"", {}, {kNoName}, ""},
    {"", {}, {kNoName}, "", ""},
    // 80 characters pass, 81 do not; blanks around them do not count, a folder path does
    {k76 + ".txt", {}, {}, "@/out/" + k76 + ".txt"},
    {k76 + "a.txt", {}, {kTooLong}, ""},
    {"   " + k76 + ".txt \t", {}, {}, "@/out/" + k76 + ".txt"},
    {"/" + std::string(73, 'x') + "/a.txt", {false}, {kCreate, kAgainInfo}, ""},
    {"/" + std::string(74, 'x') + "/a.txt", {}, {kTooLong}, ""},
    // characters count, not bytes
    {std::string(75, 'a') + "ä.txt", {}, {}, "@/out/" + std::string(75, 'a') + "ä.txt"},
    {std::string(76, 'a') + "ä.txt", {}, {kTooLong}, ""},
    // plain names
    {"a.txt", {}, {}, "@/out/a.txt"},
    {"abcd", {}, {kBadName}, ""},
    {".hidden.txt", {}, {kBadName}, ""},
    {"liste.", {}, {kBadName}, ""},
    {"sub/liste.txt", {}, {kBadName}, ""},
    {"sub\\liste.txt", {}, {kBadName}, ""},
    {"x", {}, {kBadName}, ""},
    {"   ", {}, {kBadName}, ""},
    {"Alle_LW_te?t.doc.txt", {}, {kBadName}, ""},
    {"abcd", {}, {kBadName}, "", ""}, // the name is checked before the folder
    {"liste.txt", {}, {kNoFolder}, "", ""},
    {"pq-nicht-vorhanden.txt", {}, {}, "/pq-nicht-vorhanden.txt", "/"},
    {"liste.txt", {}, {}, "@/out/liste.txt", "@/out/"},
    {"sub.txt", {}, {}, "@/out/sub.txt"}, // an existing folder is no existing file
    {"old.txt", {true}, {kOverwrite}, "@/out/old.txt"},
    {"old.txt", {false}, {kOverwrite}, ""},
    {"locked.txt", {true}, {kReadOnly}, "@/out/locked.txt"},
    {"locked.txt", {false}, {kReadOnly}, ""},
    // full paths: the save folder plays no part
    {"@/out/old.txt", {true}, {kOverwrite}, "@/out/old.txt", ""},
    {"@/out/old.txt", {false}, {kOverwrite}, ""},
    {"@/out/locked.txt", {true, true}, {kReadOnly, kOverwrite}, "@/out/locked.txt"},
    {"@/out/locked.txt", {true, false}, {kReadOnly, kOverwrite}, ""},
    {"@/out/locked.txt", {false}, {kReadOnly}, ""},
    {"@/out/neu.csv", {}, {}, "@/out/neu.csv"},
    {"@/out/sub.txt", {}, {}, "@/out/sub.txt"},
    {"@/out/abcd", {}, {kBadName}, ""},
    {"@/out/", {}, {kBadName}, ""},
    {"@/out/.hidden.txt", {}, {kBadName}, ""},
    {"@/neu/tiefer/liste.csv", {true}, {kCreate}, "@/neu/tiefer/liste.csv"},
    {"@/neu/tiefer/liste.csv", {false}, {kCreate, kAgainInfo}, ""},
    {"@/neu/tiefer/abcd", {}, {kAgainError}, ""},
    {"@/blocker/neu/liste.csv", {true}, {kCreate, kCannotCreate}, ""},
    {"@/out/old.txt/liste.csv", {true}, {kCreate, kCannotCreate}, ""},
};

} // namespace

TEST(SaveTarget, ChecksQuestionsAndTheFileWritten) {
    for (const Case& c : kCases) {
        TempTree tree;
        tree.File("out/old.txt", 10);
        tree.File("out/locked.txt", 10);
        tree.SetMode("out/locked.txt", 0444);
        tree.Folder("out/sub.txt");
        tree.File("blocker", 1);
        ScriptedMessageBoxes boxes;
        boxes.answers.assign(c.answers.begin(), c.answers.end());
        const std::string typed = Expand(c.typed, tree.Root());
        const auto target =
            ChooseSaveTarget(c.rows, typed, Expand(c.saveFolder, tree.Root()), boxes);

        EXPECT_EQ(boxes.shown, c.boxes) << typed;
        EXPECT_EQ(target.value_or(""), Expand(c.target, tree.Root())) << typed;
        EXPECT_TRUE(boxes.answers.empty()) << typed << ": fewer questions than scripted";
    }
}

// Ja to the read-only question gives the owner write permission and nothing else, also when
// the full path's overwrite question is then answered Nein.
TEST(SaveTarget, ClearingReadOnlyKeepsTheOtherModeBits) {
    struct Case {
        std::string typed;
        std::vector<bool> answers;
        unsigned modeAfter;
    };
    const std::vector<Case> cases = {
        {"locked.txt", {true}, 0745},
        {"locked.txt", {false}, 0545},
        {"@/out/locked.txt", {true, false}, 0745},
        {"@/out/locked.txt", {false}, 0545},
    };
    for (const Case& c : cases) {
        TempTree tree;
        tree.File("out/locked.txt", 10);
        tree.SetMode("out/locked.txt", 0545);
        ScriptedMessageBoxes boxes;
        boxes.answers.assign(c.answers.begin(), c.answers.end());
        ChooseSaveTarget(1, Expand(c.typed, tree.Root()), tree.Path("out"), boxes);
        struct stat st {};
        ASSERT_EQ(::stat(tree.Path("out/locked.txt").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.modeAfter) << c.typed;
    }
}

TEST(SaveTarget, JaCreatesEveryMissingFolder) {
    TempTree tree;
    ScriptedMessageBoxes boxes;
    boxes.answers = {true};
    const std::string path = tree.Path("a/b/c/liste.txt");
    EXPECT_EQ(ChooseSaveTarget(1, path, "", boxes), path);
    struct stat st {};
    ASSERT_EQ(::stat(tree.Path("a/b/c").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_NE(::stat(path.c_str(), &st), 0); // the writer makes the file, not the checks

    boxes.answers = {false};
    ChooseSaveTarget(1, tree.Path("x/y/liste.txt"), "", boxes);
    EXPECT_NE(::stat(tree.Path("x").c_str(), &st), 0); // Nein creates nothing
}
