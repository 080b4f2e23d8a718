<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Batch</name>
    <message>
        <source>Try &apos;ordvane-batch --help&apos; for more information.</source>
        <translation>„ordvane-batch --help“ zeigt weitere Informationen.</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>Die Datei [%1] wurde bereits hinzugefügt!</translation>
    </message>
    <message>
        <source>cannot read the list %1: %2</source>
        <translation>die Liste %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the list %1 is larger than %2 bytes</source>
        <translation>die Liste %1 ist größer als %2 Byte</translation>
    </message>
    <message>
        <source>a line of the list %1 is longer than a path can be</source>
        <translation>eine Zeile der Liste %1 ist länger, als ein Pfad sein kann</translation>
    </message>
    <message>
        <source>Failed: %1 (%2)</source>
        <translation>Fehlgeschlagen: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 pages/s</source>
        <translation>%1 Seiten/s</translation>
    </message>
    <message>
        <source>, %1:%2 left</source>
        <translation>, noch %1:%2</translation>
    </message>
    <message>
        <source>PDF files and folders to convert.</source>
        <translation>Umzuwandelnde PDF-Dateien und Ordner.</translation>
    </message>
    <message>
        <source>Search folders&apos; subfolders too.</source>
        <translation>Auch Unterordner der Ordner durchsuchen.</translation>
    </message>
    <message>
        <source>Read paths from FILE, one a line (&quot;-&quot;: standard input).</source>
        <translation>Pfade aus FILE lesen, einer je Zeile („-“: Standardeingabe).</translation>
    </message>
    <message>
        <source>The list of --files-from is separated by NUL bytes.</source>
        <translation>Die Liste von --files-from ist durch NUL-Bytes getrennt.</translation>
    </message>
    <message>
        <source>Write the text files into DIR.</source>
        <translation>Die Textdateien in DIR schreiben.</translation>
    </message>
    <message>
        <source>Write each text file beside its PDF.</source>
        <translation>Jede Textdatei neben ihre PDF-Datei schreiben.</translation>
    </message>
    <message>
        <source>Code page of the text files (65001 UTF-8, 1200 UTF-16, 0 the system&apos;s, or a Windows code page).</source>
        <translation>Codepage der Textdateien (65001 UTF-8, 1200 UTF-16, 0 die des Systems oder eine Windows-Codepage).</translation>
    </message>
    <message>
        <source>Text order: reading, layout or raw.</source>
        <translation>Textreihenfolge: reading (Lesereihenfolge), layout (Originallayout) oder raw (Rohreihenfolge).</translation>
    </message>
    <message>
        <source>A form feed after each page.</source>
        <translation>Ein Seitenumbruch nach jeder Seite.</translation>
    </message>
    <message>
        <source>No form feeds between pages.</source>
        <translation>Keine Seitenumbrüche zwischen den Seiten.</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages.</source>
        <translation>Text in gescannten Seiten erkennen.</translation>
    </message>
    <message>
        <source>Do not recognise text in scanned pages.</source>
        <translation>Keinen Text in gescannten Seiten erkennen.</translation>
    </message>
    <message>
        <source>Recognition languages, Tesseract codes joined by &quot;+&quot; (eng+deu).</source>
        <translation>Erkennungssprachen, Tesseract-Codes mit „+“ verbunden (eng+deu).</translation>
    </message>
    <message>
        <source>Convert N files at once (default: one per processor).</source>
        <translation>N Dateien gleichzeitig umwandeln (Standard: eine je Prozessor).</translation>
    </message>
    <message>
        <source>Do not append to the activity log.</source>
        <translation>Nichts an das Aktivitätsprotokoll anhängen.</translation>
    </message>
    <message>
        <source>One JSON object a line per file on standard output.</source>
        <translation>Ein JSON-Objekt je Datei und Zeile auf der Standardausgabe.</translation>
    </message>
    <message>
        <source>Take part K of N of the input (0 &lt;= K &lt; N), split by a hash of each path.</source>
        <translation>Teil K von N der Eingabe nehmen (0 &lt;= K &lt; N), aufgeteilt nach einem Hash jedes Pfads.</translation>
    </message>
    <message>
        <source>Convert the Waiting entries of a job list and record their outcomes in it.</source>
        <translation>Die wartenden Einträge einer Auftragsliste umwandeln und ihre Ergebnisse darin festhalten.</translation>
    </message>
    <message>
        <source>--target-dir and --same-dir exclude each other</source>
        <translation>--target-dir und --same-dir schließen einander aus</translation>
    </message>
    <message>
        <source>--code-page takes a number, not &quot;%1&quot;</source>
        <translation>--code-page erwartet eine Zahl, nicht „%1“</translation>
    </message>
    <message>
        <source>code page %1 has no converter on this system</source>
        <translation>für die Codepage %1 gibt es auf diesem System keinen Konverter</translation>
    </message>
    <message>
        <source>--order takes reading, layout or raw, not &quot;%1&quot;</source>
        <translation>--order erwartet reading, layout oder raw, nicht „%1“</translation>
    </message>
    <message>
        <source>--page-breaks and --no-page-breaks exclude each other</source>
        <translation>--page-breaks und --no-page-breaks schließen einander aus</translation>
    </message>
    <message>
        <source>--ocr and --no-ocr exclude each other</source>
        <translation>--ocr und --no-ocr schließen einander aus</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 1024, not &quot;%1&quot;</source>
        <translation>--jobs erwartet eine Zahl von 1 bis 1024, nicht „%1“</translation>
    </message>
    <message>
        <source>--shard takes K/N with 0 &lt;= K &lt; N, not &quot;%1&quot;</source>
        <translation>--shard erwartet K/N mit 0 &lt;= K &lt; N, nicht „%1“</translation>
    </message>
    <message>
        <source>--job-file takes no other paths</source>
        <translation>--job-file lässt keine weiteren Pfade zu</translation>
    </message>
    <message>
        <source>no files or folders to convert</source>
        <translation>keine Dateien oder Ordner zum Umwandeln</translation>
    </message>
    <message>
        <source>the converter library cannot be loaded from %1</source>
        <translation>die Konverterbibliothek kann nicht aus %1 geladen werden</translation>
    </message>
    <message>
        <source>the job list %1 is in use</source>
        <translation>die Auftragsliste %1 wird gerade benutzt</translation>
    </message>
    <message>
        <source>the job list %1 cannot be read in full</source>
        <translation>die Auftragsliste %1 kann nicht vollständig gelesen werden</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>--existing takes rename, overwrite, skip or update, not &quot;%1&quot;</source>
        <translation>--existing erwartet rename, overwrite, skip oder update, nicht „%1“</translation>
    </message>
    <message>
        <source>Try the passwords in FILE, one a line (&quot;-&quot;: standard input), on each file that needs one.</source>
        <translation>Die Kennwörter aus FILE, eines je Zeile („-“: Standardeingabe), bei jeder Datei versuchen, die eines verlangt.</translation>
    </message>
    <message>
        <source>cannot read the passwords %1: %2</source>
        <translation>die Kennwortdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the passwords %1 are more than %2 bytes</source>
        <translation>die Kennwortdatei %1 ist größer als %2 Byte</translation>
    </message>
    <message>
        <source>--files-from and --password-file cannot both read standard input</source>
        <translation>--files-from und --password-file können nicht beide die Standardeingabe lesen</translation>
    </message>
    <message>
        <source>Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir searches them. Defaults come from the program&apos;s settings file.

A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF of the same run or, under rename, by any file, the text gets the first free name with a number, as report(1).txt.</source>
        <translation>Wandelt PDF-Dateien wie KV-Ordvane in Textdateien um, ohne Fenster. Ordner werden durchsucht wie mit „Ordner hinzufügen“. Die Standardwerte stammen aus der Einstellungsdatei des Programms.

Eine Textdatei heißt wie ihre PDF-Datei, mit der Endung .txt. Ist der Name vergeben – durch den Text einer anderen PDF-Datei desselben Laufs oder, bei rename, durch eine beliebige Datei –, erhält der Text den ersten freien Namen mit einer Nummer, etwa report(1).txt.</translation>
    </message>
    <message>
        <source>Put each text file into the folder below the target folder that holds its PDF below the folder it was found in (or below --base); files given by name go straight into the target folder.</source>
        <translation>Jede Textdatei in den Ordner unter dem Zielordner legen, der dem Ordner ihrer PDF-Datei unter dem Ordner entspricht, in dem sie gefunden wurde (oder unter --base); einzeln genannte Dateien kommen direkt in den Zielordner.</translation>
    </message>
    <message>
        <source>With --keep-tree: the folders below DIR are kept for every file, also those given by name or in a list.</source>
        <translation>Mit --keep-tree: die Ordner unter DIR für jede Datei beibehalten, auch für einzeln oder in einer Liste genannte.</translation>
    </message>
    <message>
        <source>When a text file exists: rename, overwrite, skip, or update (convert again only when the PDF or the options changed since its text was made).</source>
        <translation>Wenn eine Textdatei existiert: rename (umbenennen), overwrite (überschreiben), skip (überspringen) oder update (nur neu umwandeln, wenn sich die PDF-Datei oder die Optionen seit der Erstellung des Textes geändert haben).</translation>
    </message>
    <message>
        <source>--base goes with --keep-tree</source>
        <translation>--base ist nur mit --keep-tree möglich</translation>
    </message>
    <message>
        <source>--keep-tree needs a target folder (--target-dir)</source>
        <translation>--keep-tree braucht einen Zielordner (--target-dir)</translation>
    </message>
    <message numerus="yes">
        <source>recognition did not finish in time, text is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>die Texterkennung wurde nicht rechtzeitig fertig, Text fehlt: Seite %1 von %2</numerusform>
            <numerusform>die Texterkennung wurde nicht rechtzeitig fertig, Text fehlt: Seiten %1 von %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Give the recognition of a page N seconds (default 120); a page not read by then keeps what was read, and is told.</source>
        <translation>Der Texterkennung einer Seite N Sekunden geben (Standard 120); eine bis dahin nicht fertig gelesene Seite behält das Gelesene und wird gemeldet.</translation>
    </message>
    <message>
        <source>the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line</source>
        <translation>die Kennwortdatei %1 ist nicht in UTF-8 (etwa in UTF-16): speichern Sie sie als UTF-8, ein Kennwort je Zeile</translation>
    </message>
    <message>
        <source>a password in %1 is longer than %2 bytes</source>
        <translation>ein Kennwort in %1 ist länger als %2 Byte</translation>
    </message>
    <message>
        <source>the password file %1 holds more than %2 passwords</source>
        <translation>die Kennwortdatei %1 enthält mehr als %2 Kennwörter</translation>
    </message>
    <message>
        <source>--ocr-time takes a number of seconds from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--ocr-time erwartet eine Sekundenzahl von 1 bis 65535, nicht „%1“</translation>
    </message>
    <message>
        <source>the activity log cannot be written, its lines are lost: %1</source>
        <translation>das Aktivitätsprotokoll kann nicht geschrieben werden, seine Zeilen gehen verloren: %1</translation>
    </message>
    <message numerus="yes">
        <source>; %n page(s) in %1 s</source>
        <extracomment>After the counts of the run: &quot;3 converted, 1 failed; 12 pages in 0.4 s&quot;.</extracomment>
        <translation>
            <numerusform>; %n Seite in %1 s</numerusform>
            <numerusform>; %n Seiten in %1 s</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 takes a number from %2 to %3, not &quot;%4&quot;</source>
        <translation>--%1 erwartet eine Zahl von %2 bis %3, nicht „%4“</translation>
    </message>
    <message>
        <source>--settle and --rescan go with --watch</source>
        <translation>--settle und --rescan sind nur mit --watch möglich</translation>
    </message>
    <message>
        <source>Convert what is not current in the folders, then keep watching them and convert each PDF written or moved into them, until ended by a signal (SIGTERM, SIGINT, SIGHUP).</source>
        <translation>Umwandeln, was in den Ordnern nicht aktuell ist, dann die Ordner weiter beobachten und jede PDF-Datei umwandeln, die in sie geschrieben oder verschoben wird, bis ein Signal (SIGTERM, SIGINT, SIGHUP) das Programm beendet.</translation>
    </message>
    <message>
        <source>With --watch: take a file once it has been left unchanged for MS milliseconds (default 1000).</source>
        <translation>Mit --watch: eine Datei erst umwandeln, wenn sie MS Millisekunden lang unverändert geblieben ist (Standard 1000).</translation>
    </message>
    <message>
        <source>With --watch: also search the folders again every N seconds, for file systems that do not tell of changes (default 0: never).</source>
        <translation>Mit --watch: die Ordner außerdem alle N Sekunden erneut durchsuchen, für Dateisysteme, die Änderungen nicht melden (Standard 0: nie).</translation>
    </message>
    <message>
        <source>--watch and --job-file exclude each other</source>
        <translation>--watch und --job-file schließen einander aus</translation>
    </message>
    <message>
        <source>--watch takes folders, and %1 is none</source>
        <translation>--watch erwartet Ordner, und %1 ist keiner</translation>
    </message>
    <message>
        <source>the folder %1 is gone or cannot be read (%2); it is watched again once it is back</source>
        <translation>der Ordner %1 ist nicht mehr da oder nicht lesbar (%2); er wird wieder beobachtet, sobald er zurück ist</translation>
    </message>
    <message>
        <source>the folder %1 is back and watched again</source>
        <translation>der Ordner %1 ist wieder da und wird wieder beobachtet</translation>
    </message>
    <message>
        <source>the folder %1 cannot be watched: %2</source>
        <translation>der Ordner %1 kann nicht beobachtet werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>text in fonts that could not be read is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>Text in nicht lesbaren Schriftarten fehlt: Seite %1 von %2</numerusform>
            <numerusform>Text in nicht lesbaren Schriftarten fehlt: Seiten %1 von %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF files to plain text. The FILEs are added to the job list as if they were dropped on the window; when KV-Ordvane already runs with this job list, they are handed to it and its window comes to the front.</source>
        <translation>Wandelt PDF-Dateien in reinen Text um. Die angegebenen Dateien (FILE) kommen in die Auftragsliste, als wären sie auf das Fenster gezogen worden; läuft KV-Ordvane bereits mit dieser Auftragsliste, werden sie ihm übergeben, und sein Fenster kommt nach vorn.</translation>
    </message>
    <message>
        <source>PDF files, or one folder to search.</source>
        <translation>PDF-Dateien oder ein zu durchsuchender Ordner.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Zeigt die Hilfe einschließlich der Qt-spezifischen Optionen an.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Zeigt die Versionsinformationen an.</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>Aufruf: %1 [Optionen] %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumente:</translation>
    </message>
    <message>
        <source>The window system&apos;s options are taken as every Qt program takes them: %1.</source>
        <translation>Die Optionen des Fenstersystems werden wie von jedem Qt-Programm angenommen: %1.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Load file filter dll error</source>
        <translation>Fehler beim Laden der Konverterbibliothek</translation>
    </message>
    <message>
        <source>Source file open error</source>
        <translation>Quelldatei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Extracting text from source file not allowed</source>
        <translation>Textextraktion aus der Quelldatei nicht erlaubt</translation>
    </message>
    <message>
        <source>File format not correct</source>
        <translation>Dateiformat nicht korrekt</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system</source>
        <translation>Die Codepage %1 wird auf diesem System nicht unterstützt</translation>
    </message>
    <message>
        <source>Target file already exists, user canceled</source>
        <translation>Zieldatei existiert bereits, vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>File type not support</source>
        <translation>Dateityp nicht unterstützt</translation>
    </message>
    <message>
        <source>Convert successfully</source>
        <translation>Erfolgreich umgewandelt</translation>
    </message>
    <message>
        <source>Target file create error</source>
        <translation>Zieldatei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Target file write error</source>
        <translation>Fehler beim Schreiben der Zieldatei</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Failed: %2, Total: %3</source>
        <translation>Umwandlung beendet. Erfolgreich: %1, Fehlgeschlagen: %2, Gesamt: %3</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) left unread for want of recognition data; %1 would read them.</source>
        <translation>
            <numerusform>%n Seite blieb ungelesen, weil Texterkennungsdaten fehlen; mit %1 ließe sie sich lesen.</numerusform>
            <numerusform>%n Seiten blieben ungelesen, weil Texterkennungsdaten fehlen; mit %1 ließen sie sich lesen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Source file changed while it was read</source>
        <translation>Quelldatei wurde während des Lesens geändert</translation>
    </message>
    <message>
        <source>Password required</source>
        <translation>Kennwort erforderlich</translation>
    </message>
    <message>
        <source>Target file is up to date</source>
        <translation>Zieldatei ist bereits aktuell</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Skipped: %2, Failed: %3, Total: %4</source>
        <translation>Umwandlung beendet. Erfolgreich: %1, Übersprungen: %2, Fehlgeschlagen: %3, Gesamt: %4</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n umgewandelt</numerusform>
            <numerusform>%n umgewandelt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n übersprungen</numerusform>
            <numerusform>%n übersprungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left waiting (run stopped)</source>
        <translation>
            <numerusform>%n wartend (Lauf angehalten)</numerusform>
            <numerusform>%n wartend (Lauf angehalten)</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the counts of a run: &quot;3 converted, 1 failed&quot;.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>Conversion ended: %1.</source>
        <translation>Umwandlung beendet: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) not fully recognised in time; the log names them.</source>
        <translation>
            <numerusform>%n Seite wurde nicht rechtzeitig vollständig erkannt; das Protokoll nennt sie.</numerusform>
            <numerusform>%n Seiten wurden nicht rechtzeitig vollständig erkannt; das Protokoll nennt sie.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.</source>
        <translation>
            <numerusform>%n Seite enthält Text in Schriftarten, die nicht gelesen werden konnten; dieser Text fehlt, das Protokoll nennt die Seite.</numerusform>
            <numerusform>%n Seiten enthalten Text in Schriftarten, die nicht gelesen werden konnten; dieser Text fehlt, das Protokoll nennt die Seiten.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DocumentTypes</name>
    <message>
        <source>Adobe Portable Document File</source>
        <translation>Adobe-PDF-Dokument</translation>
    </message>
    <message>
        <source>All Support File</source>
        <translation>Alle unterstützten Dateien</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>JobList</name>
    <message>
        <source>Waiting</source>
        <translation>Wartend</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Umgewandelt</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>State %1</source>
        <translation>Status %1</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>Die Datei [%1] wurde bereits hinzugefügt!</translation>
    </message>
    <message>
        <source>File [%1] type not support!</source>
        <translation>Der Typ der Datei [%1] wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>File [%1] not added: the list is full!</source>
        <translation>Die Datei [%1] wurde nicht hinzugefügt: Die Liste ist voll!</translation>
    </message>
    <message>
        <source>File [%1] not found!</source>
        <translation>Datei [%1] nicht gefunden!</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>Größe (Byte)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Target file</source>
        <translation>Zieldatei</translation>
    </message>
    <message>
        <source>Convert Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>%1, no text</source>
        <translation>%1, kein Text</translation>
    </message>
    <message>
        <source>Converted, but the file gave no text</source>
        <translation>Umgewandelt, aber die Datei enthielt keinen Text</translation>
    </message>
</context>
<context>
    <name>JobListSaver</name>
    <message>
        <source>The job list could not be saved. Retry once there is room, exit without saving it (what changed since the last save is lost), or cancel to keep KV-Ordvane open.</source>
        <translation>Die Auftragsliste konnte nicht gespeichert werden. Versuchen Sie es erneut, sobald wieder Platz ist, beenden Sie ohne Speichern (Änderungen seit dem letzten Speichern gehen verloren) oder brechen Sie ab, damit KV-Ordvane geöffnet bleibt.</translation>
    </message>
    <message>
        <source>Exit Without Saving</source>
        <translation>Ohne Speichern beenden</translation>
    </message>
</context>
<context>
    <name>OrdvaneApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>PasswordEntry</name>
    <message>
        <source>None of the selected files needs a password.</source>
        <translation>Keine der ausgewählten Dateien braucht ein Kennwort.</translation>
    </message>
    <message>
        <source>Asking the keyring for the passwords... Esc types them in instead.</source>
        <translation>Der Schlüsselbund wird nach den Kennwörtern gefragt … Mit Esc geben Sie sie stattdessen ein.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: it is known only until KV-Ordvane ends.</source>
        <translation>Der Schlüsselbund hat das Kennwort nicht übernommen: Es bleibt nur bis zum Ende von KV-Ordvane bekannt.</translation>
    </message>
</context>
<context>
    <name>RecognitionChoice</name>
    <message>
        <source>Enter at least one recognition language, such as eng.</source>
        <translation>Geben Sie mindestens eine Erkennungssprache an, etwa deu.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of language codes; join codes with &quot;+&quot;, as in eng+deu.</source>
        <translation>„%1“ ist keine Liste von Sprachcodes; verbinden Sie Codes mit „+“, etwa eng+deu.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>The language data for &quot;%1&quot; is not installed, so text in that language cannot be recognised; the package %2 holds it.
Installed: %3.</source>
        <translation>Die Sprachdaten für „%1“ sind nicht installiert, daher kann Text in dieser Sprache nicht erkannt werden; sie sind im Paket %2 enthalten.
Installiert: %3.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder %1 belongs to another user or is open to others, so files cannot be handed to a running KV-Ordvane.</source>
        <translation>Der Ordner %1 gehört einem anderen Benutzer oder ist für andere offen, daher können einem laufenden KV-Ordvane keine Dateien übergeben werden.</translation>
    </message>
    <message>
        <source>Files cannot be handed to this KV-Ordvane: %1</source>
        <translation>Diesem KV-Ordvane können keine Dateien übergeben werden: %1</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Resize window</source>
        <translation>Fenstergröße ändern</translation>
    </message>
    <message numerus="yes">
        <source>Select %n file(s).</source>
        <translation>
            <numerusform>%n Datei ausgewählt.</numerusform>
            <numerusform>%n Dateien ausgewählt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n File(s)</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmAbout</name>
    <message>
        <source>About KV-Ordvane</source>
        <translation>Über KV-Ordvane</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFmAddDir</name>
    <message>
        <source>Add directory</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>Auswahl &amp;umkehren</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>&amp;Keine auswählen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Directory</source>
        <translation>O&amp;rdner</translation>
    </message>
    <message>
        <source>Select type of file to be converted:</source>
        <translation>Typ der umzuwandelnden Dateien:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select the type of file to be converted!</source>
        <translation>Bitte wählen Sie den Typ der umzuwandelnden Dateien!</translation>
    </message>
    <message>
        <source>&amp;Recursive Sub Directory</source>
        <translation>Unterordner &amp;einbeziehen</translation>
    </message>
</context>
<context>
    <name>TFmCancelCvt</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Converting Files...</source>
        <translation>Dateien werden umgewandelt …</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Press CANCEL to abort current operation.</source>
        <translation>„Abbrechen“ bricht den laufenden Vorgang ab.</translation>
    </message>
    <message>
        <source>Recognising page %1 of %2</source>
        <translation>Texterkennung: Seite %1 von %2</translation>
    </message>
    <message>
        <source>Page %1 of about %2</source>
        <translation>Seite %1 von etwa %2</translation>
    </message>
    <message>
        <source>, about %1 left</source>
        <translation>, noch etwa %1</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Wird angehalten …</translation>
    </message>
    <message numerus="yes">
        <source>, %n files at once</source>
        <translation>
            <numerusform>, %n Datei gleichzeitig</numerusform>
            <numerusform>, %n Dateien gleichzeitig</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmCancelFind</name>
    <message>
        <source>Searching Files ...</source>
        <translation>Dateien werden gesucht …</translation>
    </message>
    <message>
        <source>Press to abort search operation</source>
        <translation>Klicken, um die Suche abzubrechen</translation>
    </message>
</context>
<context>
    <name>TFmDirectory</name>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>List of directories:</source>
        <translation>Liste der Ordner:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Ordner auswählen</translation>
    </message>
</context>
<context>
    <name>TFmFileOverTp</name>
    <message>
        <source>&amp;Auto Rename</source>
        <translation>&amp;Automatisch umbenennen</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>Ü&amp;berschreiben</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Stop Convert</source>
        <translation>Umwandlung &amp;stoppen</translation>
    </message>
    <message>
        <source>The file already exist.</source>
        <translation>Die Datei existiert bereits.</translation>
    </message>
    <message>
        <source>&amp;Do the same for the remaining files</source>
        <translation>&amp;Genauso mit den übrigen Dateien verfahren</translation>
    </message>
</context>
<context>
    <name>TFmMain</name>
    <message>
        <source>Job list</source>
        <translation>Auftragsliste</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Set KV-Ordvane options</source>
        <translation>KV-Ordvane einstellen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Exit from KV-Ordvane</source>
        <translation>KV-Ordvane beenden</translation>
    </message>
    <message>
        <source>&amp;View Log</source>
        <translation>&amp;Protokoll anzeigen</translation>
    </message>
    <message>
        <source>View KV-Ordvane logs</source>
        <translation>Das Protokoll von KV-Ordvane anzeigen</translation>
    </message>
    <message>
        <source>Add &amp;File	CTRL+F</source>
        <translation>&amp;Datei hinzufügen	Strg+F</translation>
    </message>
    <message>
        <source>Add file(s) by selecting file(s)</source>
        <translation>Dateien hinzufügen, indem Sie Dateien auswählen</translation>
    </message>
    <message>
        <source>Add &amp;Dir	CTRL+D</source>
        <translation>&amp;Ordner hinzufügen	Strg+D</translation>
    </message>
    <message>
        <source>Add file(s) by selecting director(ies)</source>
        <translation>Dateien hinzufügen, indem Sie Ordner auswählen</translation>
    </message>
    <message>
        <source>&amp;Paste File	CTRL+V</source>
        <translation>Dateien &amp;einfügen	Strg+V</translation>
    </message>
    <message>
        <source>Add file(s) by pasting from clipboard</source>
        <translation>Dateien aus der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Delete	Delete</source>
        <translation>Löschen	Entf</translation>
    </message>
    <message>
        <source>Delete selected file(s) name from listview</source>
        <translation>Die ausgewählten Dateien aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Select &amp;All	CTRL+A</source>
        <translation>Alle aus&amp;wählen	Strg+A</translation>
    </message>
    <message>
        <source>Select all file(s) in listview</source>
        <translation>Alle Dateien der Liste auswählen</translation>
    </message>
    <message>
        <source>&amp;Convert All	Ctrl+G</source>
        <translation>Alle &amp;umwandeln	Strg+G</translation>
    </message>
    <message>
        <source>Convert all file(s) in listview</source>
        <translation>Alle Dateien der Liste umwandeln</translation>
    </message>
    <message>
        <source>Convert &amp;Selected</source>
        <translation>&amp;Auswahl umwandeln</translation>
    </message>
    <message>
        <source>Convert selected file(s)</source>
        <translation>Die ausgewählten Dateien umwandeln</translation>
    </message>
    <message>
        <source>&amp;ReConvert Selected</source>
        <translation>Auswahl e&amp;rneut umwandeln</translation>
    </message>
    <message>
        <source>Convert selected file(s) again</source>
        <translation>Die ausgewählten Dateien erneut umwandeln</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <source>Open source file with default program</source>
        <translation>Die Quelldatei mit dem Standardprogramm öffnen</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Zieldatei</translation>
    </message>
    <message>
        <source>Open target file with default program</source>
        <translation>Die Zieldatei mit dem Standardprogramm öffnen</translation>
    </message>
    <message>
        <source>Explore folder which source file in</source>
        <translation>Den Ordner der Quelldatei öffnen</translation>
    </message>
    <message>
        <source>Explore folder which target file in</source>
        <translation>Den Ordner der Zieldatei öffnen</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Inhalt	F1</translation>
    </message>
    <message>
        <source>Show help contents</source>
        <translation>Den Inhalt der Hilfe anzeigen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Show about window</source>
        <translation>Informationen über das Programm anzeigen</translation>
    </message>
    <message>
        <source>&amp;File </source>
        <translation>&amp;Datei </translation>
    </message>
    <message>
        <source>&amp;Edit </source>
        <translation>&amp;Bearbeiten </translation>
    </message>
    <message>
        <source>Con&amp;vert </source>
        <translation>&amp;Umwandeln </translation>
    </message>
    <message>
        <source>&amp;Launch</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Help </source>
        <translation>&amp;Hilfe </translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Explore</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Add File</source>
        <translation>D&amp;atei hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;Dir</source>
        <translation>O&amp;rdner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Protokoll</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>Um&amp;wandeln</translation>
    </message>
    <message numerus="yes">
        <source>The job file could not be read in full; %n file(s) restored, the old file is kept as %1</source>
        <translation>
            <numerusform>Die Auftragsdatei konnte nicht vollständig gelesen werden; %n Datei wiederhergestellt, die alte Datei bleibt als %1 erhalten</numerusform>
            <numerusform>Die Auftragsdatei konnte nicht vollständig gelesen werden; %n Dateien wiederhergestellt, die alte Datei bleibt als %1 erhalten</numerusform>
        </translation>
    </message>
    <message>
        <source>A directory search is running: wait until it ends, or stop it.</source>
        <translation>Eine Ordnersuche läuft: Warten Sie, bis sie endet, oder brechen Sie sie ab.</translation>
    </message>
    <message>
        <source>Files are being converted: wait until the conversion ends, or cancel it.</source>
        <translation>Dateien werden umgewandelt: Warten Sie, bis die Umwandlung endet, oder brechen Sie sie ab.</translation>
    </message>
    <message numerus="yes">
        <source>%n converted file(s) gave no text.</source>
        <translation>
            <numerusform>%n umgewandelte Datei enthielt keinen Text.</numerusform>
            <numerusform>%n umgewandelte Dateien enthielten keinen Text.</numerusform>
        </translation>
    </message>
    <message>
        <source> To read scanned pages, turn on recognition on the Special page of Options.</source>
        <translation> Um gescannte Seiten zu lesen, schalten Sie die Texterkennung auf der Seite „Spezial“ der Optionen ein.</translation>
    </message>
    <message numerus="yes">
        <source>Done Scanning, add %n file(s).</source>
        <translation>
            <numerusform>Suche beendet, %n Datei hinzugefügt.</numerusform>
            <numerusform>Suche beendet, %n Dateien hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Show KV-Ordvane</source>
        <translation>KV-Ordvane anzeigen</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Enter &amp;Password...	Ctrl+P</source>
        <translation>&amp;Kennwort eingeben …	Strg+P</translation>
    </message>
    <message>
        <source>Open selected file(s) that need a password, and convert them</source>
        <translation>Ausgewählte Dateien, die ein Kennwort brauchen, öffnen und umwandeln</translation>
    </message>
    <message>
        <source>No program to open %1</source>
        <translation>Kein Programm zum Öffnen von %1</translation>
    </message>
    <message>
        <source>No file manager to show %1</source>
        <translation>Kein Dateimanager zum Anzeigen von %1</translation>
    </message>
</context>
<context>
    <name>TFmOption</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Target file directory same as source file</source>
        <translation>Zieldateien im Ordner der Quelldatei</translation>
    </message>
    <message>
        <source>Target file dir</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>Auto rename</source>
        <translation>Automatisch umbenennen</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Nachfragen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>When target file exists</source>
        <translation>Wenn die Zieldatei existiert</translation>
    </message>
    <message>
        <source>File code page</source>
        <translation>Codepage der Dateien</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Default ext</source>
        <translation>Standardendung</translation>
    </message>
    <message>
        <source>User defined</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Default reading order</source>
        <translation>Standard-Lesereihenfolge</translation>
    </message>
    <message>
        <source>Maintain original layout</source>
        <translation>Originallayout beibehalten</translation>
    </message>
    <message>
        <source>Keep raw order</source>
        <translation>Rohreihenfolge beibehalten</translation>
    </message>
    <message>
        <source>Insert page break</source>
        <translation>Seitenumbruch einfügen</translation>
    </message>
    <message>
        <source>Text output order</source>
        <translation>Textreihenfolge</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages (OCR)</source>
        <translation>Text in gescannten Seiten erkennen (OCR)</translation>
    </message>
    <message>
        <source>Tesseract language codes joined by &quot;+&quot;, such as eng+deu</source>
        <translation>Tesseract-Sprachcodes, mit „+“ verbunden, etwa eng+deu</translation>
    </message>
    <message>
        <source>Recognition languages</source>
        <translation>Erkennungssprachen</translation>
    </message>
    <message>
        <source>Keep raw characters</source>
        <translation>Rohe Zeichen beibehalten</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Spezial</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Select target directory</source>
        <translation>Zielordner auswählen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Code page identifier must be numeric!</source>
        <translation>Die Codepage muss eine Zahl sein!</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system!</source>
        <translation>Die Codepage %1 wird auf diesem System nicht unterstützt!</translation>
    </message>
    <message>
        <source>0         Default</source>
        <translation>0         Standard</translation>
    </message>
    <message>
        <source>1252   Latin 1: European Western</source>
        <translation>1252   Latin 1: Westeuropäisch</translation>
    </message>
    <message>
        <source>1200   Unicode (UTF-16, ISO 10646)</source>
        <translation>1200   Unicode (UTF-16, ISO 10646)</translation>
    </message>
    <message>
        <source>65001 Unicode (UTF-8)</source>
        <translation>65001 Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>1250   European Eastern</source>
        <translation>1250   Osteuropäisch</translation>
    </message>
    <message>
        <source>1256   Arabic</source>
        <translation>1256   Arabisch</translation>
    </message>
    <message>
        <source>1257   Baltic</source>
        <translation>1257   Baltisch</translation>
    </message>
    <message>
        <source>1251   Cyrillic</source>
        <translation>1251   Kyrillisch</translation>
    </message>
    <message>
        <source>1253   Greek</source>
        <translation>1253   Griechisch</translation>
    </message>
    <message>
        <source>1255   Hebrew</source>
        <translation>1255   Hebräisch</translation>
    </message>
    <message>
        <source>1254   Turkish</source>
        <translation>1254   Türkisch</translation>
    </message>
    <message>
        <source>874     Thai</source>
        <translation>874     Thailändisch</translation>
    </message>
    <message>
        <source>932     Japanese</source>
        <translation>932     Japanisch</translation>
    </message>
    <message>
        <source>936     Chinese Simplified</source>
        <translation>936     Chinesisch (vereinfacht)</translation>
    </message>
    <message>
        <source>950     Chinese Traditional</source>
        <translation>950     Chinesisch (traditionell)</translation>
    </message>
    <message>
        <source>949     Korean Hangul</source>
        <translation>949     Koreanisch (Hangul)</translation>
    </message>
    <message>
        <source>1361   Korean Johab</source>
        <translation>1361   Koreanisch (Johab)</translation>
    </message>
    <message>
        <source>Replace if older</source>
        <translation>Ersetzen, wenn älter</translation>
    </message>
</context>
<context>
    <name>TFmPassword</name>
    <message>
        <source>Password</source>
        <translation>Kennwort</translation>
    </message>
    <message>
        <source>Wrong password. Try again.</source>
        <translation>Falsches Kennwort. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>&amp;Remember in the keyring</source>
        <translation>Im &amp;Schlüsselbund merken</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Password of %1:</source>
        <translation>Kennwort für %1:</translation>
    </message>
    <message numerus="yes">
        <source>Password of the %n selected files:</source>
        <translation>
            <numerusform>Kennwort für die %n ausgewählte Datei:</numerusform>
            <numerusform>Kennwort für die %n ausgewählten Dateien:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmViewLog</name>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>Aktivitätsprotokoll</translation>
    </message>
    <message>
        <source>Not logging</source>
        <translation>Nicht protokollieren</translation>
    </message>
    <message>
        <source>Clear &amp;Log</source>
        <translation>Protokoll &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Export to file</source>
        <translation>In Datei &amp;exportieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>KV-Ordvane Log File(*.log)|*.log</source>
        <translation>KV-Ordvane-Protokolldatei (*.log)|*.log</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>KV-Ordvane is already running with the job list %1 (process %2) and does not answer. Nothing was added; close it and try again.</source>
        <translation>KV-Ordvane läuft bereits mit der Auftragsliste %1 (Prozess %2) und antwortet nicht. Es wurde nichts hinzugefügt; schließen Sie es und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The running KV-Ordvane added none of the files; its status bar and activity log say why.</source>
        <translation>Das laufende KV-Ordvane hat keine der Dateien hinzugefügt; warum, steht in seiner Statusleiste und im Aktivitätsprotokoll.</translation>
    </message>
</context>
</TS>
