<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Batch</name>
    <message numerus="yes">
        <source>recognition did not finish in time, text is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>recognition did not finish in time, text is missing: page %1 of %2</numerusform>
            <numerusform>recognition did not finish in time, text is missing: pages %1 of %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n page(s) in %1 s</source>
        <extracomment>After the counts of the run: &quot;3 converted, 1 failed; 12 pages in 0.4 s&quot;.</extracomment>
        <translation>
            <numerusform>; %n page in %1 s</numerusform>
            <numerusform>; %n pages in %1 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>text in fonts that could not be read is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>text in fonts that could not be read is missing: page %1 of %2</numerusform>
            <numerusform>text in fonts that could not be read is missing: pages %1 of %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message numerus="yes">
        <source>%n page(s) left unread for want of recognition data; %1 would read them.</source>
        <translation>
            <numerusform>%n page left unread for want of recognition data; %1 would read it.</numerusform>
            <numerusform>%n pages left unread for want of recognition data; %1 would read them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) not fully recognised in time; the log names them.</source>
        <translation>
            <numerusform>%n page not fully recognised in time; the log names it.</numerusform>
            <numerusform>%n pages not fully recognised in time; the log names them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n converted</numerusform>
            <numerusform>%n converted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n skipped</numerusform>
            <numerusform>%n skipped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n failed</numerusform>
            <numerusform>%n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left waiting (run stopped)</source>
        <translation>
            <numerusform>%n left waiting (run stopped)</numerusform>
            <numerusform>%n left waiting (run stopped)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.</source>
        <translation>
            <numerusform>%n page shows text in fonts that could not be read; that text is missing, and the log names the page.</numerusform>
            <numerusform>%n pages show text in fonts that could not be read; that text is missing, and the log names the pages.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message numerus="yes">
        <source>Select %n file(s).</source>
        <translation>
            <numerusform>Select %n file(s).</numerusform>
            <numerusform>Select %n file(s).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n File(s)</source>
        <translation>
            <numerusform>%n File(s)</numerusform>
            <numerusform>%n File(s)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmCancelCvt</name>
    <message numerus="yes">
        <source>, %n files at once</source>
        <translation>
            <numerusform>, %n file at once</numerusform>
            <numerusform>, %n files at once</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmMain</name>
    <message numerus="yes">
        <source>The job file could not be read in full; %n file(s) restored, the old file is kept as %1</source>
        <translation>
            <numerusform>The job file could not be read in full; %n file restored, the old file is kept as %1</numerusform>
            <numerusform>The job file could not be read in full; %n files restored, the old file is kept as %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n converted file(s) gave no text.</source>
        <translation>
            <numerusform>%n converted file gave no text.</numerusform>
            <numerusform>%n converted files gave no text.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Done Scanning, add %n file(s).</source>
        <translation>
            <numerusform>Done Scanning, add %n file(s).</numerusform>
            <numerusform>Done Scanning, add %n file(s).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmPassword</name>
    <message numerus="yes">
        <source>Password of the %n selected files:</source>
        <translation>
            <numerusform>Password of the %n selected files:</numerusform>
            <numerusform>Password of the %n selected files:</numerusform>
        </translation>
    </message>
</context>
</TS>
