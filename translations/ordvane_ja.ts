<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Batch</name>
    <message>
        <source>Try &apos;ordvane-batch --help&apos; for more information.</source>
        <translation>詳しくは「ordvane-batch --help」を実行してください。</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>ファイル [%1] は既に追加されています。</translation>
    </message>
    <message>
        <source>cannot read the list %1: %2</source>
        <translation>リスト %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>the list %1 is larger than %2 bytes</source>
        <translation>リスト %1 が %2 バイトを超えています</translation>
    </message>
    <message>
        <source>a line of the list %1 is longer than a path can be</source>
        <translation>リスト %1 の行がパスの最大長を超えています</translation>
    </message>
    <message>
        <source>Failed: %1 (%2)</source>
        <translation>失敗: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 pages/s</source>
        <translation>%1 ページ/秒</translation>
    </message>
    <message>
        <source>, %1:%2 left</source>
        <translation>、残り %1:%2</translation>
    </message>
    <message>
        <source>PDF files and folders to convert.</source>
        <translation>変換する PDF ファイルとフォルダー。</translation>
    </message>
    <message>
        <source>Search folders&apos; subfolders too.</source>
        <translation>フォルダーのサブフォルダーも検索します。</translation>
    </message>
    <message>
        <source>Read paths from FILE, one a line (&quot;-&quot;: standard input).</source>
        <translation>FILE からパスを 1 行に 1 つずつ読み込みます (「-」: 標準入力)。</translation>
    </message>
    <message>
        <source>The list of --files-from is separated by NUL bytes.</source>
        <translation>--files-from のリストを NUL バイトで区切ります。</translation>
    </message>
    <message>
        <source>Write the text files into DIR.</source>
        <translation>テキスト ファイルを DIR に書き込みます。</translation>
    </message>
    <message>
        <source>Write each text file beside its PDF.</source>
        <translation>各テキスト ファイルを元の PDF と同じ場所に書き込みます。</translation>
    </message>
    <message>
        <source>Code page of the text files (65001 UTF-8, 1200 UTF-16, 0 the system&apos;s, or a Windows code page).</source>
        <translation>テキスト ファイルのコード ページ (65001 UTF-8、1200 UTF-16、0 システムの既定、または Windows のコード ページ)。</translation>
    </message>
    <message>
        <source>Text order: reading, layout or raw.</source>
        <translation>テキストの出力順: reading (読み順)、layout (レイアウト)、raw (未加工の順序)。</translation>
    </message>
    <message>
        <source>A form feed after each page.</source>
        <translation>各ページの後に改ページ (フォーム フィード) を入れます。</translation>
    </message>
    <message>
        <source>No form feeds between pages.</source>
        <translation>ページ間に改ページを入れません。</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages.</source>
        <translation>スキャンしたページの文字を認識します。</translation>
    </message>
    <message>
        <source>Do not recognise text in scanned pages.</source>
        <translation>スキャンしたページの文字を認識しません。</translation>
    </message>
    <message>
        <source>Recognition languages, Tesseract codes joined by &quot;+&quot; (eng+deu).</source>
        <translation>認識する言語。Tesseract の言語コードを「+」でつなぎます (eng+jpn)。</translation>
    </message>
    <message>
        <source>Convert N files at once (default: one per processor).</source>
        <translation>N 個のファイルを同時に変換します (既定: プロセッサごとに 1 個)。</translation>
    </message>
    <message>
        <source>Do not append to the activity log.</source>
        <translation>アクティビティ ログに追記しません。</translation>
    </message>
    <message>
        <source>One JSON object a line per file on standard output.</source>
        <translation>ファイルごとに 1 行の JSON オブジェクトを標準出力に書き出します。</translation>
    </message>
    <message>
        <source>Take part K of N of the input (0 &lt;= K &lt; N), split by a hash of each path.</source>
        <translation>入力を各パスのハッシュで N 個に分け、その K 番目を処理します (0 &lt;= K &lt; N)。</translation>
    </message>
    <message>
        <source>Convert the Waiting entries of a job list and record their outcomes in it.</source>
        <translation>ジョブ リストの待機中の項目を変換し、その結果をリストに記録します。</translation>
    </message>
    <message>
        <source>--target-dir and --same-dir exclude each other</source>
        <translation>--target-dir と --same-dir は同時に指定できません</translation>
    </message>
    <message>
        <source>--code-page takes a number, not &quot;%1&quot;</source>
        <translation>--code-page には数値を指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>code page %1 has no converter on this system</source>
        <translation>コード ページ %1 の変換機能はこのシステムにありません</translation>
    </message>
    <message>
        <source>--order takes reading, layout or raw, not &quot;%1&quot;</source>
        <translation>--order には reading、layout、raw のいずれかを指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>--page-breaks and --no-page-breaks exclude each other</source>
        <translation>--page-breaks と --no-page-breaks は同時に指定できません</translation>
    </message>
    <message>
        <source>--ocr and --no-ocr exclude each other</source>
        <translation>--ocr と --no-ocr は同時に指定できません</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 1024, not &quot;%1&quot;</source>
        <translation>--jobs には 1 から 1024 までの数値を指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>--shard takes K/N with 0 &lt;= K &lt; N, not &quot;%1&quot;</source>
        <translation>--shard には 0 &lt;= K &lt; N となる K/N を指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>--job-file takes no other paths</source>
        <translation>--job-file と一緒にほかのパスは指定できません</translation>
    </message>
    <message>
        <source>no files or folders to convert</source>
        <translation>変換するファイルやフォルダーがありません</translation>
    </message>
    <message>
        <source>the converter library cannot be loaded from %1</source>
        <translation>変換ライブラリを %1 から読み込めません</translation>
    </message>
    <message>
        <source>the job list %1 is in use</source>
        <translation>ジョブ リスト %1 は使用中です</translation>
    </message>
    <message>
        <source>the job list %1 cannot be read in full</source>
        <translation>ジョブ リスト %1 をすべて読み込むことができません</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>中断しました</translation>
    </message>
    <message>
        <source>--existing takes rename, overwrite, skip or update, not &quot;%1&quot;</source>
        <translation>--existing には rename、overwrite、skip、update のいずれかを指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>Try the passwords in FILE, one a line (&quot;-&quot;: standard input), on each file that needs one.</source>
        <translation>パスワードが必要なファイルごとに、FILE のパスワードを 1 行に 1 つずつ順に試します (「-」: 標準入力)。</translation>
    </message>
    <message>
        <source>cannot read the passwords %1: %2</source>
        <translation>パスワード ファイル %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>the passwords %1 are more than %2 bytes</source>
        <translation>パスワード ファイル %1 が %2 バイトを超えています</translation>
    </message>
    <message>
        <source>--files-from and --password-file cannot both read standard input</source>
        <translation>--files-from と --password-file の両方で標準入力を読むことはできません</translation>
    </message>
    <message>
        <source>Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir searches them. Defaults come from the program&apos;s settings file.

A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF of the same run or, under rename, by any file, the text gets the first free name with a number, as report(1).txt.</source>
        <translation>KV-Ordvane と同じように、ウィンドウを開かずに PDF ファイルをテキスト ファイルに変換します。フォルダーは「フォルダーを追加」と同じ方法で検索します。既定値はプログラムの設定ファイルから読み込みます。

テキスト ファイルの名前は PDF と同じで、拡張子は .txt です。同じ実行の別の PDF のテキストが、または rename の場合は任意のファイルがその名前を使っているときは、report(1).txt のように番号の付いた最初の空いている名前になります。</translation>
    </message>
    <message>
        <source>Put each text file into the folder below the target folder that holds its PDF below the folder it was found in (or below --base); files given by name go straight into the target folder.</source>
        <translation>各テキスト ファイルを、出力先フォルダーの下の、PDF が見つかったフォルダー (または --base) から見た PDF のフォルダーと同じ位置のフォルダーに置きます。名前で指定したファイルは出力先フォルダーに直接置きます。</translation>
    </message>
    <message>
        <source>With --keep-tree: the folders below DIR are kept for every file, also those given by name or in a list.</source>
        <translation>--keep-tree と共に使用: 名前やリストで指定したファイルも含め、すべてのファイルについて DIR の下のフォルダー構成を保ちます。</translation>
    </message>
    <message>
        <source>When a text file exists: rename, overwrite, skip, or update (convert again only when the PDF or the options changed since its text was made).</source>
        <translation>テキスト ファイルが既にある場合の動作: rename (名前を変更)、overwrite (上書き)、skip (スキップ)、update (テキストを作成した後に PDF またはオプションが変わった場合だけ変換し直す)。</translation>
    </message>
    <message>
        <source>--base goes with --keep-tree</source>
        <translation>--base は --keep-tree と共に指定します</translation>
    </message>
    <message>
        <source>--keep-tree needs a target folder (--target-dir)</source>
        <translation>--keep-tree には出力先フォルダー (--target-dir) が必要です</translation>
    </message>
    <message numerus="yes">
        <source>recognition did not finish in time, text is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>文字認識が時間内に終わらず、テキストが欠けています: %2 の %1 ページ</numerusform>
        </translation>
    </message>
    <message>
        <source>Give the recognition of a page N seconds (default 120); a page not read by then keeps what was read, and is told.</source>
        <translation>1 ページの文字認識に N 秒を割り当てます (既定 120)。それまでに読み終わらないページは読んだ部分だけを残し、その旨を通知します。</translation>
    </message>
    <message>
        <source>the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line</source>
        <translation>パスワード ファイル %1 は UTF-8 ではありません (UTF-16 など)。1 行に 1 つずつ、UTF-8 で保存してください</translation>
    </message>
    <message>
        <source>a password in %1 is longer than %2 bytes</source>
        <translation>%1 のパスワードに %2 バイトを超えるものがあります</translation>
    </message>
    <message>
        <source>the password file %1 holds more than %2 passwords</source>
        <translation>パスワード ファイル %1 のパスワードが %2 個を超えています</translation>
    </message>
    <message>
        <source>--ocr-time takes a number of seconds from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--ocr-time には 1 から 65535 までの秒数を指定してください (「%1」は不可)</translation>
    </message>
    <message>
        <source>the activity log cannot be written, its lines are lost: %1</source>
        <translation>アクティビティ ログに書き込めないため、記録内容は失われます: %1</translation>
    </message>
    <message numerus="yes">
        <source>; %n page(s) in %1 s</source>
        <extracomment>After the counts of the run: &quot;3 converted, 1 failed; 12 pages in 0.4 s&quot;.</extracomment>
        <translation>
            <numerusform>、%n ページを %1 秒で処理</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 takes a number from %2 to %3, not &quot;%4&quot;</source>
        <translation>--%1 には %2 から %3 までの数値を指定してください (「%4」は不可)</translation>
    </message>
    <message>
        <source>--settle and --rescan go with --watch</source>
        <translation>--settle と --rescan は --watch と共に指定します</translation>
    </message>
    <message>
        <source>Convert what is not current in the folders, then keep watching them and convert each PDF written or moved into them, until ended by a signal (SIGTERM, SIGINT, SIGHUP).</source>
        <translation>フォルダー内の最新でないファイルを変換した後もフォルダーを監視し続け、書き込まれた PDF や移動されてきた PDF をそのつど変換します。シグナル (SIGTERM、SIGINT、SIGHUP) を受け取ると終了します。</translation>
    </message>
    <message>
        <source>With --watch: take a file once it has been left unchanged for MS milliseconds (default 1000).</source>
        <translation>--watch 使用時: ファイルが MS ミリ秒間変更されないままになってから処理します (既定値 1000)。</translation>
    </message>
    <message>
        <source>With --watch: also search the folders again every N seconds, for file systems that do not tell of changes (default 0: never).</source>
        <translation>--watch 使用時: 変更を通知しないファイル システムのために、N 秒ごとにフォルダーを検索し直します (既定値 0: 行わない)。</translation>
    </message>
    <message>
        <source>--watch and --job-file exclude each other</source>
        <translation>--watch と --job-file は同時に指定できません</translation>
    </message>
    <message>
        <source>--watch takes folders, and %1 is none</source>
        <translation>--watch にはフォルダーを指定してください。%1 はフォルダーではありません</translation>
    </message>
    <message>
        <source>the folder %1 is gone or cannot be read (%2); it is watched again once it is back</source>
        <translation>フォルダー %1 が見つからないか、読み込めません (%2)。フォルダーが戻りしだい監視を再開します</translation>
    </message>
    <message>
        <source>the folder %1 is back and watched again</source>
        <translation>フォルダー %1 が戻ったため、監視を再開しました</translation>
    </message>
    <message>
        <source>the folder %1 cannot be watched: %2</source>
        <translation>フォルダー %1 を監視できません: %2</translation>
    </message>
    <message numerus="yes">
        <source>text in fonts that could not be read is missing: page(s) %1 of %2</source>
        <translation>
            <numerusform>読み込めなかったフォントのテキストが欠けています: %2 の %1 ページ</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF files to plain text. The FILEs are added to the job list as if they were dropped on the window; when KV-Ordvane already runs with this job list, they are handed to it and its window comes to the front.</source>
        <translation>PDF ファイルをプレーン テキストに変換します。FILE はウィンドウにドロップしたときと同じようにジョブ リストに追加されます。このジョブ リストで KV-Ordvane が既に実行中の場合は、そちらに渡され、そのウィンドウが前面に表示されます。</translation>
    </message>
    <message>
        <source>PDF files, or one folder to search.</source>
        <translation>PDF ファイル、または検索するフォルダー 1 つ。</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンド ライン オプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションを含むヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>バージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>使い方: %1 [オプション] %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>引数:</translation>
    </message>
    <message>
        <source>The window system&apos;s options are taken as every Qt program takes them: %1.</source>
        <translation>ウィンドウ システムのオプションは、ほかの Qt プログラムと同じように受け付けます: %1。</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Load file filter dll error</source>
        <translation>変換ライブラリの読み込みエラー</translation>
    </message>
    <message>
        <source>Source file open error</source>
        <translation>元ファイルを開けません</translation>
    </message>
    <message>
        <source>Extracting text from source file not allowed</source>
        <translation>元ファイルからのテキスト抽出は許可されていません</translation>
    </message>
    <message>
        <source>File format not correct</source>
        <translation>ファイル形式が正しくありません</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system</source>
        <translation>コード ページ %1 はこのシステムでは使用できません</translation>
    </message>
    <message>
        <source>Target file already exists, user canceled</source>
        <translation>出力ファイルが既にあります。ユーザーがキャンセルしました</translation>
    </message>
    <message>
        <source>File type not support</source>
        <translation>サポートされていないファイルの種類です</translation>
    </message>
    <message>
        <source>Convert successfully</source>
        <translation>変換しました</translation>
    </message>
    <message>
        <source>Target file create error</source>
        <translation>出力ファイルを作成できません</translation>
    </message>
    <message>
        <source>Target file write error</source>
        <translation>出力ファイルの書き込みエラー</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Failed: %2, Total: %3</source>
        <translation>変換終了。成功: %1 個、失敗: %2 個、合計: %3 個</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) left unread for want of recognition data; %1 would read them.</source>
        <translation>
            <numerusform>認識データがないため %n ページを読み取れませんでした。%1 があれば読み取れます。</numerusform>
        </translation>
    </message>
    <message>
        <source>Source file changed while it was read</source>
        <translation>読み取り中に元ファイルが変更されました</translation>
    </message>
    <message>
        <source>Password required</source>
        <translation>パスワードが必要です</translation>
    </message>
    <message>
        <source>Target file is up to date</source>
        <translation>出力ファイルは最新です</translation>
    </message>
    <message>
        <source>Conversion end. Successful: %1, Skipped: %2, Failed: %3, Total: %4</source>
        <translation>変換終了。成功: %1 個、スキップ: %2 個、失敗: %3 個、合計: %4 個</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>変換 %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>スキップ %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>失敗 %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left waiting (run stopped)</source>
        <translation>
            <numerusform>待機中 %n 個 (実行を停止)</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the counts of a run: &quot;3 converted, 1 failed&quot;.</extracomment>
        <translation>、</translation>
    </message>
    <message>
        <source>Conversion ended: %1.</source>
        <translation>変換終了: %1。</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) not fully recognised in time; the log names them.</source>
        <translation>
            <numerusform>%n ページは時間内に最後まで認識できませんでした。該当するページはログに記録されています。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.</source>
        <translation>
            <numerusform>%n ページに読み込めなかったフォントのテキストがあり、そのテキストは欠けています。該当するページはログに記録されています。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DocumentTypes</name>
    <message>
        <source>Adobe Portable Document File</source>
        <translation>Adobe PDF 文書</translation>
    </message>
    <message>
        <source>All Support File</source>
        <translation>サポートされているすべてのファイル</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>JobList</name>
    <message>
        <source>Waiting</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>変換済み</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>State %1</source>
        <translation>状態 %1</translation>
    </message>
    <message>
        <source>File [%1] already added!</source>
        <translation>ファイル [%1] は既に追加されています。</translation>
    </message>
    <message>
        <source>File [%1] type not support!</source>
        <translation>ファイル [%1] の種類はサポートされていません。</translation>
    </message>
    <message>
        <source>File [%1] not added: the list is full!</source>
        <translation>ファイル [%1] を追加できません。リストがいっぱいです。</translation>
    </message>
    <message>
        <source>File [%1] not found!</source>
        <translation>ファイル [%1] が見つかりません。</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>State</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>元ファイル</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>サイズ (バイト)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Target file</source>
        <translation>出力ファイル</translation>
    </message>
    <message>
        <source>Convert Message</source>
        <translation>変換メッセージ</translation>
    </message>
    <message>
        <source>%1, no text</source>
        <translation>%1、テキストなし</translation>
    </message>
    <message>
        <source>Converted, but the file gave no text</source>
        <translation>変換しましたが、ファイルからテキストは得られませんでした</translation>
    </message>
</context>
<context>
    <name>JobListSaver</name>
    <message>
        <source>The job list could not be saved. Retry once there is room, exit without saving it (what changed since the last save is lost), or cancel to keep KV-Ordvane open.</source>
        <translation>ジョブ リストを保存できませんでした。空き容量ができたら再試行するか、保存せずに終了する (前回の保存以降の変更は失われます) か、キャンセルして KV-Ordvane を開いたままにしてください。</translation>
    </message>
    <message>
        <source>Exit Without Saving</source>
        <translation>保存せずに終了</translation>
    </message>
</context>
<context>
    <name>OrdvaneApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
    </message>
</context>
<context>
    <name>PasswordEntry</name>
    <message>
        <source>None of the selected files needs a password.</source>
        <translation>選択したファイルの中に、パスワードが必要なものはありません。</translation>
    </message>
    <message>
        <source>Asking the keyring for the passwords... Esc types them in instead.</source>
        <translation>キーリングにパスワードを問い合わせています... Esc キーを押すと自分で入力できます。</translation>
    </message>
    <message>
        <source>The keyring did not take the password: it is known only until KV-Ordvane ends.</source>
        <translation>キーリングにパスワードを保存できませんでした。パスワードは KV-Ordvane を終了するまでだけ記憶されます。</translation>
    </message>
</context>
<context>
    <name>RecognitionChoice</name>
    <message>
        <source>Enter at least one recognition language, such as eng.</source>
        <translation>認識する言語を少なくとも 1 つ入力してください (例: jpn)。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of language codes; join codes with &quot;+&quot;, as in eng+deu.</source>
        <translation>「%1」は言語コードのリストではありません。eng+jpn のようにコードを「+」でつないでください。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>The language data for &quot;%1&quot; is not installed, so text in that language cannot be recognised; the package %2 holds it.
Installed: %3.</source>
        <translation>「%1」の言語データがインストールされていないため、この言語の文字は認識できません。パッケージ %2 に含まれています。
インストール済み: %3。</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder %1 belongs to another user or is open to others, so files cannot be handed to a running KV-Ordvane.</source>
        <translation>フォルダー %1 は別のユーザーが所有しているか、他のユーザーもアクセスできるため、実行中の KV-Ordvane にファイルを渡せません。</translation>
    </message>
    <message>
        <source>Files cannot be handed to this KV-Ordvane: %1</source>
        <translation>この KV-Ordvane にファイルを渡せません: %1</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>Resize window</source>
        <translation>ウィンドウのサイズを変更</translation>
    </message>
    <message numerus="yes">
        <source>Select %n file(s).</source>
        <translation>
            <numerusform>%n 個のファイルを選択しています。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n File(s)</source>
        <translation>
            <numerusform>%n 個のファイル</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmAbout</name>
    <message>
        <source>About KV-Ordvane</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
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
        <translation>フォルダーを追加</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>すべて選択(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>選択を反転(&amp;I)</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>選択を解除(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Directory</source>
        <translation>フォルダー(&amp;D)</translation>
    </message>
    <message>
        <source>Select type of file to be converted:</source>
        <translation>変換するファイルの種類を選択:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Please select the type of file to be converted!</source>
        <translation>変換するファイルの種類を選択してください。</translation>
    </message>
    <message>
        <source>&amp;Recursive Sub Directory</source>
        <translation>サブフォルダーも検索(&amp;R)</translation>
    </message>
</context>
<context>
    <name>TFmCancelCvt</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 時間 %2 分</translation>
    </message>
    <message>
        <source>Converting Files...</source>
        <translation>ファイルを変換中...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>Press CANCEL to abort current operation.</source>
        <translation>現在の処理を中止するには「キャンセル」を押してください。</translation>
    </message>
    <message>
        <source>Recognising page %1 of %2</source>
        <translation>ページ %1/%2 を認識中</translation>
    </message>
    <message>
        <source>Page %1 of about %2</source>
        <translation>ページ %1/約 %2</translation>
    </message>
    <message>
        <source>, about %1 left</source>
        <translation>、残り約 %1</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>停止中...</translation>
    </message>
    <message numerus="yes">
        <source>, %n files at once</source>
        <translation>
            <numerusform>、%n 個のファイルを同時処理</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmCancelFind</name>
    <message>
        <source>Searching Files ...</source>
        <translation>ファイルを検索中...</translation>
    </message>
    <message>
        <source>Press to abort search operation</source>
        <translation>クリックすると検索を中止します</translation>
    </message>
</context>
<context>
    <name>TFmDirectory</name>
    <message>
        <source>Directory</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>置換(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>追加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>List of directories:</source>
        <translation>フォルダーの一覧:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>フォルダー:</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>フォルダーの選択</translation>
    </message>
</context>
<context>
    <name>TFmFileOverTp</name>
    <message>
        <source>&amp;Auto Rename</source>
        <translation>自動的に名前を変更(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>上書き(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Stop Convert</source>
        <translation>変換を停止(&amp;S)</translation>
    </message>
    <message>
        <source>The file already exist.</source>
        <translation>ファイルは既に存在します。</translation>
    </message>
    <message>
        <source>&amp;Do the same for the remaining files</source>
        <translation>残りのファイルにも同じ操作を行う(&amp;D)</translation>
    </message>
</context>
<context>
    <name>TFmMain</name>
    <message>
        <source>Job list</source>
        <translation>ジョブ リスト</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>Set KV-Ordvane options</source>
        <translation>KV-Ordvane のオプションを設定します</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Exit from KV-Ordvane</source>
        <translation>KV-Ordvane を終了します</translation>
    </message>
    <message>
        <source>&amp;View Log</source>
        <translation>ログを表示(&amp;V)</translation>
    </message>
    <message>
        <source>View KV-Ordvane logs</source>
        <translation>KV-Ordvane のログを表示します</translation>
    </message>
    <message>
        <source>Add &amp;File	CTRL+F</source>
        <translation>ファイルを追加(&amp;F)	Ctrl+F</translation>
    </message>
    <message>
        <source>Add file(s) by selecting file(s)</source>
        <translation>ファイルを選択して追加します</translation>
    </message>
    <message>
        <source>Add &amp;Dir	CTRL+D</source>
        <translation>フォルダーを追加(&amp;D)	Ctrl+D</translation>
    </message>
    <message>
        <source>Add file(s) by selecting director(ies)</source>
        <translation>フォルダーを選択してファイルを追加します</translation>
    </message>
    <message>
        <source>&amp;Paste File	CTRL+V</source>
        <translation>ファイルを貼り付け(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <source>Add file(s) by pasting from clipboard</source>
        <translation>クリップボードから貼り付けてファイルを追加します</translation>
    </message>
    <message>
        <source>Delete	Delete</source>
        <translation>削除	Delete</translation>
    </message>
    <message>
        <source>Delete selected file(s) name from listview</source>
        <translation>選択したファイルをリストから削除します</translation>
    </message>
    <message>
        <source>Select &amp;All	CTRL+A</source>
        <translation>すべて選択(&amp;A)	Ctrl+A</translation>
    </message>
    <message>
        <source>Select all file(s) in listview</source>
        <translation>リストのファイルをすべて選択します</translation>
    </message>
    <message>
        <source>&amp;Convert All	Ctrl+G</source>
        <translation>すべて変換(&amp;C)	Ctrl+G</translation>
    </message>
    <message>
        <source>Convert all file(s) in listview</source>
        <translation>リストのファイルをすべて変換します</translation>
    </message>
    <message>
        <source>Convert &amp;Selected</source>
        <translation>選択したファイルを変換(&amp;S)</translation>
    </message>
    <message>
        <source>Convert selected file(s)</source>
        <translation>選択したファイルを変換します</translation>
    </message>
    <message>
        <source>&amp;ReConvert Selected</source>
        <translation>選択したファイルを再変換(&amp;R)</translation>
    </message>
    <message>
        <source>Convert selected file(s) again</source>
        <translation>選択したファイルをもう一度変換します</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>元ファイル</translation>
    </message>
    <message>
        <source>Open source file with default program</source>
        <translation>元ファイルを既定のプログラムで開きます</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>出力ファイル</translation>
    </message>
    <message>
        <source>Open target file with default program</source>
        <translation>出力ファイルを既定のプログラムで開きます</translation>
    </message>
    <message>
        <source>Explore folder which source file in</source>
        <translation>元ファイルのあるフォルダーを開きます</translation>
    </message>
    <message>
        <source>Explore folder which target file in</source>
        <translation>出力ファイルのあるフォルダーを開きます</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>目次(&amp;C)	F1</translation>
    </message>
    <message>
        <source>Show help contents</source>
        <translation>ヘルプの目次を表示します</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>Show about window</source>
        <translation>バージョン情報を表示します</translation>
    </message>
    <message>
        <source>&amp;File </source>
        <translation>ファイル(&amp;F) </translation>
    </message>
    <message>
        <source>&amp;Edit </source>
        <translation>編集(&amp;E) </translation>
    </message>
    <message>
        <source>Con&amp;vert </source>
        <translation>変換(&amp;V) </translation>
    </message>
    <message>
        <source>&amp;Launch</source>
        <translation>開く(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>フォルダーを開く(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help </source>
        <translation>ヘルプ(&amp;H) </translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Explore</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>&amp;Add File</source>
        <translation>ファイルを追加(&amp;A)</translation>
    </message>
    <message>
        <source>Add &amp;Dir</source>
        <translation>フォルダーを追加(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>ログ(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>変換(&amp;C)</translation>
    </message>
    <message numerus="yes">
        <source>The job file could not be read in full; %n file(s) restored, the old file is kept as %1</source>
        <translation>
            <numerusform>ジョブ リストをすべて読み込むことはできませんでした。%n 個のファイルを復元し、以前のファイルは %1 として保存してあります</numerusform>
        </translation>
    </message>
    <message>
        <source>A directory search is running: wait until it ends, or stop it.</source>
        <translation>フォルダーの検索中です。終わるまで待つか、検索を中止してください。</translation>
    </message>
    <message>
        <source>Files are being converted: wait until the conversion ends, or cancel it.</source>
        <translation>ファイルを変換中です。変換が終わるまで待つか、キャンセルしてください。</translation>
    </message>
    <message numerus="yes">
        <source>%n converted file(s) gave no text.</source>
        <translation>
            <numerusform>変換した %n 個のファイルからテキストが得られませんでした。</numerusform>
        </translation>
    </message>
    <message>
        <source> To read scanned pages, turn on recognition on the Special page of Options.</source>
        <translation>スキャンしたページを読み取るには、オプションの「詳細設定」ページで文字認識をオンにしてください。</translation>
    </message>
    <message numerus="yes">
        <source>Done Scanning, add %n file(s).</source>
        <translation>
            <numerusform>検索が終わりました。%n 個のファイルを追加しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>Show KV-Ordvane</source>
        <translation>KV-Ordvane を表示</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>ファイルが見つかりません: %1</translation>
    </message>
    <message>
        <source>Enter &amp;Password...	Ctrl+P</source>
        <translation>パスワードを入力(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Open selected file(s) that need a password, and convert them</source>
        <translation>選択したファイルのうち、パスワードが必要なものを開いて変換します</translation>
    </message>
    <message>
        <source>No program to open %1</source>
        <translation>%1 を開くプログラムがありません</translation>
    </message>
    <message>
        <source>No file manager to show %1</source>
        <translation>%1 を表示するファイル マネージャーがありません</translation>
    </message>
</context>
<context>
    <name>TFmOption</name>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>Target file directory same as source file</source>
        <translation>出力先を元ファイルと同じフォルダーにする</translation>
    </message>
    <message>
        <source>Target file dir</source>
        <translation>出力先フォルダー</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>Auto rename</source>
        <translation>自動的に名前を変更</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>上書き</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>確認する</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>When target file exists</source>
        <translation>出力ファイルが既にある場合</translation>
    </message>
    <message>
        <source>File code page</source>
        <translation>ファイルのコード ページ</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Default ext</source>
        <translation>既定の拡張子</translation>
    </message>
    <message>
        <source>User defined</source>
        <translation>ユーザー定義</translation>
    </message>
    <message>
        <source>Default reading order</source>
        <translation>既定の読み順</translation>
    </message>
    <message>
        <source>Maintain original layout</source>
        <translation>元のレイアウトを維持</translation>
    </message>
    <message>
        <source>Keep raw order</source>
        <translation>未加工の順序を維持</translation>
    </message>
    <message>
        <source>Insert page break</source>
        <translation>改ページを挿入</translation>
    </message>
    <message>
        <source>Text output order</source>
        <translation>テキストの出力順</translation>
    </message>
    <message>
        <source>Recognise text in scanned pages (OCR)</source>
        <translation>スキャンしたページの文字を認識 (OCR)</translation>
    </message>
    <message>
        <source>Tesseract language codes joined by &quot;+&quot;, such as eng+deu</source>
        <translation>「+」でつないだ Tesseract の言語コード (例: eng+jpn)</translation>
    </message>
    <message>
        <source>Recognition languages</source>
        <translation>認識する言語</translation>
    </message>
    <message>
        <source>Keep raw characters</source>
        <translation>元の文字をそのまま残す</translation>
    </message>
    <message>
        <source>General</source>
        <translation>全般</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>詳細設定</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Select target directory</source>
        <translation>出力先フォルダーの選択</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Code page identifier must be numeric!</source>
        <translation>コード ページには数値を指定してください。</translation>
    </message>
    <message>
        <source>Code page %1 is not supported on this system!</source>
        <translation>コード ページ %1 はこのシステムでは使用できません。</translation>
    </message>
    <message>
        <source>0         Default</source>
        <translation>0         既定</translation>
    </message>
    <message>
        <source>1252   Latin 1: European Western</source>
        <translation>1252   Latin 1: 西ヨーロッパ</translation>
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
        <translation>1250   中央ヨーロッパ</translation>
    </message>
    <message>
        <source>1256   Arabic</source>
        <translation>1256   アラビア語</translation>
    </message>
    <message>
        <source>1257   Baltic</source>
        <translation>1257   バルト言語</translation>
    </message>
    <message>
        <source>1251   Cyrillic</source>
        <translation>1251   キリル文字</translation>
    </message>
    <message>
        <source>1253   Greek</source>
        <translation>1253   ギリシャ語</translation>
    </message>
    <message>
        <source>1255   Hebrew</source>
        <translation>1255   ヘブライ語</translation>
    </message>
    <message>
        <source>1254   Turkish</source>
        <translation>1254   トルコ語</translation>
    </message>
    <message>
        <source>874     Thai</source>
        <translation>874     タイ語</translation>
    </message>
    <message>
        <source>932     Japanese</source>
        <translation>932     日本語</translation>
    </message>
    <message>
        <source>936     Chinese Simplified</source>
        <translation>936     簡体字中国語</translation>
    </message>
    <message>
        <source>950     Chinese Traditional</source>
        <translation>950     繁体字中国語</translation>
    </message>
    <message>
        <source>949     Korean Hangul</source>
        <translation>949     韓国語 (ハングル)</translation>
    </message>
    <message>
        <source>1361   Korean Johab</source>
        <translation>1361   韓国語 (Johab)</translation>
    </message>
    <message>
        <source>Replace if older</source>
        <translation>古い場合は置き換える</translation>
    </message>
</context>
<context>
    <name>TFmPassword</name>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Wrong password. Try again.</source>
        <translation>パスワードが違います。もう一度入力してください。</translation>
    </message>
    <message>
        <source>&amp;Remember in the keyring</source>
        <translation>キーリングに保存(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>Password of %1:</source>
        <translation>%1 のパスワード:</translation>
    </message>
    <message numerus="yes">
        <source>Password of the %n selected files:</source>
        <translation>
            <numerusform>選択した %n 個のファイルのパスワード:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFmViewLog</name>
    <message>
        <source>Log</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>アクティビティ ログ</translation>
    </message>
    <message>
        <source>Not logging</source>
        <translation>ログを記録しない</translation>
    </message>
    <message>
        <source>Clear &amp;Log</source>
        <translation>ログを消去(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Export to file</source>
        <translation>ファイルにエクスポート(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>KV-Ordvane Log File(*.log)|*.log</source>
        <translation>KV-Ordvane ログ ファイル (*.log)|*.log</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>KV-Ordvane is already running with the job list %1 (process %2) and does not answer. Nothing was added; close it and try again.</source>
        <translation>KV-Ordvane はジョブ リスト %1 で既に実行中 (プロセス %2) ですが、応答がありません。何も追加されていません。KV-Ordvane を閉じてから、もう一度お試しください。</translation>
    </message>
    <message>
        <source>The running KV-Ordvane added none of the files; its status bar and activity log say why.</source>
        <translation>実行中の KV-Ordvane はどのファイルも追加しませんでした。理由はステータス バーとアクティビティ ログに表示されます。</translation>
    </message>
</context>
</TS>
