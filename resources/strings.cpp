#include "resources/strings.h"

#include <array>
#include <utility>

namespace {

constexpr std::pair<int, std::string_view> kTable[] = {
    {1, "&Datei"},
    {2, "&Suchen"},
    {3, "&Abbrechen"},
    {4, "S&peichern"},
    {5, "&Beenden"},
    {6, "&?"},
    {7, "&Hilfethemen"},
    {8, "&Info"},
    {9, "Dateinamen &erzeugen"},
    {10, "Pathquill \u2013 Ordner auflisten und speichern"},
    {11, "Suchen nach:"},
    {12, "Strukturdarstellung"},
    {13, "Speic&hern in"},
    {14, "Speichern als:"},
    {15, "Angezeigten Dateinamen überschreiben?"},
    {20, "Suchen &in"},
    {21, "&Abbrechen"},
    {23, "S&peichern"},
    {26, "Optionen für Suchen in"},
    {30, "Datei ist bereits vorhanden. Überschreiben?"},
    {34, "Systemfehler. Wahrscheinlich kein Medium im Laufwerk."},
    {37, "Der Name für die zu speichernde Datei fehlt. Geben Sie bitte einen Namen ein."},
    {38, "Markieren Sie bitte ein Verzeichnis zum Speichern."},
    {40, "Ergebnisanzeige ist leer, Speichern nicht möglich."},
    {52, "Fehler"},
    {55, "Suche abgebrochen."},
    {56, "Suchziel nicht gefunden."},
    {59, "Laufwerk wird durchsucht..."},
    {60, "Datei"},
    {61, "gespeichert"},
    {70, "Ordnername und -größe"},
    {73, "Ordner kann nicht erstellt werden"},
    {75, "Neuer Ordner"},
    {78, "KB"},
    {79, "Fügt Datum in Speicherdatei ein"},
    {80, "Geben Sie bitte einen Dateinamen oder eine Suchmaske ein."},
    {81, "Listet alle Ordner auf"},
    {82, "Erstellt angepassten Dateinamen"},
    {83, "Dateiname zum Speichern"},
    {84, "Wählen Sie einen Ordner zum Speichern."},
    {85, "Suche beginnen"},
    {86, "Suche abbrechen"},
    {87, "Suchergebnis speichern"},
    {88, "CD-ROM/DVD auswerfen/einziehen"},
    {89, "Ergebnisfenster"},
    {90, "Phys. Speicher:"},
    {91, "Info über Pathquill"},
    {93, "Ordner"},
    {95, "Datumszeile"},
    {97, "Datei geöffnet oder Objekt zum Speichern ungeeignet!"},
    {98, "Speicherplatz reicht nicht aus!"},
    {99, "Speichern nicht ausgeführt."},
    {102, "Kein Laufwerk oder Ordner zum Suchen ausgewählt."},
    {104, "Größe (KB)"},
    {106, "Suche beendet."},
    {107, "Suchen in:"},
    {108, "Kontextmenü für Ordner"},
    {109, "ein"},
    {110, "aus"},
    {111, "ermöglicht Eintrag im Ordner-Kontextmenü des Explorers"},
    {112, "ist bereits vorhanden"},
    {114, "Eingegebener Dateiname ist zu lang. Nur 80 Zeichen sind erlaubt."},
    {115, "Ordner existiert nicht. Erzeugen?"},
    {116, "Neue Eingabe erforderlich"},
    {117, "Speichern in:"},
    {119, "Ausgewählter Ordner existiert nicht."},
    {120, "Ausgewähltes Laufwerk existiert nicht."},
    {121, "Bitte informieren Sie support@pathquill.example"},
    {122, "Überprüfung des Dateinamens ist fehlgeschlagen."},
    {129, "Alle_LW"},
    {130, "&Optionen"},
    {131, "Ei&nstellungen"},
    {132, "Optionen für Speichern unter"},
    {133, "erstellt"},
    {134, "letzter Zugriff"},
    {135, "Attribute"},
    {136, "kurzer Name"},
    {137, "Suche in allen lokalen Laufwerken"},
    {138, "Ihr CD-ROM/DVD-Laufwerk"},
    {139, "Nein"},
    {140, "Windows-Explorer"},
    {141, "einzelne Ordner"},
    {142, "geändert"},
    {143, "Datei ist bereits vorhanden und schreibgeschützt. Attribut entfernen?"},
    {144, "Größenangaben in"},
    {145, "Kilobyte"},
    {146, "Megabyte"},
    {147, "Größe (MB)"},
    {148, "Byte"},
    {149, "Größe (Byte)"},
    {150, "Typ"},
    {151, "mit Unterordnern"},
    {152, "Fundstellen"},
    {153, "Dateien"},
    {154, "Unterordner"},
    {155, "Fehler beim Öffnen der Registry"},
    {157, "Fehler beim Löschen in der Registry"},
    {164, "Arbeitsplatz"},
    {182, "Alle Laufwerke"},
    {187, "Kann Pfad nicht finden: "},
    {189, "alle"},
    {190, "Neuer Ordnername"},
    {191, "unbekannt"},
    {193, "Größe"},
    {196, "MB"},
    {197, "Einheit"},
    // Texts of the Linux port.
    {198, "Error: Program didn't establish existing drives"},
    {199, "Bestätigung"},
    {200, "Information"},
    {201, "&Ja"},
    {202, "&Nein"},
    {203, "Pathquill"},
    // Texts of the headless companion pathquill-list.
    {204, "Aufruf: pathquill-list [OPTIONEN] ORDNER\n"
          "       pathquill-list [OPTIONEN] --all-drives\n"
          "Listet die Dateien und Ordner eines Ordners oder aller Laufwerke und schreibt die "
          "Liste so, wie das Programmfenster sie speichert.\n"
          "  -m, --mask MASKE        Suchmaske (Vorgabe *.*); mehrere durch ; getrennt oder mit\n"
          "                          mehreren -m, z. B. -m '*.jpg;*.png'\n"
          "      --all-drives        alle Laufwerke statt eines Ordners,\n"
          "                          z. B. --all-drives -m '*.iso'\n"
          "  -s, --subfolders        mit Unterordnern, z. B. -s -m '*.pdf'\n"
          "      --only-folders      Ordnername und -größe, z. B. --only-folders -s -m '*.mp3'\n"
          "      --structure MODUS   Strukturdarstellung: explorer | single,\n"
          "                          z. B. --structure explorer\n"
          "  -c, --columns LISTE     durch Kommas getrennt: size,type,modified,created,access,\n"
          "                          files,subfolders,attributes,shortname, z. B. -c size,modified\n"
          "  -u, --unit EINHEIT      byte | kb | mb (Vorgabe byte), z. B. -u mb\n"
          "      --sort SPALTE[:asc|:desc]  sortiert wie ein Klick auf den Spaltenkopf:\n"
          "                          name,size,type,modified,created,access,attributes,\n"
          "                          shortname, z. B. --sort size:desc\n"
          "      --exclude MASKE     Namen, die weder aufgeführt noch betreten noch mitgezählt\n"
          "                          werden; mehrere durch ; getrennt oder mit mehreren\n"
          "                          --exclude, z. B. --exclude '.git;node_modules'\n"
          "      --min-size GRÖSSE   nur Dateien ab GRÖSSE: Byte, mit K, M oder G mal 1024,\n"
          "                          1024² oder 1024³, z. B. --min-size 10M\n"
          "      --max-size GRÖSSE   nur Dateien bis GRÖSSE, z. B. --max-size 500K\n"
          "      --newer ZEIT        nur Dateien, die ab ZEIT geändert wurden; ZEIT in Ortszeit\n"
          "                          JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], z. B. --newer 2024-03-01\n"
          "      --older ZEIT        nur Dateien, die vor ZEIT geändert wurden,\n"
          "                          z. B. --older 2024-03-01T08:30\n"
          "      --date-line         Datumszeile schreiben, z. B. --date-line -o liste.txt\n"
          "      --threads N         Threads, die Ordner lesen, 1 bis 4 (Vorgabe: einer je\n"
          "                          Prozessorkern; 1: ohne Vorauslesen), z. B. --threads 1\n"
          "      --format jsonl      ein JSON-Objekt je Zeile, Größen in Byte, Zeiten nach\n"
          "                          ISO 8601; ohne Datums- und Kopfzeile, z. B. --format jsonl\n"
          "  -o, --output DATEI      .csv: CSV-Datei, .jsonl: JSON Lines, .pdf: PDF-Bericht,\n"
          "                          .xlsx: Tabelle, sonst Textdatei; ohne -o Text auf der\n"
          "                          Standardausgabe, z. B. -o liste.csv\n"
          "  -h, --help              diese Hilfe\n"
          "      --version           Programmversion\n"
          "Größen- und Datumsfilter wählen nur Dateizeilen der Dateiliste aus; Ordnerzeilen "
          "und alle Summen bleiben, wie sie ohne sie wären.\n"
          "Rückgabewert: 0 Zeilen geschrieben, 1 Suchziel nicht gefunden, 2 Abweisung oder "
          "Aufruffehler.\n"},
    {205, "Unbekannte Option:"},
    {206, "Wert fehlt für Option"},
    {207, "Ungültiger Wert für Option"},
    {208, "Zu viele Ordner angegeben:"},
    {209, "Die Sortierspalte wird nicht angezeigt:"},
    {210, "\u201Epathquill-list --help\u201C zeigt die Aufrufmöglichkeiten."},
    {211, "Einträge"},
    {212, "Desktop"},
    {213, "Persönlicher Ordner"},
    {214, "Wird geladen \u2026"},
    {215, "Im Dateimanager öffnen"},
    {216, "Aktualisieren"},
    {217, "Umbenennen"},
    {218, "In den Papierkorb verschieben"},
    {219, "Ordner kann nicht umbenannt werden: "},
    {220, "Ein Ordner oder eine Datei mit diesem Namen ist bereits vorhanden."},
    {221, "Der neue Name ist kein gültiger Ordnername."},
    {222, "Zugriff verweigert oder Datenträger schreibgeschützt."},
    {223, "Ordner in den Papierkorb verschieben?"},
    {224, "Ordner kann nicht in den Papierkorb verschoben werden: "},
    // Texts of the filters of pathquill-list.
    {340, "erwartet: ganze Zahl, wahlweise mit K, M oder G, zum Beispiel 500K"},
    {341, "erwartet: JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], zum Beispiel 2024-03-01T08:30"},
    {342, "Die Mindestgröße (--min-size) ist größer als die Höchstgröße (--max-size)."},
    {343, "Größen- und Datumsfilter wählen Dateizeilen aus und sind mit --structure oder "
          "--only-folders nicht möglich:"},
    // Texts of the folder entry, the info dialog and the help window.
    {250, "Erzeugung von Schlüssel %s misslungen"},
    {251, "Konnte Daten für '%s' nicht setzen"},
    {252, "Pathquill \u2013 Hilfe"},
    {253, "Die Hilfedatei %s wurde nicht gefunden."},
    {254, "Ordner mit Pathquill auflisten"},
    {255, "OK"},
    {256, "Inhalt"},
    // Texts of the printed report, the PDF and the spreadsheet.
    {280, "Summe"},
    {281, "Seite %1 von %2"},
    {282, "&Drucken \u2026"},
    {283, "Als &PDF exportieren \u2026"},
    {284, "Als &Tabelle exportieren (.xlsx) \u2026"},
    {285, "PDF-Dokumente (*.pdf)"},
    {286, "Excel-Arbeitsmappen (*.xlsx)"},
    {287, "Bericht wird vorbereitet \u2026"},
    {288, "PDF wird geschrieben \u2026"},
    {289, "Tabelle wird geschrieben \u2026"},
    {290, "Druckvorschau"},
    // The result list's own commands and the window's names for screen readers.
    {320, "Öffnen"},
    {321, "Im Ordner anzeigen"},
    {322, "Pfad kopieren"},
    {323, "Zeilen kopieren"},
    {324, "Suche läuft"},
    {325, "Die Datei kann nicht geöffnet werden: "},
    {326, "Der Ordner kann nicht angezeigt werden: "},
};

} // namespace

std::string_view MessageText(int number) {
    for (const auto& [n, text] : kTable)
        if (n == number) return text;
    return {};
}
