<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
    <context>
        <name>Pathquill</name>
        <message>
            <source>&amp;Datei</source>
            <comment>1</comment>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>&amp;Suchen</source>
            <comment>2</comment>
            <translation>&amp;Search</translation>
        </message>
        <message>
            <source>&amp;Abbrechen</source>
            <comment>3</comment>
            <translation>&amp;Cancel</translation>
        </message>
        <message>
            <source>S&amp;peichern</source>
            <comment>4</comment>
            <translation>S&amp;ave</translation>
        </message>
        <message>
            <source>&amp;Beenden</source>
            <comment>5</comment>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>&amp;?</source>
            <comment>6</comment>
            <translation>&amp;?</translation>
        </message>
        <message>
            <source>&amp;Hilfethemen</source>
            <comment>7</comment>
            <translation>&amp;Help topics</translation>
        </message>
        <message>
            <source>&amp;Info</source>
            <comment>8</comment>
            <translation>&amp;About</translation>
        </message>
        <message>
            <source>Dateinamen &amp;erzeugen</source>
            <comment>9</comment>
            <translation>Create file &amp;name</translation>
        </message>
        <message>
            <source>Pathquill – Ordner auflisten und speichern</source>
            <comment>10</comment>
            <translation>Pathquill – list and save folders</translation>
        </message>
        <message>
            <source>Suchen nach:</source>
            <comment>11</comment>
            <translation>Look for:</translation>
        </message>
        <message>
            <source>Strukturdarstellung</source>
            <comment>12</comment>
            <translation>Structure view</translation>
        </message>
        <message>
            <source>Speic&amp;hern in</source>
            <comment>13</comment>
            <translation>Sa&amp;ve in</translation>
        </message>
        <message>
            <source>Speichern als:</source>
            <comment>14</comment>
            <translation>Save as:</translation>
        </message>
        <message>
            <source>Angezeigten Dateinamen überschreiben?</source>
            <comment>15</comment>
            <translation>Overwrite the file name shown?</translation>
        </message>
        <message>
            <source>Suchen &amp;in</source>
            <comment>20</comment>
            <translation>&amp;Look in</translation>
        </message>
        <message>
            <source>&amp;Abbrechen</source>
            <comment>21</comment>
            <translation>&amp;Cancel</translation>
        </message>
        <message>
            <source>S&amp;peichern</source>
            <comment>23</comment>
            <translation>S&amp;ave</translation>
        </message>
        <message>
            <source>Optionen für Suchen in</source>
            <comment>26</comment>
            <translation>Options for Look in</translation>
        </message>
        <message>
            <source>Datei ist bereits vorhanden. Überschreiben?</source>
            <comment>30</comment>
            <translation>The file already exists. Overwrite it?</translation>
        </message>
        <message>
            <source>Systemfehler. Wahrscheinlich kein Medium im Laufwerk.</source>
            <comment>34</comment>
            <translation>System error. Probably no medium in the drive.</translation>
        </message>
        <message>
            <source>Der Name für die zu speichernde Datei fehlt. Geben Sie bitte einen Namen ein.</source>
            <comment>37</comment>
            <translation>The name of the file to save is missing. Please enter a name.</translation>
        </message>
        <message>
            <source>Markieren Sie bitte ein Verzeichnis zum Speichern.</source>
            <comment>38</comment>
            <translation>Please select a folder to save in.</translation>
        </message>
        <message>
            <source>Ergebnisanzeige ist leer, Speichern nicht möglich.</source>
            <comment>40</comment>
            <translation>The result list is empty; nothing to save.</translation>
        </message>
        <message>
            <source>Fehler</source>
            <comment>52</comment>
            <translation>Error</translation>
        </message>
        <message>
            <source>Suche abgebrochen.</source>
            <comment>55</comment>
            <translation>Search cancelled.</translation>
        </message>
        <message>
            <source>Suchziel nicht gefunden.</source>
            <comment>56</comment>
            <translation>Search target not found.</translation>
        </message>
        <message>
            <source>Laufwerk wird durchsucht...</source>
            <comment>59</comment>
            <translation>Searching the drive...</translation>
        </message>
        <message>
            <source>Datei</source>
            <comment>60</comment>
            <translation>File</translation>
        </message>
        <message>
            <source>gespeichert</source>
            <comment>61</comment>
            <translation>saved</translation>
        </message>
        <message>
            <source>Ordnername und -größe</source>
            <comment>70</comment>
            <translation>Folder name and size</translation>
        </message>
        <message>
            <source>Ordner kann nicht erstellt werden</source>
            <comment>73</comment>
            <translation>The folder cannot be created</translation>
        </message>
        <message>
            <source>Neuer Ordner</source>
            <comment>75</comment>
            <translation>New folder</translation>
        </message>
        <message>
            <source>KB</source>
            <comment>78</comment>
            <translation>KB</translation>
        </message>
        <message>
            <source>Fügt Datum in Speicherdatei ein</source>
            <comment>79</comment>
            <translation>Inserts the date into the saved file</translation>
        </message>
        <message>
            <source>Geben Sie bitte einen Dateinamen oder eine Suchmaske ein.</source>
            <comment>80</comment>
            <translation>Please enter a file name or a search mask.</translation>
        </message>
        <message>
            <source>Listet alle Ordner auf</source>
            <comment>81</comment>
            <translation>Lists all folders</translation>
        </message>
        <message>
            <source>Erstellt angepassten Dateinamen</source>
            <comment>82</comment>
            <translation>Creates a matching file name</translation>
        </message>
        <message>
            <source>Dateiname zum Speichern</source>
            <comment>83</comment>
            <translation>File name to save as</translation>
        </message>
        <message>
            <source>Wählen Sie einen Ordner zum Speichern.</source>
            <comment>84</comment>
            <translation>Choose a folder to save in.</translation>
        </message>
        <message>
            <source>Suche beginnen</source>
            <comment>85</comment>
            <translation>Start the search</translation>
        </message>
        <message>
            <source>Suche abbrechen</source>
            <comment>86</comment>
            <translation>Cancel the search</translation>
        </message>
        <message>
            <source>Suchergebnis speichern</source>
            <comment>87</comment>
            <translation>Save the search result</translation>
        </message>
        <message>
            <source>CD-ROM/DVD auswerfen/einziehen</source>
            <comment>88</comment>
            <translation>Eject/close the CD-ROM/DVD tray</translation>
        </message>
        <message>
            <source>Ergebnisfenster</source>
            <comment>89</comment>
            <translation>Result window</translation>
        </message>
        <message>
            <source>Phys. Speicher:</source>
            <comment>90</comment>
            <translation>Phys. memory:</translation>
        </message>
        <message>
            <source>Info über Pathquill</source>
            <comment>91</comment>
            <translation>About Pathquill</translation>
        </message>
        <message>
            <source>Ordner</source>
            <comment>93</comment>
            <translation>Folder</translation>
        </message>
        <message>
            <source>Datumszeile</source>
            <comment>95</comment>
            <translation>Date line</translation>
        </message>
        <message>
            <source>Datei geöffnet oder Objekt zum Speichern ungeeignet!</source>
            <comment>97</comment>
            <translation>File open or not suitable for saving!</translation>
        </message>
        <message>
            <source>Speicherplatz reicht nicht aus!</source>
            <comment>98</comment>
            <translation>Not enough disk space!</translation>
        </message>
        <message>
            <source>Speichern nicht ausgeführt.</source>
            <comment>99</comment>
            <translation>Not saved.</translation>
        </message>
        <message>
            <source>Kein Laufwerk oder Ordner zum Suchen ausgewählt.</source>
            <comment>102</comment>
            <translation>No drive or folder selected to search.</translation>
        </message>
        <message>
            <source>Größe (KB)</source>
            <comment>104</comment>
            <translation>Size (KB)</translation>
        </message>
        <message>
            <source>Suche beendet.</source>
            <comment>106</comment>
            <translation>Search finished.</translation>
        </message>
        <message>
            <source>Suchen in:</source>
            <comment>107</comment>
            <translation>Look in:</translation>
        </message>
        <message>
            <source>Kontextmenü für Ordner</source>
            <comment>108</comment>
            <translation>Context menu for folders</translation>
        </message>
        <message>
            <source>ein</source>
            <comment>109</comment>
            <translation>on</translation>
        </message>
        <message>
            <source>aus</source>
            <comment>110</comment>
            <translation>off</translation>
        </message>
        <message>
            <source>ermöglicht Eintrag im Ordner-Kontextmenü des Explorers</source>
            <comment>111</comment>
            <translation>allows an entry in the Explorer's folder context menu</translation>
        </message>
        <message>
            <source>ist bereits vorhanden</source>
            <comment>112</comment>
            <translation>already exists</translation>
        </message>
        <message>
            <source>Eingegebener Dateiname ist zu lang. Nur 80 Zeichen sind erlaubt.</source>
            <comment>114</comment>
            <translation>The file name entered is too long. Only 80 characters are allowed.</translation>
        </message>
        <message>
            <source>Ordner existiert nicht. Erzeugen?</source>
            <comment>115</comment>
            <translation>The folder does not exist. Create it?</translation>
        </message>
        <message>
            <source>Neue Eingabe erforderlich</source>
            <comment>116</comment>
            <translation>New input required</translation>
        </message>
        <message>
            <source>Speichern in:</source>
            <comment>117</comment>
            <translation>Save in:</translation>
        </message>
        <message>
            <source>Ausgewählter Ordner existiert nicht.</source>
            <comment>119</comment>
            <translation>The selected folder does not exist.</translation>
        </message>
        <message>
            <source>Ausgewähltes Laufwerk existiert nicht.</source>
            <comment>120</comment>
            <translation>The selected drive does not exist.</translation>
        </message>
        <message>
            <source>Bitte informieren Sie support@pathquill.example</source>
            <comment>121</comment>
            <translation>Please tell support@pathquill.example</translation>
        </message>
        <message>
            <source>Überprüfung des Dateinamens ist fehlgeschlagen.</source>
            <comment>122</comment>
            <translation>The file name could not be checked.</translation>
        </message>
        <message>
            <source>Alle_LW</source>
            <comment>129</comment>
            <translation>All_drives</translation>
        </message>
        <message>
            <source>&amp;Optionen</source>
            <comment>130</comment>
            <translation>&amp;Options</translation>
        </message>
        <message>
            <source>Ei&amp;nstellungen</source>
            <comment>131</comment>
            <translation>Se&amp;ttings</translation>
        </message>
        <message>
            <source>Optionen für Speichern unter</source>
            <comment>132</comment>
            <translation>Options for Save as</translation>
        </message>
        <message>
            <source>erstellt</source>
            <comment>133</comment>
            <translation>Created</translation>
        </message>
        <message>
            <source>letzter Zugriff</source>
            <comment>134</comment>
            <translation>Last access</translation>
        </message>
        <message>
            <source>Attribute</source>
            <comment>135</comment>
            <translation>Attributes</translation>
        </message>
        <message>
            <source>kurzer Name</source>
            <comment>136</comment>
            <translation>Short name</translation>
        </message>
        <message>
            <source>Suche in allen lokalen Laufwerken</source>
            <comment>137</comment>
            <translation>Search all local drives</translation>
        </message>
        <message>
            <source>Ihr CD-ROM/DVD-Laufwerk</source>
            <comment>138</comment>
            <translation>Your CD-ROM/DVD drive</translation>
        </message>
        <message>
            <source>Nein</source>
            <comment>139</comment>
            <translation>None</translation>
        </message>
        <message>
            <source>Windows-Explorer</source>
            <comment>140</comment>
            <translation>Windows Explorer</translation>
        </message>
        <message>
            <source>einzelne Ordner</source>
            <comment>141</comment>
            <translation>single folders</translation>
        </message>
        <message>
            <source>geändert</source>
            <comment>142</comment>
            <translation>Modified</translation>
        </message>
        <message>
            <source>Datei ist bereits vorhanden und schreibgeschützt. Attribut entfernen?</source>
            <comment>143</comment>
            <translation>The file already exists and is read-only. Remove the attribute?</translation>
        </message>
        <message>
            <source>Größenangaben in</source>
            <comment>144</comment>
            <translation>Sizes in</translation>
        </message>
        <message>
            <source>Kilobyte</source>
            <comment>145</comment>
            <translation>Kilobyte</translation>
        </message>
        <message>
            <source>Megabyte</source>
            <comment>146</comment>
            <translation>Megabyte</translation>
        </message>
        <message>
            <source>Größe (MB)</source>
            <comment>147</comment>
            <translation>Size (MB)</translation>
        </message>
        <message>
            <source>Byte</source>
            <comment>148</comment>
            <translation>Byte</translation>
        </message>
        <message>
            <source>Größe (Byte)</source>
            <comment>149</comment>
            <translation>Size (Byte)</translation>
        </message>
        <message>
            <source>Typ</source>
            <comment>150</comment>
            <translation>Type</translation>
        </message>
        <message>
            <source>mit Unterordnern</source>
            <comment>151</comment>
            <translation>with subfolders</translation>
        </message>
        <message>
            <source>Fundstellen</source>
            <comment>152</comment>
            <translation>Matches</translation>
        </message>
        <message>
            <source>Dateien</source>
            <comment>153</comment>
            <translation>Files</translation>
        </message>
        <message>
            <source>Unterordner</source>
            <comment>154</comment>
            <translation>Subfolders</translation>
        </message>
        <message>
            <source>Fehler beim Öffnen der Registry</source>
            <comment>155</comment>
            <translation>Error opening the registry</translation>
        </message>
        <message>
            <source>Fehler beim Löschen in der Registry</source>
            <comment>157</comment>
            <translation>Error deleting from the registry</translation>
        </message>
        <message>
            <source>Arbeitsplatz</source>
            <comment>164</comment>
            <translation>Computer</translation>
        </message>
        <message>
            <source>Alle Laufwerke</source>
            <comment>182</comment>
            <translation>All drives</translation>
        </message>
        <message>
            <source>Kann Pfad nicht finden: </source>
            <comment>187</comment>
            <translation>Cannot find path: </translation>
        </message>
        <message>
            <source>alle</source>
            <comment>189</comment>
            <translation>all</translation>
        </message>
        <message>
            <source>Neuer Ordnername</source>
            <comment>190</comment>
            <translation>New folder name</translation>
        </message>
        <message>
            <source>unbekannt</source>
            <comment>191</comment>
            <translation>unknown</translation>
        </message>
        <message>
            <source>Größe</source>
            <comment>193</comment>
            <translation>Size</translation>
        </message>
        <message>
            <source>MB</source>
            <comment>196</comment>
            <translation>MB</translation>
        </message>
        <message>
            <source>Einheit</source>
            <comment>197</comment>
            <translation>Unit</translation>
        </message>
        <message>
            <source>Error: Program didn't establish existing drives</source>
            <comment>198</comment>
            <translation>Error: Program didn't establish existing drives</translation>
        </message>
        <message>
            <source>Bestätigung</source>
            <comment>199</comment>
            <translation>Confirm</translation>
        </message>
        <message>
            <source>Information</source>
            <comment>200</comment>
            <translation>Information</translation>
        </message>
        <message>
            <source>&amp;Ja</source>
            <comment>201</comment>
            <translation>&amp;Yes</translation>
        </message>
        <message>
            <source>&amp;Nein</source>
            <comment>202</comment>
            <translation>&amp;No</translation>
        </message>
        <message>
            <source>Pathquill</source>
            <comment>203</comment>
            <translation>Pathquill</translation>
        </message>
        <message>
            <source>Aufruf: pathquill-list [OPTIONEN] ORDNER
       pathquill-list [OPTIONEN] --all-drives
Listet die Dateien und Ordner eines Ordners oder aller Laufwerke und schreibt die Liste so, wie das Programmfenster sie speichert.
  -m, --mask MASKE        Suchmaske (Vorgabe *.*); mehrere durch ; getrennt oder mit
                          mehreren -m, z. B. -m '*.jpg;*.png'
      --all-drives        alle Laufwerke statt eines Ordners,
                          z. B. --all-drives -m '*.iso'
  -s, --subfolders        mit Unterordnern, z. B. -s -m '*.pdf'
      --only-folders      Ordnername und -größe, z. B. --only-folders -s -m '*.mp3'
      --structure MODUS   Strukturdarstellung: explorer | single,
                          z. B. --structure explorer
  -c, --columns LISTE     durch Kommas getrennt: size,type,modified,created,access,
                          files,subfolders,attributes,shortname, z. B. -c size,modified
  -u, --unit EINHEIT      byte | kb | mb (Vorgabe byte), z. B. -u mb
      --sort SPALTE[:asc|:desc]  sortiert wie ein Klick auf den Spaltenkopf:
                          name,size,type,modified,created,access,attributes,
                          shortname, z. B. --sort size:desc
      --exclude MASKE     Namen, die weder aufgeführt noch betreten noch mitgezählt
                          werden; mehrere durch ; getrennt oder mit mehreren
                          --exclude, z. B. --exclude '.git;node_modules'
      --min-size GRÖSSE   nur Dateien ab GRÖSSE: Byte, mit K, M oder G mal 1024,
                          1024² oder 1024³, z. B. --min-size 10M
      --max-size GRÖSSE   nur Dateien bis GRÖSSE, z. B. --max-size 500K
      --newer ZEIT        nur Dateien, die ab ZEIT geändert wurden; ZEIT in Ortszeit
                          JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], z. B. --newer 2024-03-01
      --older ZEIT        nur Dateien, die vor ZEIT geändert wurden,
                          z. B. --older 2024-03-01T08:30
      --date-line         Datumszeile schreiben, z. B. --date-line -o liste.txt
      --threads N         Threads, die Ordner lesen, 1 bis 4 (Vorgabe: einer je
                          Prozessorkern; 1: ohne Vorauslesen), z. B. --threads 1
      --format jsonl      ein JSON-Objekt je Zeile, Größen in Byte, Zeiten nach
                          ISO 8601; ohne Datums- und Kopfzeile, z. B. --format jsonl
  -o, --output DATEI      .csv: CSV-Datei, .jsonl: JSON Lines, .pdf: PDF-Bericht,
                          .xlsx: Tabelle, sonst Textdatei; ohne -o Text auf der
                          Standardausgabe, z. B. -o liste.csv
  -h, --help              diese Hilfe
      --version           Programmversion
Größen- und Datumsfilter wählen nur Dateizeilen der Dateiliste aus; Ordnerzeilen und alle Summen bleiben, wie sie ohne sie wären.
Rückgabewert: 0 Zeilen geschrieben, 1 Suchziel nicht gefunden, 2 Abweisung oder Aufruffehler.
</source>
            <comment>204</comment>
            <translation>Usage: pathquill-list [OPTIONS] FOLDER
       pathquill-list [OPTIONS] --all-drives
Lists the files and folders of a folder or of all drives and writes the list as the program window saves it.
  -m, --mask MASK         look-for mask (default *.*); several separated by ; or with
                          several -m, e.g. -m '*.jpg;*.png'
      --all-drives        all drives instead of one folder,
                          e.g. --all-drives -m '*.iso'
  -s, --subfolders        with subfolders, e.g. -s -m '*.pdf'
      --only-folders      folder name and size, e.g. --only-folders -s -m '*.mp3'
      --structure MODE    structure view: explorer | single,
                          e.g. --structure explorer
  -c, --columns LIST      separated by commas: size,type,modified,created,access,
                          files,subfolders,attributes,shortname, e.g. -c size,modified
  -u, --unit UNIT         byte | kb | mb (default byte), e.g. -u mb
      --sort COLUMN[:asc|:desc]  sorts as a click on the column header:
                          name,size,type,modified,created,access,attributes,
                          shortname, e.g. --sort size:desc
      --exclude MASK      names that are neither listed nor entered nor counted;
                          several separated by ; or with several
                          --exclude, e.g. --exclude '.git;node_modules'
      --min-size SIZE     only files of at least SIZE: bytes, with K, M or G times
                          1024, 1024² or 1024³, e.g. --min-size 10M
      --max-size SIZE     only files of at most SIZE, e.g. --max-size 500K
      --newer TIME        only files modified at or after TIME; TIME in local time
                          YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], e.g. --newer 2024-03-01
      --older TIME        only files modified before TIME,
                          e.g. --older 2024-03-01T08:30
      --date-line         write the date line, e.g. --date-line -o list.txt
      --threads N         threads reading folders, 1 to 4 (default: one per
                          processor core; 1: no reading ahead), e.g. --threads 1
      --format jsonl      one JSON object per line, sizes in bytes, times as
                          ISO 8601; no date or header line, e.g. --format jsonl
  -o, --output FILE       .csv: CSV file, .jsonl: JSON Lines, .pdf: PDF report,
                          .xlsx: spreadsheet, else text file; without -o text on
                          standard output, e.g. -o list.csv
  -h, --help              this help
      --version           program version
Size and date filters pick only the file lines of the file list; folder lines and all totals stay as they would be without them.
Exit status: 0 lines written, 1 search target not found, 2 refusal or usage error.
</translation>
        </message>
        <message>
            <source>Unbekannte Option:</source>
            <comment>205</comment>
            <translation>Unknown option:</translation>
        </message>
        <message>
            <source>Wert fehlt für Option</source>
            <comment>206</comment>
            <translation>Value missing for option</translation>
        </message>
        <message>
            <source>Ungültiger Wert für Option</source>
            <comment>207</comment>
            <translation>Invalid value for option</translation>
        </message>
        <message>
            <source>Zu viele Ordner angegeben:</source>
            <comment>208</comment>
            <translation>Too many folders given:</translation>
        </message>
        <message>
            <source>Die Sortierspalte wird nicht angezeigt:</source>
            <comment>209</comment>
            <translation>The sort column is not shown:</translation>
        </message>
        <message>
            <source>„pathquill-list --help“ zeigt die Aufrufmöglichkeiten.</source>
            <comment>210</comment>
            <translation>“pathquill-list --help” shows the usage.</translation>
        </message>
        <message>
            <source>Einträge</source>
            <comment>211</comment>
            <translation>entries</translation>
        </message>
        <message>
            <source>Desktop</source>
            <comment>212</comment>
            <translation>Desktop</translation>
        </message>
        <message>
            <source>Persönlicher Ordner</source>
            <comment>213</comment>
            <translation>Home folder</translation>
        </message>
        <message>
            <source>Wird geladen …</source>
            <comment>214</comment>
            <translation>Loading …</translation>
        </message>
        <message>
            <source>Im Dateimanager öffnen</source>
            <comment>215</comment>
            <translation>Open in file manager</translation>
        </message>
        <message>
            <source>Aktualisieren</source>
            <comment>216</comment>
            <translation>Refresh</translation>
        </message>
        <message>
            <source>Umbenennen</source>
            <comment>217</comment>
            <translation>Rename</translation>
        </message>
        <message>
            <source>In den Papierkorb verschieben</source>
            <comment>218</comment>
            <translation>Move to trash</translation>
        </message>
        <message>
            <source>Ordner kann nicht umbenannt werden: </source>
            <comment>219</comment>
            <translation>The folder cannot be renamed: </translation>
        </message>
        <message>
            <source>Ein Ordner oder eine Datei mit diesem Namen ist bereits vorhanden.</source>
            <comment>220</comment>
            <translation>A folder or file with this name already exists.</translation>
        </message>
        <message>
            <source>Der neue Name ist kein gültiger Ordnername.</source>
            <comment>221</comment>
            <translation>The new name is not a valid folder name.</translation>
        </message>
        <message>
            <source>Zugriff verweigert oder Datenträger schreibgeschützt.</source>
            <comment>222</comment>
            <translation>Access denied or the medium is write-protected.</translation>
        </message>
        <message>
            <source>Ordner in den Papierkorb verschieben?</source>
            <comment>223</comment>
            <translation>Move the folder to the trash?</translation>
        </message>
        <message>
            <source>Ordner kann nicht in den Papierkorb verschoben werden: </source>
            <comment>224</comment>
            <translation>The folder cannot be moved to the trash: </translation>
        </message>
        <message>
            <source>Erzeugung von Schlüssel %s misslungen</source>
            <comment>250</comment>
            <translation>Creating key %s failed</translation>
        </message>
        <message>
            <source>Konnte Daten für '%s' nicht setzen</source>
            <comment>251</comment>
            <translation>Could not set data for '%s'</translation>
        </message>
        <message>
            <source>Pathquill – Hilfe</source>
            <comment>252</comment>
            <translation>Pathquill – Help</translation>
        </message>
        <message>
            <source>Die Hilfedatei %s wurde nicht gefunden.</source>
            <comment>253</comment>
            <translation>The help file %s was not found.</translation>
        </message>
        <message>
            <source>Ordner mit Pathquill auflisten</source>
            <comment>254</comment>
            <translation>List folders with Pathquill</translation>
        </message>
        <message>
            <source>OK</source>
            <comment>255</comment>
            <translation>OK</translation>
        </message>
        <message>
            <source>Inhalt</source>
            <comment>256</comment>
            <translation>Contents</translation>
        </message>
        <message>
            <source>Summe</source>
            <comment>280</comment>
            <translation>Total</translation>
        </message>
        <message>
            <source>Seite %1 von %2</source>
            <comment>281</comment>
            <translation>Page %1 of %2</translation>
        </message>
        <message>
            <source>&amp;Drucken …</source>
            <comment>282</comment>
            <translation>&amp;Print …</translation>
        </message>
        <message>
            <source>Als PD&amp;F exportieren …</source>
            <comment>283</comment>
            <translation>Export as P&amp;DF …</translation>
        </message>
        <message>
            <source>Als &amp;Tabelle exportieren (.xlsx) …</source>
            <comment>284</comment>
            <translation>&amp;Export as spreadsheet (.xlsx) …</translation>
        </message>
        <message>
            <source>PDF-Dokumente (*.pdf)</source>
            <comment>285</comment>
            <translation>PDF documents (*.pdf)</translation>
        </message>
        <message>
            <source>Excel-Arbeitsmappen (*.xlsx)</source>
            <comment>286</comment>
            <translation>Excel workbooks (*.xlsx)</translation>
        </message>
        <message>
            <source>Bericht wird vorbereitet …</source>
            <comment>287</comment>
            <translation>Preparing the report …</translation>
        </message>
        <message>
            <source>PDF wird geschrieben …</source>
            <comment>288</comment>
            <translation>Writing the PDF …</translation>
        </message>
        <message>
            <source>Tabelle wird geschrieben …</source>
            <comment>289</comment>
            <translation>Writing the spreadsheet …</translation>
        </message>
        <message>
            <source>Druckvorschau</source>
            <comment>290</comment>
            <translation>Print preview</translation>
        </message>
        <message>
            <source>Copyright © 2026 die Pathquill-Entwickler.
Freie Software ohne Gewähr.</source>
            <comment>300</comment>
            <translation>Copyright © 2026 the Pathquill developers.
Free software without warranty.</translation>
        </message>
        <message>
            <source>Datei/Ordner</source>
            <comment>301</comment>
            <translation>File/Folder</translation>
        </message>
        <message>
            <source>Öffnen</source>
            <comment>320</comment>
            <translation>Open</translation>
        </message>
        <message>
            <source>Im Ordner anzeigen</source>
            <comment>321</comment>
            <translation>Show in folder</translation>
        </message>
        <message>
            <source>Pfad kopieren</source>
            <comment>322</comment>
            <translation>Copy path</translation>
        </message>
        <message>
            <source>Zeilen kopieren</source>
            <comment>323</comment>
            <translation>Copy rows</translation>
        </message>
        <message>
            <source>Suche läuft</source>
            <comment>324</comment>
            <translation>Search in progress</translation>
        </message>
        <message>
            <source>Die Datei kann nicht geöffnet werden: </source>
            <comment>325</comment>
            <translation>The file cannot be opened: </translation>
        </message>
        <message>
            <source>Der Ordner kann nicht angezeigt werden: </source>
            <comment>326</comment>
            <translation>The folder cannot be shown: </translation>
        </message>
        <message>
            <source>erwartet: ganze Zahl, wahlweise mit K, M oder G, zum Beispiel 500K</source>
            <comment>340</comment>
            <translation>expected: a whole number, optionally with K, M or G, for example 500K</translation>
        </message>
        <message>
            <source>erwartet: JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], zum Beispiel 2024-03-01T08:30</source>
            <comment>341</comment>
            <translation>expected: YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], for example 2024-03-01T08:30</translation>
        </message>
        <message>
            <source>Die Mindestgröße (--min-size) ist größer als die Höchstgröße (--max-size).</source>
            <comment>342</comment>
            <translation>The minimum size (--min-size) is larger than the maximum size (--max-size).</translation>
        </message>
        <message>
            <source>Größen- und Datumsfilter wählen Dateizeilen aus und sind mit --structure oder --only-folders nicht möglich:</source>
            <comment>343</comment>
            <translation>Size and date filters pick file lines and cannot be used with --structure or --only-folders:</translation>
        </message>
    </context>
</TS>
