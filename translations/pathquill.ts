<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="de">
    <context>
        <name>Pathquill</name>
        <message>
            <source>&amp;Datei</source>
            <comment>1</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Suchen</source>
            <comment>2</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Abbrechen</source>
            <comment>3</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>S&amp;peichern</source>
            <comment>4</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Beenden</source>
            <comment>5</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;?</source>
            <comment>6</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Hilfethemen</source>
            <comment>7</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Info</source>
            <comment>8</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Dateinamen &amp;erzeugen</source>
            <comment>9</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Pathquill – Ordner auflisten und speichern</source>
            <comment>10</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suchen nach:</source>
            <comment>11</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Strukturdarstellung</source>
            <comment>12</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speic&amp;hern in</source>
            <comment>13</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speichern als:</source>
            <comment>14</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Angezeigten Dateinamen überschreiben?</source>
            <comment>15</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suchen &amp;in</source>
            <comment>20</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Abbrechen</source>
            <comment>21</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>S&amp;peichern</source>
            <comment>23</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Optionen für Suchen in</source>
            <comment>26</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datei ist bereits vorhanden. Überschreiben?</source>
            <comment>30</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Systemfehler. Wahrscheinlich kein Medium im Laufwerk.</source>
            <comment>34</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Der Name für die zu speichernde Datei fehlt. Geben Sie bitte einen Namen ein.</source>
            <comment>37</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Markieren Sie bitte ein Verzeichnis zum Speichern.</source>
            <comment>38</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ergebnisanzeige ist leer, Speichern nicht möglich.</source>
            <comment>40</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Fehler</source>
            <comment>52</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche abgebrochen.</source>
            <comment>55</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suchziel nicht gefunden.</source>
            <comment>56</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Laufwerk wird durchsucht...</source>
            <comment>59</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datei</source>
            <comment>60</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>gespeichert</source>
            <comment>61</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordnername und -größe</source>
            <comment>70</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner kann nicht erstellt werden</source>
            <comment>73</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Neuer Ordner</source>
            <comment>75</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>KB</source>
            <comment>78</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Fügt Datum in Speicherdatei ein</source>
            <comment>79</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Geben Sie bitte einen Dateinamen oder eine Suchmaske ein.</source>
            <comment>80</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Listet alle Ordner auf</source>
            <comment>81</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Erstellt angepassten Dateinamen</source>
            <comment>82</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Dateiname zum Speichern</source>
            <comment>83</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Wählen Sie einen Ordner zum Speichern.</source>
            <comment>84</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche beginnen</source>
            <comment>85</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche abbrechen</source>
            <comment>86</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suchergebnis speichern</source>
            <comment>87</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>CD-ROM/DVD auswerfen/einziehen</source>
            <comment>88</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ergebnisfenster</source>
            <comment>89</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Phys. Speicher:</source>
            <comment>90</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Info über Pathquill</source>
            <comment>91</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner</source>
            <comment>93</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datumszeile</source>
            <comment>95</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datei geöffnet oder Objekt zum Speichern ungeeignet!</source>
            <comment>97</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speicherplatz reicht nicht aus!</source>
            <comment>98</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speichern nicht ausgeführt.</source>
            <comment>99</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Kein Laufwerk oder Ordner zum Suchen ausgewählt.</source>
            <comment>102</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größe (KB)</source>
            <comment>104</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche beendet.</source>
            <comment>106</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suchen in:</source>
            <comment>107</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Kontextmenü für Ordner</source>
            <comment>108</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>ein</source>
            <comment>109</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>aus</source>
            <comment>110</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>ermöglicht Eintrag im Ordner-Kontextmenü des Explorers</source>
            <comment>111</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>ist bereits vorhanden</source>
            <comment>112</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Eingegebener Dateiname ist zu lang. Nur 80 Zeichen sind erlaubt.</source>
            <comment>114</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner existiert nicht. Erzeugen?</source>
            <comment>115</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Neue Eingabe erforderlich</source>
            <comment>116</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speichern in:</source>
            <comment>117</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ausgewählter Ordner existiert nicht.</source>
            <comment>119</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ausgewähltes Laufwerk existiert nicht.</source>
            <comment>120</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Bitte informieren Sie support@pathquill.example</source>
            <comment>121</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Überprüfung des Dateinamens ist fehlgeschlagen.</source>
            <comment>122</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Alle_LW</source>
            <comment>129</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Optionen</source>
            <comment>130</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ei&amp;nstellungen</source>
            <comment>131</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Optionen für Speichern unter</source>
            <comment>132</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>erstellt</source>
            <comment>133</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>letzter Zugriff</source>
            <comment>134</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Attribute</source>
            <comment>135</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>kurzer Name</source>
            <comment>136</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche in allen lokalen Laufwerken</source>
            <comment>137</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ihr CD-ROM/DVD-Laufwerk</source>
            <comment>138</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Nein</source>
            <comment>139</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Windows-Explorer</source>
            <comment>140</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>einzelne Ordner</source>
            <comment>141</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>geändert</source>
            <comment>142</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datei ist bereits vorhanden und schreibgeschützt. Attribut entfernen?</source>
            <comment>143</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größenangaben in</source>
            <comment>144</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Kilobyte</source>
            <comment>145</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Megabyte</source>
            <comment>146</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größe (MB)</source>
            <comment>147</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Byte</source>
            <comment>148</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größe (Byte)</source>
            <comment>149</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Typ</source>
            <comment>150</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>mit Unterordnern</source>
            <comment>151</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Fundstellen</source>
            <comment>152</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Dateien</source>
            <comment>153</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Unterordner</source>
            <comment>154</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Fehler beim Öffnen der Registry</source>
            <comment>155</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Fehler beim Löschen in der Registry</source>
            <comment>157</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Arbeitsplatz</source>
            <comment>164</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Alle Laufwerke</source>
            <comment>182</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Kann Pfad nicht finden: </source>
            <comment>187</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>alle</source>
            <comment>189</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Neuer Ordnername</source>
            <comment>190</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>unbekannt</source>
            <comment>191</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größe</source>
            <comment>193</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>MB</source>
            <comment>196</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Einheit</source>
            <comment>197</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Error: Program didn't establish existing drives</source>
            <comment>198</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Bestätigung</source>
            <comment>199</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Information</source>
            <comment>200</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Ja</source>
            <comment>201</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Nein</source>
            <comment>202</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Pathquill</source>
            <comment>203</comment>
            <translation type="unfinished"/>
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
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Unbekannte Option:</source>
            <comment>205</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Wert fehlt für Option</source>
            <comment>206</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ungültiger Wert für Option</source>
            <comment>207</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Zu viele Ordner angegeben:</source>
            <comment>208</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Die Sortierspalte wird nicht angezeigt:</source>
            <comment>209</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>„pathquill-list --help“ zeigt die Aufrufmöglichkeiten.</source>
            <comment>210</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Einträge</source>
            <comment>211</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Desktop</source>
            <comment>212</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Persönlicher Ordner</source>
            <comment>213</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Wird geladen …</source>
            <comment>214</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Im Dateimanager öffnen</source>
            <comment>215</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Aktualisieren</source>
            <comment>216</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Umbenennen</source>
            <comment>217</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>In den Papierkorb verschieben</source>
            <comment>218</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner kann nicht umbenannt werden: </source>
            <comment>219</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ein Ordner oder eine Datei mit diesem Namen ist bereits vorhanden.</source>
            <comment>220</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Der neue Name ist kein gültiger Ordnername.</source>
            <comment>221</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Zugriff verweigert oder Datenträger schreibgeschützt.</source>
            <comment>222</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner in den Papierkorb verschieben?</source>
            <comment>223</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner kann nicht in den Papierkorb verschoben werden: </source>
            <comment>224</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Erzeugung von Schlüssel %s misslungen</source>
            <comment>250</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Konnte Daten für '%s' nicht setzen</source>
            <comment>251</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Pathquill – Hilfe</source>
            <comment>252</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Die Hilfedatei %s wurde nicht gefunden.</source>
            <comment>253</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ordner mit Pathquill auflisten</source>
            <comment>254</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>OK</source>
            <comment>255</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Inhalt</source>
            <comment>256</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Summe</source>
            <comment>280</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Seite %1 von %2</source>
            <comment>281</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>&amp;Drucken …</source>
            <comment>282</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Als PD&amp;F exportieren …</source>
            <comment>283</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Als &amp;Tabelle exportieren (.xlsx) …</source>
            <comment>284</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>PDF-Dokumente (*.pdf)</source>
            <comment>285</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Excel-Arbeitsmappen (*.xlsx)</source>
            <comment>286</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Bericht wird vorbereitet …</source>
            <comment>287</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>PDF wird geschrieben …</source>
            <comment>288</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Tabelle wird geschrieben …</source>
            <comment>289</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Druckvorschau</source>
            <comment>290</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Copyright © 2026 die Pathquill-Entwickler.
Freie Software ohne Gewähr.</source>
            <comment>300</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Datei/Ordner</source>
            <comment>301</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Öffnen</source>
            <comment>320</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Im Ordner anzeigen</source>
            <comment>321</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Pfad kopieren</source>
            <comment>322</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Zeilen kopieren</source>
            <comment>323</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Suche läuft</source>
            <comment>324</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Die Datei kann nicht geöffnet werden: </source>
            <comment>325</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Der Ordner kann nicht angezeigt werden: </source>
            <comment>326</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>erwartet: ganze Zahl, wahlweise mit K, M oder G, zum Beispiel 500K</source>
            <comment>340</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>erwartet: JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], zum Beispiel 2024-03-01T08:30</source>
            <comment>341</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Die Mindestgröße (--min-size) ist größer als die Höchstgröße (--max-size).</source>
            <comment>342</comment>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Größen- und Datumsfilter wählen Dateizeilen aus und sind mit --structure oder --only-folders nicht möglich:</source>
            <comment>343</comment>
            <translation type="unfinished"/>
        </message>
    </context>
</TS>
