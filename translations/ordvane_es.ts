<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Batch</name>
    <message>
        <source>Try &apos;ordvane-batch --help&apos; for more information.</source>
        <translation>Pruebe «ordvane-batch --help» para más información.</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>¡El archivo [%1] ya se ha añadido!</translation>
    </message>
    <message>
        <source>cannot read the list %1: %2</source>
        <translation>no se puede leer la lista %1: %2</translation>
    </message>
    <message>
        <source>the list %1 is larger than %2 bytes</source>
        <translation>la lista %1 ocupa más de %2 bytes</translation>
    </message>
    <message>
        <source>a line of the list %1 is longer than a path can be</source>
        <translation>una línea de la lista %1 es más larga de lo que puede ser una ruta</translation>
    </message>
    <message>
        <source>Failed: %1 (%2)</source>
        <translation>Fallido: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 pages/s</source>
        <translation>%1 páginas/s</translation>
    </message>
    <message>
        <source>, %1:%2 left</source>
        <translation>, quedan %1:%2</translation>
    </message>
    <message>
        <source>PDF files and folders to convert.</source>
        <translation>Archivos PDF y carpetas que convertir.</translation>
    </message>
    <message>
        <source>Search folders&apos; subfolders too.</source>
        <translation>Buscar también en las subcarpetas.</translation>
    </message>
    <message>
        <source>Read paths from FILE, one a line (&quot;-&quot;: standard input).</source>
        <translation>Leer las rutas de FILE, una por línea («-»: entrada estándar).</translation>
    </message>
    <message>
        <source>The list of --files-from is separated by NUL bytes.</source>
        <translation>La lista de --files-from está separada por bytes NUL.</translation>
    </message>
    <message>
        <source>Write the text files into DIR.</source>
        <translation>Escribir los archivos de texto en DIR.</translation>
    </message>
    <message>
        <source>Write each text file beside its PDF.</source>
        <translation>Escribir cada archivo de texto junto a su PDF.</translation>
    </message>
    <message>
        <source>Code page of the text files (65001 UTF-8, 1200 UTF-16, 0 the system&apos;s, or a Windows code page).</source>
        <translation>Página de códigos de los archivos de texto (65001 UTF-8, 1200 UTF-16, 0 la del sistema o una página de códigos de Windows).</translation>
    </message>
    <message>
        <source>Text order: reading, layout or raw.</source>
        <translation>Orden del texto: reading (lectura), layout (diseño) o raw (sin procesar).</translation>
    </message>
    <message>
        <source>A form feed after each page.</source>
        <translation>Un salto de página tras cada página.</translation>
    </message>
    <message>
        <source>No form feeds between pages.</source>
        <translation>Sin saltos de página entre páginas.</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages.</source>
        <translation>Reconocer el texto de las páginas escaneadas.</translation>
    </message>
    <message>
        <source>Do not recognise text in scanned pages.</source>
        <translation>No reconocer el texto de las páginas escaneadas.</translation>
    </message>
    <message>
        <source>Recognition languages, Tesseract codes joined by &quot;+&quot; (eng+deu).</source>
        <translation>Idiomas de reconocimiento, códigos de Tesseract unidos con «+» (eng+spa).</translation>
    </message>
    <message>
        <source>Convert N files at once (default: one per processor).</source>
        <translation>Convertir N archivos a la vez (predeterminado: uno por procesador).</translation>
    </message>
    <message>
        <source>Do not append to the activity log.</source>
        <translation>No añadir nada al registro de actividad.</translation>
    </message>
    <message>
        <source>One JSON object a line per file on standard output.</source>
        <translation>Un objeto JSON por archivo y línea en la salida estándar.</translation>
    </message>
    <message>
        <source>Take part K of N of the input (0 &lt;= K &lt; N), split by a hash of each path.</source>
        <translation>Tomar la parte K de N de la entrada (0 &lt;= K &lt; N), repartida según un hash de cada ruta.</translation>
    </message>
    <message>
        <source>Convert the Waiting entries of a job list and record their outcomes in it.</source>
        <translation>Convertir las entradas en espera de una lista de trabajos y anotar en ella sus resultados.</translation>
    </message>
    <message>
        <source>--target-dir and --same-dir exclude each other</source>
        <translation>--target-dir y --same-dir se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--code-page takes a number, not &quot;%1&quot;</source>
        <translation>--code-page admite un número, no «%1»</translation>
    </message>
    <message>
        <source>code page %1 has no converter on this system</source>
        <translation>la página de códigos %1 no tiene conversor en este sistema</translation>
    </message>
    <message>
        <source>--order takes reading, layout or raw, not &quot;%1&quot;</source>
        <translation>--order admite reading, layout o raw, no «%1»</translation>
    </message>
    <message>
        <source>--page-breaks and --no-page-breaks exclude each other</source>
        <translation>--page-breaks y --no-page-breaks se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--ocr and --no-ocr exclude each other</source>
        <translation>--ocr y --no-ocr se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 1024, not &quot;%1&quot;</source>
        <translation>--jobs admite un número de 1 a 1024, no «%1»</translation>
    </message>
    <message>
        <source>--shard takes K/N with 0 &lt;= K &lt; N, not &quot;%1&quot;</source>
        <translation>--shard admite K/N con 0 &lt;= K &lt; N, no «%1»</translation>
    </message>
    <message>
        <source>--job-file takes no other paths</source>
        <translation>--job-file no admite otras rutas</translation>
    </message>
    <message>
        <source>no files or folders to convert</source>
        <translation>no hay archivos ni carpetas que convertir</translation>
    </message>
    <message>
        <source>the converter library cannot be loaded from %1</source>
        <translation>no se puede cargar la biblioteca de conversión desde %1</translation>
    </message>
    <message>
        <source>the job list %1 is in use</source>
        <translation>la lista de trabajos %1 está en uso</translation>
    </message>
    <message>
        <source>the job list %1 cannot be read in full</source>
        <translation>la lista de trabajos %1 no se puede leer completa</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>interrumpido</translation>
    </message>
    <message>
        <source>--existing takes rename, overwrite, skip or update, not &quot;%1&quot;</source>
        <translation>--existing admite rename, overwrite, skip o update, no «%1»</translation>
    </message>
    <message>
        <source>Try the passwords in FILE, one a line (&quot;-&quot;: standard input), on each file that needs one.</source>
        <translation>Probar las contraseñas de FILE, una por línea («-»: entrada estándar), en cada archivo que necesite una.</translation>
    </message>
    <message>
        <source>cannot read the passwords %1: %2</source>
        <translation>no se pueden leer las contraseñas %1: %2</translation>
    </message>
    <message>
        <source>the passwords %1 are more than %2 bytes</source>
        <translation>las contraseñas %1 superan los %2 bytes</translation>
    </message>
    <message>
        <source>--files-from and --password-file cannot both read standard input</source>
        <translation>--files-from y --password-file no pueden leer ambos la entrada estándar</translation>
    </message>
    <message>
        <source>Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir searches them. Defaults come from the program&apos;s settings file.

A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF of the same run or, under rename, by any file, the text gets the first free name with a number, as report(1).txt.</source>
        <translation>Convierte archivos PDF en archivos de texto como KV-Ordvane, sin ventana. Las carpetas se recorren como con «Añadir carpeta». Los valores predeterminados proceden del archivo de configuración del programa.

Un archivo de texto se llama como su PDF, con la extensión .txt. Si el nombre está ocupado, por el texto de otro PDF de la misma ejecución o, con rename, por cualquier archivo, el texto recibe el primer nombre libre con un número, como report(1).txt.</translation>
    </message>
    <message>
        <source>Put each text file into the folder below the target folder that holds its PDF below the folder it was found in (or below --base); files given by name go straight into the target folder.</source>
        <translation>Poner cada archivo de texto en la carpeta, bajo la carpeta de destino, que corresponde a la de su PDF bajo la carpeta donde se encontró (o bajo --base); los archivos indicados por su nombre van directamente a la carpeta de destino.</translation>
    </message>
    <message>
        <source>With --keep-tree: the folders below DIR are kept for every file, also those given by name or in a list.</source>
        <translation>Con --keep-tree: se conservan las carpetas bajo DIR para todos los archivos, también para los indicados por su nombre o en una lista.</translation>
    </message>
    <message>
        <source>When a text file exists: rename, overwrite, skip, or update (convert again only when the PDF or the options changed since its text was made).</source>
        <translation>Cuando existe un archivo de texto: rename (renombrar), overwrite (sobrescribir), skip (omitir) o update (convertir de nuevo solo si el PDF o las opciones cambiaron desde que se creó su texto).</translation>
    </message>
    <message>
        <source>--base goes with --keep-tree</source>
        <translation>--base solo se usa con --keep-tree</translation>
    </message>
    <message>
        <source>--keep-tree needs a target folder (--target-dir)</source>
        <translation>--keep-tree necesita una carpeta de destino (--target-dir)</translation>
    </message>
    <message numerus="yes">
        <source>recognition did not finish in time, text is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>el reconocimiento de texto no terminó a tiempo, falta texto: página %1 de %2</numerusform>
            <numerusform>el reconocimiento de texto no terminó a tiempo, falta texto: páginas %1 de %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Give the recognition of a page N seconds (default 120); a page not read by then keeps what was read, and is told.</source>
        <translation>Dar N segundos al reconocimiento de una página (predeterminado: 120); una página no leída para entonces conserva lo leído y se indica.</translation>
    </message>
    <message>
        <source>the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line</source>
        <translation>el archivo de contraseñas %1 no está en UTF-8 (sino en UTF-16, por ejemplo): guárdelo en UTF-8, una contraseña por línea</translation>
    </message>
    <message>
        <source>a password in %1 is longer than %2 bytes</source>
        <translation>una contraseña de %1 ocupa más de %2 bytes</translation>
    </message>
    <message>
        <source>the password file %1 holds more than %2 passwords</source>
        <translation>el archivo de contraseñas %1 contiene más de %2 contraseñas</translation>
    </message>
    <message>
        <source>--ocr-time takes a number of seconds from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--ocr-time admite un número de segundos entre 1 y 65535, no «%1»</translation>
    </message>
    <message>
        <source>the activity log cannot be written, its lines are lost: %1</source>
        <translation>no se puede escribir en el registro de actividad, sus líneas se pierden: %1</translation>
    </message>
    <message numerus="yes">
        <source>; %n page(s) in %1 s</source>
        <extracomment>After the counts of the run: &quot;3 converted, 1 failed; 12 pages in 0.4 s&quot;.</extracomment>
        <translation>
            <numerusform>; %n página en %1 s</numerusform>
            <numerusform>; %n páginas en %1 s</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 takes a number from %2 to %3, not &quot;%4&quot;</source>
        <translation>--%1 admite un número de %2 a %3, no «%4»</translation>
    </message>
    <message>
        <source>--settle and --rescan go with --watch</source>
        <translation>--settle y --rescan solo se usan con --watch</translation>
    </message>
    <message>
        <source>Convert what is not current in the folders, then keep watching them and convert each PDF written or moved into them, until ended by a signal (SIGTERM, SIGINT, SIGHUP).</source>
        <translation>Convertir lo que no esté al día en las carpetas y después seguir vigilándolas y convertir cada PDF que se escriba o se mueva a ellas, hasta que una señal (SIGTERM, SIGINT, SIGHUP) lo termine.</translation>
    </message>
    <message>
        <source>With --watch: take a file once it has been left unchanged for MS milliseconds (default 1000).</source>
        <translation>Con --watch: tomar un archivo solo cuando lleve MS milisegundos sin cambios (predeterminado: 1000).</translation>
    </message>
    <message>
        <source>With --watch: also search the folders again every N seconds, for file systems that do not tell of changes (default 0: never).</source>
        <translation>Con --watch: buscar además de nuevo en las carpetas cada N segundos, para los sistemas de archivos que no avisan de los cambios (predeterminado: 0, nunca).</translation>
    </message>
    <message>
        <source>--watch and --job-file exclude each other</source>
        <translation>--watch y --job-file se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--watch takes folders, and %1 is none</source>
        <translation>--watch admite carpetas, y %1 no es una carpeta</translation>
    </message>
    <message>
        <source>the folder %1 is gone or cannot be read (%2); it is watched again once it is back</source>
        <translation>la carpeta %1 ya no está o no se puede leer (%2); se vigilará de nuevo en cuanto vuelva</translation>
    </message>
    <message>
        <source>the folder %1 is back and watched again</source>
        <translation>la carpeta %1 ha vuelto y se vigila de nuevo</translation>
    </message>
    <message>
        <source>the folder %1 cannot be watched: %2</source>
        <translation>no se puede vigilar la carpeta %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>text in fonts that could not be read is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>falta texto en fuentes que no se pudieron leer: página %1 de %2</numerusform>
            <numerusform>falta texto en fuentes que no se pudieron leer: páginas %1 de %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF files to plain text. The FILEs are added to the job list as if they were dropped on the window; when KV-Ordvane already runs with this job list, they are handed to it and its window comes to the front.</source>
        <translation>Convierte archivos PDF en texto sin formato. Los archivos (FILE) se añaden a la lista de trabajos como si se hubieran soltado sobre la ventana; si KV-Ordvane ya se está ejecutando con esta lista de trabajos, se le entregan y su ventana pasa al frente.</translation>
    </message>
    <message>
        <source>PDF files, or one folder to search.</source>
        <translation>Archivos PDF o una carpeta en la que buscar.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda sobre las opciones de la línea de comandos.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Muestra la ayuda, incluidas las opciones propias de Qt.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Muestra la información de la versión.</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>Uso: %1 [opciones] %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentos:</translation>
    </message>
    <message>
        <source>The window system&apos;s options are taken as every Qt program takes them: %1.</source>
        <translation>Las opciones del sistema de ventanas se aceptan como en cualquier programa Qt: %1.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Load file filter dll error</source>
        <translation>Error al cargar la biblioteca de conversión</translation>
    </message>
    <message>
        <source>Source file open error</source>
        <translation>Error al abrir el archivo de origen</translation>
    </message>
    <message>
        <source>Extracting text from source file not allowed</source>
        <translation>No se permite extraer el texto del archivo de origen</translation>
    </message>
    <message>
        <source>File format not correct</source>
        <translation>Formato de archivo incorrecto</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system</source>
        <translation>La página de códigos %1 no es compatible con este sistema</translation>
    </message>
    <message>
        <source>Target file already exists, user canceled</source>
        <translation>El archivo de destino ya existe, cancelado por el usuario</translation>
    </message>
    <message>
        <source>File type not support</source>
        <translation>Tipo de archivo no compatible</translation>
    </message>
    <message>
        <source>Convert successfully</source>
        <translation>Convertido correctamente</translation>
    </message>
    <message>
        <source>Target file create error</source>
        <translation>Error al crear el archivo de destino</translation>
    </message>
    <message>
        <source>Target file write error</source>
        <translation>Error al escribir el archivo de destino</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Failed: %2, Total: %3</source>
        <translation>Conversión terminada. Correctos: %1, fallidos: %2, total: %3</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) left unread for want of recognition data; %1 would read them.</source>
        <translation>
            <numerusform>%n página quedó sin leer por falta de datos de reconocimiento; %1 la leería.</numerusform>
            <numerusform>%n páginas quedaron sin leer por falta de datos de reconocimiento; %1 las leería.</numerusform>
        </translation>
    </message>
    <message>
        <source>Source file changed while it was read</source>
        <translation>El archivo de origen cambió mientras se leía</translation>
    </message>
    <message>
        <source>Password required</source>
        <translation>Se requiere una contraseña</translation>
    </message>
    <message>
        <source>Target file is up to date</source>
        <translation>El archivo de destino está actualizado</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Skipped: %2, Failed: %3, Total: %4</source>
        <translation>Conversión terminada. Correctos: %1, omitidos: %2, fallidos: %3, total: %4</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n convertido</numerusform>
            <numerusform>%n convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n omitido</numerusform>
            <numerusform>%n omitidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fallido</numerusform>
            <numerusform>%n fallidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left waiting (run stopped)</source>
        <translation>
            <numerusform>%n en espera (ejecución detenida)</numerusform>
            <numerusform>%n en espera (ejecución detenida)</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the counts of a run: &quot;3 converted, 1 failed&quot;.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>Conversion ended: %1.</source>
        <translation>Conversión terminada: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) not fully recognised in time; the log names them.</source>
        <translation>
            <numerusform>%n página no se reconoció por completo a tiempo; el registro la indica.</numerusform>
            <numerusform>%n páginas no se reconocieron por completo a tiempo; el registro las indica.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.</source>
        <translation>
            <numerusform>%n página muestra texto en fuentes que no se pudieron leer; ese texto falta y el registro indica la página.</numerusform>
            <numerusform>%n páginas muestran texto en fuentes que no se pudieron leer; ese texto falta y el registro indica las páginas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DocumentTypes</name>
    <message>
        <source>Adobe Portable Document File</source>
        <translation>Documento Adobe PDF</translation>
    </message>
    <message>
        <source>All Support File</source>
        <translation>Todos los archivos compatibles</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
</context>
<context>
    <name>JobList</name>
    <message>
        <source>Waiting</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertido</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallido</translation>
    </message>
    <message>
        <source>State %1</source>
        <translation>Estado %1</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>¡El archivo [%1] ya se ha añadido!</translation>
    </message>
    <message>
        <source>File [%1] type not support!</source>
        <translation>¡El tipo del archivo [%1] no es compatible!</translation>
    </message>
    <message>
        <source>File [%1] not added: the list is full!</source>
        <translation>¡El archivo [%1] no se ha añadido: la lista está llena!</translation>
    </message>
    <message>
        <source>File [%1] not found!</source>
        <translation>¡No se encuentra el archivo [%1]!</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Archivo de origen</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>Tamaño (bytes)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Target file</source>
        <translation>Archivo de destino</translation>
    </message>
    <message>
        <source>Convert Message</source>
        <translation>Mensaje de conversión</translation>
    </message>
    <message>
        <source>%1, no text</source>
        <translation>%1, sin texto</translation>
    </message>
    <message>
        <source>Converted, but the file gave no text</source>
        <translation>Convertido, pero el archivo no contenía texto</translation>
    </message>
</context>
<context>
    <name>JobListSaver</name>
    <message>
        <source>The job list could not be saved. Retry once there is room, exit without saving it (what changed since the last save is lost), or cancel to keep KV-Ordvane open.</source>
        <translation>No se ha podido guardar la lista de trabajos. Reintente cuando haya espacio, salga sin guardarla (se perderán los cambios desde la última vez que se guardó) o cancele para mantener KV-Ordvane abierto.</translation>
    </message>
    <message>
        <source>Exit Without Saving</source>
        <translation>Salir sin guardar</translation>
    </message>
</context>
<context>
    <name>OrdvaneApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>PasswordEntry</name>
    <message>
        <source>None of the selected files needs a password.</source>
        <translation>Ninguno de los archivos seleccionados necesita contraseña.</translation>
    </message>
    <message>
        <source>Asking the keyring for the passwords... Esc types them in instead.</source>
        <translation>Se piden las contraseñas al llavero… Con Esc las escribe usted.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: it is known only until KV-Ordvane ends.</source>
        <translation>El llavero no aceptó la contraseña: solo se conocerá hasta que KV-Ordvane se cierre.</translation>
    </message>
</context>
<context>
    <name>RecognitionChoice</name>
    <message>
        <source>Enter at least one recognition language, such as eng.</source>
        <translation>Indique al menos un idioma de reconocimiento, por ejemplo spa.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of language codes; join codes with &quot;+&quot;, as in eng+deu.</source>
        <translation>«%1» no es una lista de códigos de idioma; una los códigos con «+», como en eng+spa.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>The language data for &quot;%1&quot; is not installed, so text in that language cannot be recognised; the package %2 holds it.
Installed: %3.</source>
        <translation>Los datos del idioma «%1» no están instalados, por lo que no se puede reconocer texto en ese idioma; el paquete %2 los contiene.
Instalados: %3.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder %1 belongs to another user or is open to others, so files cannot be handed to a running KV-Ordvane.</source>
        <translation>La carpeta %1 pertenece a otro usuario o está abierta a otros, por lo que no se pueden pasar archivos a un KV-Ordvane en ejecución.</translation>
    </message>
    <message>
        <source>Files cannot be handed to this KV-Ordvane: %1</source>
        <translation>No se pueden pasar archivos a este KV-Ordvane: %1</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Resize window</source>
        <translation>Cambiar el tamaño de la ventana</translation>
    </message>
    <message numerus="yes">
        <source>Select %n file(s).</source>
        <translation>
            <numerusform>%n archivo seleccionado.</numerusform>
            <numerusform>%n archivos seleccionados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n File(s)</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmAbout</name>
    <message>
        <source>About KV-Ordvane</source>
        <translation>Acerca de KV-Ordvane</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>TFmAddDir</name>
    <message>
        <source>Add directory</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>E&amp;xaminar…</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Seleccionar todo</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>&amp;Invertir selección</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>&amp;Desmarcar todo</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Directory</source>
        <translation>Car&amp;peta</translation>
    </message>
    <message>
        <source>Select type of file to be converted:</source>
        <translation>Tipo de archivo que convertir:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Please select the type of file to be converted!</source>
        <translation>¡Seleccione el tipo de archivo que desea convertir!</translation>
    </message>
    <message>
        <source>&amp;Recursive Sub Directory</source>
        <translation>Incluir s&amp;ubcarpetas</translation>
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
        <translation>Convirtiendo archivos…</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Press CANCEL to abort current operation.</source>
        <translation>Pulse CANCELAR para interrumpir la operación en curso.</translation>
    </message>
    <message>
        <source>Recognising page %1 of %2</source>
        <translation>Reconociendo la página %1 de %2</translation>
    </message>
    <message>
        <source>Page %1 of about %2</source>
        <translation>Página %1 de unas %2</translation>
    </message>
    <message>
        <source>, about %1 left</source>
        <translation>, quedan aprox. %1</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Deteniendo…</translation>
    </message>
    <message numerus="yes">
        <source>, %n files at once</source>
        <translation>
            <numerusform>, %n archivo a la vez</numerusform>
            <numerusform>, %n archivos a la vez</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmCancelFind</name>
    <message>
        <source>Searching Files ...</source>
        <translation>Buscando archivos…</translation>
    </message>
    <message>
        <source>Press to abort search operation</source>
        <translation>Pulse para interrumpir la búsqueda</translation>
    </message>
</context>
<context>
    <name>TFmDirectory</name>
    <message>
        <source>Directory</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>E&amp;xaminar…</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Reemplazar</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Aña&amp;dir</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>List of directories:</source>
        <translation>Lista de carpetas:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Carpeta:</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Seleccionar carpeta</translation>
    </message>
</context>
<context>
    <name>TFmFileOverTp</name>
    <message>
        <source>&amp;Auto Rename</source>
        <translation>Renombrar &amp;automáticamente</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Sobrescribir</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Stop Convert</source>
        <translation>&amp;Detener conversión</translation>
    </message>
    <message>
        <source>The file already exist.</source>
        <translation>El archivo ya existe.</translation>
    </message>
    <message>
        <source>&amp;Do the same for the remaining files</source>
        <translation>Hacer &amp;lo mismo con los archivos restantes</translation>
    </message>
</context>
<context>
    <name>TFmMain</name>
    <message>
        <source>Job list</source>
        <translation>Lista de trabajos</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Set KV-Ordvane options</source>
        <translation>Configurar las opciones de KV-Ordvane</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Exit from KV-Ordvane</source>
        <translation>Salir de KV-Ordvane</translation>
    </message>
    <message>
        <source>&amp;View Log</source>
        <translation>&amp;Ver registro</translation>
    </message>
    <message>
        <source>View KV-Ordvane logs</source>
        <translation>Ver el registro de KV-Ordvane</translation>
    </message>
    <message>
        <source>Add &amp;File	CTRL+F</source>
        <translation>Añadir &amp;archivo	Ctrl+F</translation>
    </message>
    <message>
        <source>Add file(s) by selecting file(s)</source>
        <translation>Añadir archivos seleccionándolos</translation>
    </message>
    <message>
        <source>Add &amp;Dir	CTRL+D</source>
        <translation>Añadir car&amp;peta	Ctrl+D</translation>
    </message>
    <message>
        <source>Add file(s) by selecting director(ies)</source>
        <translation>Añadir archivos seleccionando carpetas</translation>
    </message>
    <message>
        <source>&amp;Paste File	CTRL+V</source>
        <translation>Pe&amp;gar archivos	Ctrl+V</translation>
    </message>
    <message>
        <source>Add file(s) by pasting from clipboard</source>
        <translation>Añadir archivos pegándolos desde el portapapeles</translation>
    </message>
    <message>
        <source>Delete	Delete</source>
        <translation>Eliminar	Supr</translation>
    </message>
    <message>
        <source>Delete selected file(s) name from listview</source>
        <translation>Quitar de la lista los archivos seleccionados</translation>
    </message>
    <message>
        <source>Select &amp;All	CTRL+A</source>
        <translation>Seleccionar &amp;todo	Ctrl+A</translation>
    </message>
    <message>
        <source>Select all file(s) in listview</source>
        <translation>Seleccionar todos los archivos de la lista</translation>
    </message>
    <message>
        <source>&amp;Convert All	Ctrl+G</source>
        <translation>&amp;Convertir todo	Ctrl+G</translation>
    </message>
    <message>
        <source>Convert all file(s) in listview</source>
        <translation>Convertir todos los archivos de la lista</translation>
    </message>
    <message>
        <source>Convert &amp;Selected</source>
        <translation>Convertir &amp;selección</translation>
    </message>
    <message>
        <source>Convert selected file(s)</source>
        <translation>Convertir los archivos seleccionados</translation>
    </message>
    <message>
        <source>&amp;ReConvert Selected</source>
        <translation>&amp;Reconvertir selección</translation>
    </message>
    <message>
        <source>Convert selected file(s) again</source>
        <translation>Convertir de nuevo los archivos seleccionados</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Archivo de origen</translation>
    </message>
    <message>
        <source>Open source file with default program</source>
        <translation>Abrir el archivo de origen con el programa predeterminado</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Archivo de destino</translation>
    </message>
    <message>
        <source>Open target file with default program</source>
        <translation>Abrir el archivo de destino con el programa predeterminado</translation>
    </message>
    <message>
        <source>Explore folder which source file in</source>
        <translation>Abrir la carpeta del archivo de origen</translation>
    </message>
    <message>
        <source>Explore folder which target file in</source>
        <translation>Abrir la carpeta del archivo de destino</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Contenido	F1</translation>
    </message>
    <message>
        <source>Show help contents</source>
        <translation>Mostrar el contenido de la ayuda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Acerca &amp;de</translation>
    </message>
    <message>
        <source>Show about window</source>
        <translation>Mostrar la ventana Acerca de</translation>
    </message>
    <message>
        <source>&amp;File </source>
        <translation>&amp;Archivo </translation>
    </message>
    <message>
        <source>&amp;Edit </source>
        <translation>&amp;Edición </translation>
    </message>
    <message>
        <source>Con&amp;vert </source>
        <translation>&amp;Convertir </translation>
    </message>
    <message>
        <source>&amp;Launch</source>
        <translation>A&amp;brir</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>Abrir car&amp;peta</translation>
    </message>
    <message>
        <source>&amp;Help </source>
        <translation>A&amp;yuda </translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Explore</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>&amp;Add File</source>
        <translation>Añadir arc&amp;hivo</translation>
    </message>
    <message>
        <source>Add &amp;Dir</source>
        <translation>Añadir car&amp;peta</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Registro</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>Con&amp;vertir</translation>
    </message>
    <message numerus="yes">
        <source>The job file could not be read in full; %n file(s) restored, the old file is kept as %1</source>
        <translation>
            <numerusform>El archivo de trabajos no se pudo leer completo; se ha recuperado %n archivo y el antiguo se conserva como %1</numerusform>
            <numerusform>El archivo de trabajos no se pudo leer completo; se han recuperado %n archivos y el antiguo se conserva como %1</numerusform>
        </translation>
    </message>
    <message>
        <source>A directory search is running: wait until it ends, or stop it.</source>
        <translation>Hay una búsqueda de carpetas en curso: espere a que termine o deténgala.</translation>
    </message>
    <message>
        <source>Files are being converted: wait until the conversion ends, or cancel it.</source>
        <translation>Se están convirtiendo archivos: espere a que termine la conversión o cancélela.</translation>
    </message>
    <message numerus="yes">
        <source>%n converted file(s) gave no text.</source>
        <translation>
            <numerusform>%n archivo convertido no contenía texto.</numerusform>
            <numerusform>%n archivos convertidos no contenían texto.</numerusform>
        </translation>
    </message>
    <message>
        <source> To read scanned pages, turn on recognition on the Special page of Options.</source>
        <translation> Para leer páginas escaneadas, active el reconocimiento en la pestaña Especial de las opciones.</translation>
    </message>
    <message numerus="yes">
        <source>Done Scanning, add %n file(s).</source>
        <translation>
            <numerusform>Búsqueda terminada, se ha añadido %n archivo.</numerusform>
            <numerusform>Búsqueda terminada, se han añadido %n archivos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Show KV-Ordvane</source>
        <translation>Mostrar KV-Ordvane</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>No se encuentra el archivo: %1</translation>
    </message>
    <message>
        <source>Enter &amp;Password...	Ctrl+P</source>
        <translation>Introducir c&amp;ontraseña…	Ctrl+P</translation>
    </message>
    <message>
        <source>Open selected file(s) that need a password, and convert them</source>
        <translation>Abrir y convertir los archivos seleccionados que necesitan contraseña</translation>
    </message>
    <message>
        <source>No program to open %1</source>
        <translation>No hay ningún programa para abrir %1</translation>
    </message>
    <message>
        <source>No file manager to show %1</source>
        <translation>No hay ningún gestor de archivos para mostrar %1</translation>
    </message>
</context>
<context>
    <name>TFmOption</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pestañas</translation>
    </message>
    <message>
        <source>Target file directory same as source file</source>
        <translation>Archivos de destino en la carpeta de origen</translation>
    </message>
    <message>
        <source>Target file dir</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>E&amp;xaminar…</translation>
    </message>
    <message>
        <source>Auto rename</source>
        <translation>Renombrar automáticamente</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Sobrescribir</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Preguntar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>When target file exists</source>
        <translation>Si el archivo de destino existe</translation>
    </message>
    <message>
        <source>File code page</source>
        <translation>Página de códigos</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Default ext</source>
        <translation>Extensión predeterminada</translation>
    </message>
    <message>
        <source>User defined</source>
        <translation>Personalizada</translation>
    </message>
    <message>
        <source>Default reading order</source>
        <translation>Orden de lectura predeterminado</translation>
    </message>
    <message>
        <source>Maintain original layout</source>
        <translation>Mantener el diseño original</translation>
    </message>
    <message>
        <source>Keep raw order</source>
        <translation>Mantener el orden sin procesar</translation>
    </message>
    <message>
        <source>Insert page break</source>
        <translation>Insertar salto de página</translation>
    </message>
    <message>
        <source>Text output order</source>
        <translation>Orden del texto</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages (OCR)</source>
        <translation>Reconocer el texto de páginas escaneadas (OCR)</translation>
    </message>
    <message>
        <source>Tesseract language codes joined by &quot;+&quot;, such as eng+deu</source>
        <translation>Códigos de idioma de Tesseract unidos con «+», por ejemplo eng+spa</translation>
    </message>
    <message>
        <source>Recognition languages</source>
        <translation>Idiomas de reconocimiento</translation>
    </message>
    <message>
        <source>Keep raw characters</source>
        <translation>Mantener los caracteres sin procesar</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Especial</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Select target directory</source>
        <translation>Seleccionar la carpeta de destino</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Code page identifier must be numeric!</source>
        <translation>¡El identificador de página de códigos debe ser numérico!</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system!</source>
        <translation>¡La página de códigos %1 no es compatible con este sistema!</translation>
    </message>
    <message>
        <source>0         Default</source>
        <translation>0         Predeterminada</translation>
    </message>
    <message>
        <source>1252   Latin 1: European Western</source>
        <translation>1252   Latín 1: Europa occidental</translation>
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
        <translation>1250   Europa oriental</translation>
    </message>
    <message>
        <source>1256   Arabic</source>
        <translation>1256   Árabe</translation>
    </message>
    <message>
        <source>1257   Baltic</source>
        <translation>1257   Báltico</translation>
    </message>
    <message>
        <source>1251   Cyrillic</source>
        <translation>1251   Cirílico</translation>
    </message>
    <message>
        <source>1253   Greek</source>
        <translation>1253   Griego</translation>
    </message>
    <message>
        <source>1255   Hebrew</source>
        <translation>1255   Hebreo</translation>
    </message>
    <message>
        <source>1254   Turkish</source>
        <translation>1254   Turco</translation>
    </message>
    <message>
        <source>874     Thai</source>
        <translation>874     Tailandés</translation>
    </message>
    <message>
        <source>932     Japanese</source>
        <translation>932     Japonés</translation>
    </message>
    <message>
        <source>936     Chinese Simplified</source>
        <translation>936     Chino simplificado</translation>
    </message>
    <message>
        <source>950     Chinese Traditional</source>
        <translation>950     Chino tradicional</translation>
    </message>
    <message>
        <source>949     Korean Hangul</source>
        <translation>949     Coreano (Hangul)</translation>
    </message>
    <message>
        <source>1361   Korean Johab</source>
        <translation>1361   Coreano (Johab)</translation>
    </message>
    <message>
        <source>Replace if older</source>
        <translation>Reemplazar si es más antiguo</translation>
    </message>
</context>
<context>
    <name>TFmPassword</name>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Wrong password. Try again.</source>
        <translation>Contraseña incorrecta. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>&amp;Remember in the keyring</source>
        <translation>&amp;Recordar en el llavero</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Password of %1:</source>
        <translation>Contraseña de %1:</translation>
    </message>
    <message numerus="yes">
        <source>Password of the %n selected files:</source>
        <translation>
            <numerusform>Contraseña del %n archivo seleccionado:</numerusform>
            <numerusform>Contraseña de los %n archivos seleccionados:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmViewLog</name>
    <message>
        <source>Log</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>Registro de actividad</translation>
    </message>
    <message>
        <source>Not logging</source>
        <translation>No registrar</translation>
    </message>
    <message>
        <source>Clear &amp;Log</source>
        <translation>&amp;Borrar registro</translation>
    </message>
    <message>
        <source>&amp;Export to file</source>
        <translation>E&amp;xportar a archivo</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Ce&amp;rrar</translation>
    </message>
    <message>
        <source>KV-Ordvane Log File(*.log)|*.log</source>
        <translation>Archivo de registro de KV-Ordvane (*.log)|*.log</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>KV-Ordvane is already running with the job list %1 (process %2) and does not answer. Nothing was added; close it and try again.</source>
        <translation>KV-Ordvane ya se está ejecutando con la lista de trabajos %1 (proceso %2) y no responde. No se ha añadido nada; ciérrelo y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>The running KV-Ordvane added none of the files; its status bar and activity log say why.</source>
        <translation>El KV-Ordvane en ejecución no añadió ninguno de los archivos; su barra de estado y su registro de actividad indican por qué.</translation>
    </message>
</context>
</TS>
