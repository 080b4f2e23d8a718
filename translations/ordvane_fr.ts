<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Batch</name>
    <message>
        <source>Try &apos;ordvane-batch --help&apos; for more information.</source>
        <translation>Essayez «&#x202f;ordvane-batch --help&#x202f;» pour plus d&apos;informations.</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>Le fichier [%1] a déjà été ajouté&#x202f;!</translation>
    </message>
    <message>
        <source>cannot read the list %1: %2</source>
        <translation>impossible de lire la liste %1&#x202f;: %2</translation>
    </message>
    <message>
        <source>the list %1 is larger than %2 bytes</source>
        <translation>la liste %1 dépasse %2&#xa0;octets</translation>
    </message>
    <message>
        <source>a line of the list %1 is longer than a path can be</source>
        <translation>une ligne de la liste %1 est plus longue qu&apos;un chemin ne peut l&apos;être</translation>
    </message>
    <message>
        <source>Failed: %1 (%2)</source>
        <translation>Échec&#x202f;: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 pages/s</source>
        <translation>%1&#xa0;pages/s</translation>
    </message>
    <message>
        <source>, %1:%2 left</source>
        <translation>, reste %1:%2</translation>
    </message>
    <message>
        <source>PDF files and folders to convert.</source>
        <translation>Fichiers PDF et dossiers à convertir.</translation>
    </message>
    <message>
        <source>Search folders&apos; subfolders too.</source>
        <translation>Parcourir aussi les sous-dossiers.</translation>
    </message>
    <message>
        <source>Read paths from FILE, one a line (&quot;-&quot;: standard input).</source>
        <translation>Lire les chemins dans FILE, un par ligne («&#x202f;-&#x202f;»&#x202f;: entrée standard).</translation>
    </message>
    <message>
        <source>The list of --files-from is separated by NUL bytes.</source>
        <translation>La liste de --files-from est séparée par des octets NUL.</translation>
    </message>
    <message>
        <source>Write the text files into DIR.</source>
        <translation>Écrire les fichiers texte dans DIR.</translation>
    </message>
    <message>
        <source>Write each text file beside its PDF.</source>
        <translation>Écrire chaque fichier texte à côté de son PDF.</translation>
    </message>
    <message>
        <source>Code page of the text files (65001 UTF-8, 1200 UTF-16, 0 the system&apos;s, or a Windows code page).</source>
        <translation>Page de codes des fichiers texte (65001 UTF-8, 1200 UTF-16, 0 celle du système ou une page de codes Windows).</translation>
    </message>
    <message>
        <source>Text order: reading, layout or raw.</source>
        <translation>Ordre du texte&#x202f;: reading (lecture), layout (mise en page) ou raw (brut).</translation>
    </message>
    <message>
        <source>A form feed after each page.</source>
        <translation>Un saut de page après chaque page.</translation>
    </message>
    <message>
        <source>No form feeds between pages.</source>
        <translation>Aucun saut de page entre les pages.</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages.</source>
        <translation>Reconnaître le texte des pages numérisées.</translation>
    </message>
    <message>
        <source>Do not recognise text in scanned pages.</source>
        <translation>Ne pas reconnaître le texte des pages numérisées.</translation>
    </message>
    <message>
        <source>Recognition languages, Tesseract codes joined by &quot;+&quot; (eng+deu).</source>
        <translation>Langues de reconnaissance, codes Tesseract reliés par «&#x202f;+&#x202f;» (eng+fra).</translation>
    </message>
    <message>
        <source>Convert N files at once (default: one per processor).</source>
        <translation>Convertir N fichiers à la fois (par défaut&#x202f;: un par processeur).</translation>
    </message>
    <message>
        <source>Do not append to the activity log.</source>
        <translation>Ne rien ajouter au journal d&apos;activité.</translation>
    </message>
    <message>
        <source>One JSON object a line per file on standard output.</source>
        <translation>Un objet JSON par fichier et par ligne sur la sortie standard.</translation>
    </message>
    <message>
        <source>Take part K of N of the input (0 &lt;= K &lt; N), split by a hash of each path.</source>
        <translation>Prendre la partie K sur N de l&apos;entrée (0 &lt;= K &lt; N), répartie selon un hachage de chaque chemin.</translation>
    </message>
    <message>
        <source>Convert the Waiting entries of a job list and record their outcomes in it.</source>
        <translation>Convertir les entrées en attente d&apos;une liste de travaux et y consigner leurs résultats.</translation>
    </message>
    <message>
        <source>--target-dir and --same-dir exclude each other</source>
        <translation>--target-dir et --same-dir s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--code-page takes a number, not &quot;%1&quot;</source>
        <translation>--code-page attend un nombre, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>code page %1 has no converter on this system</source>
        <translation>la page de codes %1 n&apos;a pas de convertisseur sur ce système</translation>
    </message>
    <message>
        <source>--order takes reading, layout or raw, not &quot;%1&quot;</source>
        <translation>--order attend reading, layout ou raw, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>--page-breaks and --no-page-breaks exclude each other</source>
        <translation>--page-breaks et --no-page-breaks s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--ocr and --no-ocr exclude each other</source>
        <translation>--ocr et --no-ocr s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 1024, not &quot;%1&quot;</source>
        <translation>--jobs attend un nombre de 1 à 1024, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>--shard takes K/N with 0 &lt;= K &lt; N, not &quot;%1&quot;</source>
        <translation>--shard attend K/N avec 0 &lt;= K &lt; N, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>--job-file takes no other paths</source>
        <translation>--job-file n&apos;accepte aucun autre chemin</translation>
    </message>
    <message>
        <source>no files or folders to convert</source>
        <translation>aucun fichier ni dossier à convertir</translation>
    </message>
    <message>
        <source>the converter library cannot be loaded from %1</source>
        <translation>impossible de charger la bibliothèque de conversion depuis %1</translation>
    </message>
    <message>
        <source>the job list %1 is in use</source>
        <translation>la liste de travaux %1 est en cours d&apos;utilisation</translation>
    </message>
    <message>
        <source>the job list %1 cannot be read in full</source>
        <translation>la liste de travaux %1 ne peut pas être lue entièrement</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>interrompu</translation>
    </message>
    <message>
        <source>--existing takes rename, overwrite, skip or update, not &quot;%1&quot;</source>
        <translation>--existing attend rename, overwrite, skip ou update, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>Try the passwords in FILE, one a line (&quot;-&quot;: standard input), on each file that needs one.</source>
        <translation>Essayer les mots de passe de FILE, un par ligne («&#x202f;-&#x202f;»&#x202f;: entrée standard), sur chaque fichier qui en demande un.</translation>
    </message>
    <message>
        <source>cannot read the passwords %1: %2</source>
        <translation>impossible de lire les mots de passe %1&#x202f;: %2</translation>
    </message>
    <message>
        <source>the passwords %1 are more than %2 bytes</source>
        <translation>les mots de passe %1 dépassent %2&#xa0;octets</translation>
    </message>
    <message>
        <source>--files-from and --password-file cannot both read standard input</source>
        <translation>--files-from et --password-file ne peuvent pas lire tous deux l&apos;entrée standard</translation>
    </message>
    <message>
        <source>Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir searches them. Defaults come from the program&apos;s settings file.

A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF of the same run or, under rename, by any file, the text gets the first free name with a number, as report(1).txt.</source>
        <translation>Convertit des fichiers PDF en fichiers texte comme KV-Ordvane, sans fenêtre. Les dossiers sont parcourus comme par «&#x202f;Ajouter un dossier&#x202f;». Les valeurs par défaut viennent du fichier de paramètres du programme.

Un fichier texte porte le nom de son PDF, avec l&apos;extension .txt. Si ce nom est pris, par le texte d&apos;un autre PDF de la même exécution ou, avec rename, par n&apos;importe quel fichier, le texte reçoit le premier nom numéroté libre, comme report(1).txt.</translation>
    </message>
    <message>
        <source>Put each text file into the folder below the target folder that holds its PDF below the folder it was found in (or below --base); files given by name go straight into the target folder.</source>
        <translation>Placer chaque fichier texte, sous le dossier cible, dans le dossier qui correspond à celui de son PDF sous le dossier où il a été trouvé (ou sous --base)&#x202f;; les fichiers donnés par leur nom vont directement dans le dossier cible.</translation>
    </message>
    <message>
        <source>With --keep-tree: the folders below DIR are kept for every file, also those given by name or in a list.</source>
        <translation>Avec --keep-tree&#x202f;: les dossiers sous DIR sont conservés pour chaque fichier, y compris ceux donnés par leur nom ou dans une liste.</translation>
    </message>
    <message>
        <source>When a text file exists: rename, overwrite, skip, or update (convert again only when the PDF or the options changed since its text was made).</source>
        <translation>Quand un fichier texte existe&#x202f;: rename (renommer), overwrite (écraser), skip (ignorer) ou update (reconvertir seulement si le PDF ou les options ont changé depuis la création de son texte).</translation>
    </message>
    <message>
        <source>--base goes with --keep-tree</source>
        <translation>--base s&apos;utilise avec --keep-tree</translation>
    </message>
    <message>
        <source>--keep-tree needs a target folder (--target-dir)</source>
        <translation>--keep-tree nécessite un dossier cible (--target-dir)</translation>
    </message>
    <message numerus="yes">
        <source>recognition did not finish in time, text is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>la reconnaissance de texte n&apos;a pas fini à temps, du texte manque&#x202f;: page %1 de %2</numerusform>
            <numerusform>la reconnaissance de texte n&apos;a pas fini à temps, du texte manque&#x202f;: pages %1 de %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Give the recognition of a page N seconds (default 120); a page not read by then keeps what was read, and is told.</source>
        <translation>Accorder N secondes à la reconnaissance d&apos;une page (120 par défaut)&#x202f;; une page non lue entièrement d&apos;ici là garde ce qui en a été lu et est signalée.</translation>
    </message>
    <message>
        <source>the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line</source>
        <translation>le fichier de mots de passe %1 n&apos;est pas en UTF-8 (mais en UTF-16, par exemple)&#x202f;: enregistrez-le en UTF-8, un mot de passe par ligne</translation>
    </message>
    <message>
        <source>a password in %1 is longer than %2 bytes</source>
        <translation>un mot de passe de %1 dépasse %2&#xa0;octets</translation>
    </message>
    <message>
        <source>the password file %1 holds more than %2 passwords</source>
        <translation>le fichier de mots de passe %1 contient plus de %2 mots de passe</translation>
    </message>
    <message>
        <source>--ocr-time takes a number of seconds from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--ocr-time attend un nombre de secondes de 1 à 65535, et non «&#x202f;%1&#x202f;»</translation>
    </message>
    <message>
        <source>the activity log cannot be written, its lines are lost: %1</source>
        <translation>impossible d&apos;écrire dans le journal d&apos;activité, ses lignes sont perdues&#x202f;: %1</translation>
    </message>
    <message numerus="yes">
        <source>; %n page(s) in %1 s</source>
        <extracomment>After the counts of the run: &quot;3 converted, 1 failed; 12 pages in 0.4 s&quot;.</extracomment>
        <translation>
            <numerusform>&#x202f;; %n page en %1&#xa0;s</numerusform>
            <numerusform>&#x202f;; %n pages en %1&#xa0;s</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 takes a number from %2 to %3, not &quot;%4&quot;</source>
        <translation>--%1 attend un nombre de %2 à %3, et non «&#x202f;%4&#x202f;»</translation>
    </message>
    <message>
        <source>--settle and --rescan go with --watch</source>
        <translation>--settle et --rescan s&apos;utilisent avec --watch</translation>
    </message>
    <message>
        <source>Convert what is not current in the folders, then keep watching them and convert each PDF written or moved into them, until ended by a signal (SIGTERM, SIGINT, SIGHUP).</source>
        <translation>Convertir ce qui n&apos;est pas à jour dans les dossiers, puis continuer à les surveiller et convertir chaque PDF qui y est écrit ou déplacé, jusqu&apos;à ce qu&apos;un signal (SIGTERM, SIGINT, SIGHUP) y mette fin.</translation>
    </message>
    <message>
        <source>With --watch: take a file once it has been left unchanged for MS milliseconds (default 1000).</source>
        <translation>Avec --watch&#x202f;: ne prendre un fichier qu&apos;une fois resté inchangé pendant MS millisecondes (par défaut 1000).</translation>
    </message>
    <message>
        <source>With --watch: also search the folders again every N seconds, for file systems that do not tell of changes (default 0: never).</source>
        <translation>Avec --watch&#x202f;: parcourir aussi les dossiers à nouveau toutes les N secondes, pour les systèmes de fichiers qui ne signalent pas les modifications (par défaut 0&#x202f;: jamais).</translation>
    </message>
    <message>
        <source>--watch and --job-file exclude each other</source>
        <translation>--watch et --job-file s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--watch takes folders, and %1 is none</source>
        <translation>--watch attend des dossiers, et %1 n&apos;en est pas un</translation>
    </message>
    <message>
        <source>the folder %1 is gone or cannot be read (%2); it is watched again once it is back</source>
        <translation>le dossier %1 a disparu ou ne peut pas être lu (%2)&#x202f;; il sera de nouveau surveillé dès son retour</translation>
    </message>
    <message>
        <source>the folder %1 is back and watched again</source>
        <translation>le dossier %1 est de retour et de nouveau surveillé</translation>
    </message>
    <message>
        <source>the folder %1 cannot be watched: %2</source>
        <translation>le dossier %1 ne peut pas être surveillé&#x202f;: %2</translation>
    </message>
    <message numerus="yes">
        <source>text in fonts that could not be read is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>du texte en polices qui n&apos;ont pas pu être lues manque&#x202f;: page %1 de %2</numerusform>
            <numerusform>du texte en polices qui n&apos;ont pas pu être lues manque&#x202f;: pages %1 de %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF files to plain text. The FILEs are added to the job list as if they were dropped on the window; when KV-Ordvane already runs with this job list, they are handed to it and its window comes to the front.</source>
        <translation>Convertit des fichiers PDF en texte brut. Les fichiers (FILE) sont ajoutés à la liste de travaux comme s&apos;ils avaient été déposés sur la fenêtre&#x202f;; si KV-Ordvane tourne déjà avec cette liste de travaux, ils lui sont transmis et sa fenêtre passe au premier plan.</translation>
    </message>
    <message>
        <source>PDF files, or one folder to search.</source>
        <translation>Fichiers PDF ou un dossier à parcourir.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l&apos;aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Affiche l&apos;aide, options propres à Qt comprises.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Affiche les informations de version.</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>Utilisation&#x202f;: %1 [options] %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#x202f;:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Arguments&#x202f;:</translation>
    </message>
    <message>
        <source>The window system&apos;s options are taken as every Qt program takes them: %1.</source>
        <translation>Les options du système de fenêtrage sont acceptées comme dans tout programme Qt&#x202f;: %1.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Load file filter dll error</source>
        <translation>Erreur de chargement de la bibliothèque de conversion</translation>
    </message>
    <message>
        <source>Source file open error</source>
        <translation>Erreur d&apos;ouverture du fichier source</translation>
    </message>
    <message>
        <source>Extracting text from source file not allowed</source>
        <translation>Extraction du texte du fichier source non autorisée</translation>
    </message>
    <message>
        <source>File format not correct</source>
        <translation>Format de fichier incorrect</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system</source>
        <translation>La page de codes %1 n&apos;est pas prise en charge sur ce système</translation>
    </message>
    <message>
        <source>Target file already exists, user canceled</source>
        <translation>Le fichier cible existe déjà, annulé par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>File type not support</source>
        <translation>Type de fichier non pris en charge</translation>
    </message>
    <message>
        <source>Convert successfully</source>
        <translation>Conversion réussie</translation>
    </message>
    <message>
        <source>Target file create error</source>
        <translation>Erreur de création du fichier cible</translation>
    </message>
    <message>
        <source>Target file write error</source>
        <translation>Erreur d&apos;écriture du fichier cible</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Failed: %2, Total: %3</source>
        <translation>Conversion terminée. Réussies&#x202f;: %1, échouées&#x202f;: %2, total&#x202f;: %3</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) left unread for want of recognition data; %1 would read them.</source>
        <translation>
            <numerusform>%n page n&apos;a pas été lue faute de données de reconnaissance&#x202f;; %1 la lirait.</numerusform>
            <numerusform>%n pages n&apos;ont pas été lues faute de données de reconnaissance&#x202f;; %1 les lirait.</numerusform>
        </translation>
    </message>
    <message>
        <source>Source file changed while it was read</source>
        <translation>Fichier source modifié pendant sa lecture</translation>
    </message>
    <message>
        <source>Password required</source>
        <translation>Mot de passe requis</translation>
    </message>
    <message>
        <source>Target file is up to date</source>
        <translation>Le fichier cible est à jour</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Skipped: %2, Failed: %3, Total: %4</source>
        <translation>Conversion terminée. Réussies&#x202f;: %1, ignorées&#x202f;: %2, échouées&#x202f;: %3, total&#x202f;: %4</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n converti</numerusform>
            <numerusform>%n convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n ignoré</numerusform>
            <numerusform>%n ignorés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n en échec</numerusform>
            <numerusform>%n en échec</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left waiting (run stopped)</source>
        <translation>
            <numerusform>%n en attente (exécution arrêtée)</numerusform>
            <numerusform>%n en attente (exécution arrêtée)</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the counts of a run: &quot;3 converted, 1 failed&quot;.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>Conversion ended: %1.</source>
        <translation>Conversion terminée&#x202f;: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) not fully recognised in time; the log names them.</source>
        <translation>
            <numerusform>%n page n&apos;a pas été entièrement reconnue à temps&#x202f;; le journal l&apos;indique.</numerusform>
            <numerusform>%n pages n&apos;ont pas été entièrement reconnues à temps&#x202f;; le journal les indique.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.</source>
        <translation>
            <numerusform>%n page affiche du texte en polices qui n&apos;ont pas pu être lues&#x202f;; ce texte manque, et le journal indique la page.</numerusform>
            <numerusform>%n pages affichent du texte en polices qui n&apos;ont pas pu être lues&#x202f;; ce texte manque, et le journal indique les pages.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DocumentTypes</name>
    <message>
        <source>Adobe Portable Document File</source>
        <translation>Document Adobe PDF</translation>
    </message>
    <message>
        <source>All Support File</source>
        <translation>Tous les fichiers pris en charge</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
</context>
<context>
    <name>JobList</name>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>State %1</source>
        <translation>État %1</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>Le fichier [%1] a déjà été ajouté&#x202f;!</translation>
    </message>
    <message>
        <source>File [%1] type not support!</source>
        <translation>Le type du fichier [%1] n&apos;est pas pris en charge&#x202f;!</translation>
    </message>
    <message>
        <source>File [%1] not added: the list is full!</source>
        <translation>Le fichier [%1] n&apos;a pas été ajouté&#x202f;: la liste est pleine&#x202f;!</translation>
    </message>
    <message>
        <source>File [%1] not found!</source>
        <translation>Fichier [%1] introuvable&#x202f;!</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Fichier source</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>Taille (octets)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Target file</source>
        <translation>Fichier cible</translation>
    </message>
    <message>
        <source>Convert Message</source>
        <translation>Message de conversion</translation>
    </message>
    <message>
        <source>%1, no text</source>
        <translation>%1, aucun texte</translation>
    </message>
    <message>
        <source>Converted, but the file gave no text</source>
        <translation>Converti, mais le fichier n&apos;a donné aucun texte</translation>
    </message>
</context>
<context>
    <name>JobListSaver</name>
    <message>
        <source>The job list could not be saved. Retry once there is room, exit without saving it (what changed since the last save is lost), or cancel to keep KV-Ordvane open.</source>
        <translation>La liste de travaux n&apos;a pas pu être enregistrée. Réessayez une fois de la place libérée, quittez sans l&apos;enregistrer (les modifications depuis le dernier enregistrement seront perdues) ou annulez pour garder KV-Ordvane ouvert.</translation>
    </message>
    <message>
        <source>Exit Without Saving</source>
        <translation>Quitter sans enregistrer</translation>
    </message>
</context>
<context>
    <name>OrdvaneApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>PasswordEntry</name>
    <message>
        <source>None of the selected files needs a password.</source>
        <translation>Aucun des fichiers sélectionnés ne demande de mot de passe.</translation>
    </message>
    <message>
        <source>Asking the keyring for the passwords... Esc types them in instead.</source>
        <translation>Demande des mots de passe au trousseau de clés… Échap pour les saisir vous-même.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: it is known only until KV-Ordvane ends.</source>
        <translation>Le trousseau de clés n&apos;a pas accepté le mot de passe&#x202f;: il ne reste connu que jusqu&apos;à la fermeture de KV-Ordvane.</translation>
    </message>
</context>
<context>
    <name>RecognitionChoice</name>
    <message>
        <source>Enter at least one recognition language, such as eng.</source>
        <translation>Indiquez au moins une langue de reconnaissance, par exemple fra.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of language codes; join codes with &quot;+&quot;, as in eng+deu.</source>
        <translation>«&#x202f;%1&#x202f;» n&apos;est pas une liste de codes de langue&#x202f;; reliez les codes par «&#x202f;+&#x202f;», comme dans eng+fra.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>The language data for &quot;%1&quot; is not installed, so text in that language cannot be recognised; the package %2 holds it.
Installed: %3.</source>
        <translation>Les données de langue de «&#x202f;%1&#x202f;» ne sont pas installées&#x202f;: le texte dans cette langue ne peut pas être reconnu&#x202f;; le paquet %2 les contient.
Installées&#x202f;: %3.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder %1 belongs to another user or is open to others, so files cannot be handed to a running KV-Ordvane.</source>
        <translation>Le dossier %1 appartient à un autre utilisateur ou est ouvert aux autres&#x202f;: impossible de transmettre des fichiers à un KV-Ordvane en cours d&apos;exécution.</translation>
    </message>
    <message>
        <source>Files cannot be handed to this KV-Ordvane: %1</source>
        <translation>Impossible de transmettre des fichiers à ce KV-Ordvane&#x202f;: %1</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Resize window</source>
        <translation>Redimensionner la fenêtre</translation>
    </message>
    <message numerus="yes">
        <source>Select %n file(s).</source>
        <translation>
            <numerusform>%n fichier sélectionné.</numerusform>
            <numerusform>%n fichiers sélectionnés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n File(s)</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmAbout</name>
    <message>
        <source>About KV-Ordvane</source>
        <translation>À propos de KV-Ordvane</translation>
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
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>&amp;Inverser la sélection</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>Ne &amp;rien sélectionner</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Directory</source>
        <translation>&amp;Dossier</translation>
    </message>
    <message>
        <source>Select type of file to be converted:</source>
        <translation>Type des fichiers à convertir&#x202f;:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Please select the type of file to be converted!</source>
        <translation>Veuillez choisir le type des fichiers à convertir&#x202f;!</translation>
    </message>
    <message>
        <source>&amp;Recursive Sub Directory</source>
        <translation>Inclure les &amp;sous-dossiers</translation>
    </message>
</context>
<context>
    <name>TFmCancelCvt</name>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1&#xa0;min %2&#xa0;s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1&#xa0;h %2&#xa0;min</translation>
    </message>
    <message>
        <source>Converting Files...</source>
        <translation>Conversion des fichiers…</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Press CANCEL to abort current operation.</source>
        <translation>Appuyez sur ANNULER pour interrompre l&apos;opération en cours.</translation>
    </message>
    <message>
        <source>Recognising page %1 of %2</source>
        <translation>Reconnaissance de la page %1 sur %2</translation>
    </message>
    <message>
        <source>Page %1 of about %2</source>
        <translation>Page %1 sur environ %2</translation>
    </message>
    <message>
        <source>, about %1 left</source>
        <translation>, encore environ %1</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Arrêt en cours…</translation>
    </message>
    <message numerus="yes">
        <source>, %n files at once</source>
        <translation>
            <numerusform>, %n fichier à la fois</numerusform>
            <numerusform>, %n fichiers à la fois</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmCancelFind</name>
    <message>
        <source>Searching Files ...</source>
        <translation>Recherche des fichiers…</translation>
    </message>
    <message>
        <source>Press to abort search operation</source>
        <translation>Cliquez pour interrompre la recherche</translation>
    </message>
</context>
<context>
    <name>TFmDirectory</name>
    <message>
        <source>Directory</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Remplacer</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>A&amp;jouter</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>List of directories:</source>
        <translation>Liste des dossiers&#x202f;:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Dossier&#x202f;:</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Choisir un dossier</translation>
    </message>
</context>
<context>
    <name>TFmFileOverTp</name>
    <message>
        <source>&amp;Auto Rename</source>
        <translation>&amp;Renommer automatiquement</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>É&amp;craser</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Stop Convert</source>
        <translation>Arrêter la con&amp;version</translation>
    </message>
    <message>
        <source>The file already exist.</source>
        <translation>Le fichier existe déjà.</translation>
    </message>
    <message>
        <source>&amp;Do the same for the remaining files</source>
        <translation>Faire de &amp;même pour les fichiers restants</translation>
    </message>
</context>
<context>
    <name>TFmMain</name>
    <message>
        <source>Job list</source>
        <translation>Liste de travaux</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Set KV-Ordvane options</source>
        <translation>Régler les options de KV-Ordvane</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Exit from KV-Ordvane</source>
        <translation>Quitter KV-Ordvane</translation>
    </message>
    <message>
        <source>&amp;View Log</source>
        <translation>&amp;Afficher le journal</translation>
    </message>
    <message>
        <source>View KV-Ordvane logs</source>
        <translation>Afficher le journal de KV-Ordvane</translation>
    </message>
    <message>
        <source>Add &amp;File	CTRL+F</source>
        <translation>Ajouter un &amp;fichier	Ctrl+F</translation>
    </message>
    <message>
        <source>Add file(s) by selecting file(s)</source>
        <translation>Ajouter des fichiers en les sélectionnant</translation>
    </message>
    <message>
        <source>Add &amp;Dir	CTRL+D</source>
        <translation>Ajouter un &amp;dossier	Ctrl+D</translation>
    </message>
    <message>
        <source>Add file(s) by selecting director(ies)</source>
        <translation>Ajouter des fichiers en sélectionnant des dossiers</translation>
    </message>
    <message>
        <source>&amp;Paste File	CTRL+V</source>
        <translation>&amp;Coller des fichiers	Ctrl+V</translation>
    </message>
    <message>
        <source>Add file(s) by pasting from clipboard</source>
        <translation>Ajouter des fichiers en les collant depuis le presse-papiers</translation>
    </message>
    <message>
        <source>Delete	Delete</source>
        <translation>Supprimer	Suppr</translation>
    </message>
    <message>
        <source>Delete selected file(s) name from listview</source>
        <translation>Retirer de la liste les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Select &amp;All	CTRL+A</source>
        <translation>&amp;Tout sélectionner	Ctrl+A</translation>
    </message>
    <message>
        <source>Select all file(s) in listview</source>
        <translation>Sélectionner tous les fichiers de la liste</translation>
    </message>
    <message>
        <source>&amp;Convert All	Ctrl+G</source>
        <translation>Tout &amp;convertir	Ctrl+G</translation>
    </message>
    <message>
        <source>Convert all file(s) in listview</source>
        <translation>Convertir tous les fichiers de la liste</translation>
    </message>
    <message>
        <source>Convert &amp;Selected</source>
        <translation>Convertir la &amp;sélection</translation>
    </message>
    <message>
        <source>Convert selected file(s)</source>
        <translation>Convertir les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>&amp;ReConvert Selected</source>
        <translation>&amp;Reconvertir la sélection</translation>
    </message>
    <message>
        <source>Convert selected file(s) again</source>
        <translation>Convertir à nouveau les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Fichier source</translation>
    </message>
    <message>
        <source>Open source file with default program</source>
        <translation>Ouvrir le fichier source avec le programme par défaut</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Fichier cible</translation>
    </message>
    <message>
        <source>Open target file with default program</source>
        <translation>Ouvrir le fichier cible avec le programme par défaut</translation>
    </message>
    <message>
        <source>Explore folder which source file in</source>
        <translation>Ouvrir le dossier du fichier source</translation>
    </message>
    <message>
        <source>Explore folder which target file in</source>
        <translation>Ouvrir le dossier du fichier cible</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Sommaire	F1</translation>
    </message>
    <message>
        <source>Show help contents</source>
        <translation>Afficher le sommaire de l&apos;aide</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Show about window</source>
        <translation>Afficher la fenêtre À propos</translation>
    </message>
    <message>
        <source>&amp;File </source>
        <translation>&amp;Fichier </translation>
    </message>
    <message>
        <source>&amp;Edit </source>
        <translation>É&amp;dition </translation>
    </message>
    <message>
        <source>Con&amp;vert </source>
        <translation>Con&amp;version </translation>
    </message>
    <message>
        <source>&amp;Launch</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>Ouvrir le &amp;dossier</translation>
    </message>
    <message>
        <source>&amp;Help </source>
        <translation>&amp;Aide </translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Explore</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>&amp;Add File</source>
        <translation>Ajouter un f&amp;ichier</translation>
    </message>
    <message>
        <source>Add &amp;Dir</source>
        <translation>Ajouter un do&amp;ssier</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Journal</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>&amp;Convertir</translation>
    </message>
    <message numerus="yes">
        <source>The job file could not be read in full; %n file(s) restored, the old file is kept as %1</source>
        <translation>
            <numerusform>La liste de travaux n&apos;a pas pu être lue entièrement&#x202f;; %n fichier restauré, l&apos;ancien fichier est conservé sous %1</numerusform>
            <numerusform>La liste de travaux n&apos;a pas pu être lue entièrement&#x202f;; %n fichiers restaurés, l&apos;ancien fichier est conservé sous %1</numerusform>
        </translation>
    </message>
    <message>
        <source>A directory search is running: wait until it ends, or stop it.</source>
        <translation>Une recherche dans les dossiers est en cours&#x202f;: attendez qu&apos;elle se termine ou arrêtez-la.</translation>
    </message>
    <message>
        <source>Files are being converted: wait until the conversion ends, or cancel it.</source>
        <translation>Des fichiers sont en cours de conversion&#x202f;: attendez la fin de la conversion ou annulez-la.</translation>
    </message>
    <message numerus="yes">
        <source>%n converted file(s) gave no text.</source>
        <translation>
            <numerusform>%n fichier converti n&apos;a donné aucun texte.</numerusform>
            <numerusform>%n fichiers convertis n&apos;ont donné aucun texte.</numerusform>
        </translation>
    </message>
    <message>
        <source> To read scanned pages, turn on recognition on the Special page of Options.</source>
        <translation> Pour lire les pages numérisées, activez la reconnaissance dans l&apos;onglet Spécial des options.</translation>
    </message>
    <message numerus="yes">
        <source>Done Scanning, add %n file(s).</source>
        <translation>
            <numerusform>Recherche terminée, %n fichier ajouté.</numerusform>
            <numerusform>Recherche terminée, %n fichiers ajoutés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Show KV-Ordvane</source>
        <translation>Afficher KV-Ordvane</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Fichier introuvable&#x202f;: %1</translation>
    </message>
    <message>
        <source>Enter &amp;Password...	Ctrl+P</source>
        <translation>Saisir le mot de &amp;passe…	Ctrl+P</translation>
    </message>
    <message>
        <source>Open selected file(s) that need a password, and convert them</source>
        <translation>Ouvrir et convertir les fichiers sélectionnés qui demandent un mot de passe</translation>
    </message>
    <message>
        <source>No program to open %1</source>
        <translation>Aucun programme pour ouvrir %1</translation>
    </message>
    <message>
        <source>No file manager to show %1</source>
        <translation>Aucun gestionnaire de fichiers pour afficher %1</translation>
    </message>
</context>
<context>
    <name>TFmOption</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Onglets</translation>
    </message>
    <message>
        <source>Target file directory same as source file</source>
        <translation>Fichiers cibles dans le dossier du fichier source</translation>
    </message>
    <message>
        <source>Target file dir</source>
        <translation>Dossier cible</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>Auto rename</source>
        <translation>Renommer automatiquement</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Demander</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>When target file exists</source>
        <translation>Si le fichier cible existe</translation>
    </message>
    <message>
        <source>File code page</source>
        <translation>Page de codes</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Default ext</source>
        <translation>Extension par défaut</translation>
    </message>
    <message>
        <source>User defined</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>Default reading order</source>
        <translation>Ordre de lecture par défaut</translation>
    </message>
    <message>
        <source>Maintain original layout</source>
        <translation>Conserver la mise en page d&apos;origine</translation>
    </message>
    <message>
        <source>Keep raw order</source>
        <translation>Conserver l&apos;ordre brut</translation>
    </message>
    <message>
        <source>Insert page break</source>
        <translation>Insérer un saut de page</translation>
    </message>
    <message>
        <source>Text output order</source>
        <translation>Ordre du texte</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages (OCR)</source>
        <translation>Reconnaître le texte des pages numérisées (OCR)</translation>
    </message>
    <message>
        <source>Tesseract language codes joined by &quot;+&quot;, such as eng+deu</source>
        <translation>Codes de langue Tesseract reliés par «&#x202f;+&#x202f;», par exemple eng+fra</translation>
    </message>
    <message>
        <source>Recognition languages</source>
        <translation>Langues de reconnaissance</translation>
    </message>
    <message>
        <source>Keep raw characters</source>
        <translation>Conserver les caractères bruts</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Spécial</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Select target directory</source>
        <translation>Choisir le dossier cible</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Code page identifier must be numeric!</source>
        <translation>L&apos;identifiant de page de codes doit être un nombre&#x202f;!</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system!</source>
        <translation>La page de codes %1 n&apos;est pas prise en charge sur ce système&#x202f;!</translation>
    </message>
    <message>
        <source>0         Default</source>
        <translation>0         Par défaut</translation>
    </message>
    <message>
        <source>1252   Latin 1: European Western</source>
        <translation>1252   Latin 1&#x202f;: Europe occidentale</translation>
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
        <translation>1250   Europe orientale</translation>
    </message>
    <message>
        <source>1256   Arabic</source>
        <translation>1256   Arabe</translation>
    </message>
    <message>
        <source>1257   Baltic</source>
        <translation>1257   Balte</translation>
    </message>
    <message>
        <source>1251   Cyrillic</source>
        <translation>1251   Cyrillique</translation>
    </message>
    <message>
        <source>1253   Greek</source>
        <translation>1253   Grec</translation>
    </message>
    <message>
        <source>1255   Hebrew</source>
        <translation>1255   Hébreu</translation>
    </message>
    <message>
        <source>1254   Turkish</source>
        <translation>1254   Turc</translation>
    </message>
    <message>
        <source>874     Thai</source>
        <translation>874     Thaï</translation>
    </message>
    <message>
        <source>932     Japanese</source>
        <translation>932     Japonais</translation>
    </message>
    <message>
        <source>936     Chinese Simplified</source>
        <translation>936     Chinois simplifié</translation>
    </message>
    <message>
        <source>950     Chinese Traditional</source>
        <translation>950     Chinois traditionnel</translation>
    </message>
    <message>
        <source>949     Korean Hangul</source>
        <translation>949     Coréen (Hangul)</translation>
    </message>
    <message>
        <source>1361   Korean Johab</source>
        <translation>1361   Coréen (Johab)</translation>
    </message>
    <message>
        <source>Replace if older</source>
        <translation>Remplacer si plus ancien</translation>
    </message>
</context>
<context>
    <name>TFmPassword</name>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Wrong password. Try again.</source>
        <translation>Mot de passe incorrect. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>&amp;Remember in the keyring</source>
        <translation>&amp;Mémoriser dans le trousseau de clés</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Password of %1:</source>
        <translation>Mot de passe de %1&#x202f;:</translation>
    </message>
    <message numerus="yes">
        <source>Password of the %n selected files:</source>
        <translation>
            <numerusform>Mot de passe du %n fichier sélectionné&#x202f;:</numerusform>
            <numerusform>Mot de passe des %n fichiers sélectionnés&#x202f;:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmViewLog</name>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>Journal d&apos;activité</translation>
    </message>
    <message>
        <source>Not logging</source>
        <translation>Ne pas journaliser</translation>
    </message>
    <message>
        <source>Clear &amp;Log</source>
        <translation>&amp;Effacer le journal</translation>
    </message>
    <message>
        <source>&amp;Export to file</source>
        <translation>E&amp;xporter vers un fichier</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>KV-Ordvane Log File(*.log)|*.log</source>
        <translation>Fichier journal KV-Ordvane (*.log)|*.log</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>KV-Ordvane is already running with the job list %1 (process %2) and does not answer. Nothing was added; close it and try again.</source>
        <translation>KV-Ordvane est déjà en cours d&apos;exécution avec la liste de travaux %1 (processus %2) et ne répond pas. Rien n&apos;a été ajouté&#x202f;; fermez-le et réessayez.</translation>
    </message>
    <message>
        <source>The running KV-Ordvane added none of the files; its status bar and activity log say why.</source>
        <translation>Le KV-Ordvane en cours d&apos;exécution n&apos;a ajouté aucun des fichiers&#x202f;; sa barre d&apos;état et son journal d&apos;activité en donnent la raison.</translation>
    </message>
</context>
</TS>
