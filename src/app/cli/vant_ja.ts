<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>vant check</name>
    <message>
        <source>PARAM "%1" (value "%2") is in an OBJECT that is not the control and is not read as a method.</source>
        <translation>PARAM「%1」(値「%2」)はコントロールでない OBJECT にあり、メソッドとして読まれません。</translation>
    </message>
    <message>
        <source>PARAM "%1" (value "%2") is not read as a method: its name does not start with method.</source>
        <translation>PARAM「%1」(値「%2」)は名前が method で始まらないため、メソッドとして読まれません。</translation>
    </message>
    <message>
        <source>There is no printer "%1" (nor the printer of its entry %2 in the printer map). Printing stops, as UnknownPrinter = stop.</source>
        <translation>プリンター「%1」が見つかりません (プリンターの対応表 %2 の印刷先もありません)。UnknownPrinter = stop のため印刷を中断します。</translation>
    </message>
    <message>
        <source>There is no printer "%1" (nor the printer of its entry %2 in the printer map). It prints on "%3" instead.</source>
        <translation>プリンター「%1」が見つかりません (プリンターの対応表 %2 の印刷先もありません)。代わりに「%3」で印刷されます。</translation>
    </message>
    <message>
        <source>There is no printer "%1". Printing stops, as UnknownPrinter = stop.</source>
        <translation>プリンター「%1」が見つかりません。UnknownPrinter = stop のため印刷を中断します。</translation>
    </message>
    <message>
        <source>There is no printer "%1". It prints on "%2" instead.</source>
        <translation>プリンター「%1」が見つかりません。代わりに「%2」で印刷されます。</translation>
    </message>
    <message>
        <source>Control: none (no OBJECT element)</source>
        <translation>コントロール: なし (OBJECT 要素がありません)</translation>
    </message>
    <message>
        <source> (line %1)</source>
        <translation> (%1 行目)</translation>
    </message>
    <message>
        <source>Control: OBJECT%1, %2 method</source>
        <translation>コントロール: OBJECT%1、メソッド %2 個</translation>
    </message>
    <message>
        <source>Control: OBJECT%1, %2 methods</source>
        <translation>コントロール: OBJECT%1、メソッド %2 個</translation>
    </message>
    <message>
        <source>Warning (method %1, line %2): %3</source>
        <translation>警告 (メソッド %1、%2 行目): %3</translation>
    </message>
    <message>
        <source>Warning (method %1): %2</source>
        <translation>警告 (メソッド %1): %2</translation>
    </message>
    <message>
        <source>Warning (line %1): %2</source>
        <translation>警告 (%1 行目): %2</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>警告: %1</translation>
    </message>
    <message>
        <source>Result: cannot be printed</source>
        <translation>結果: 印刷できません</translation>
    </message>
    <message>
        <source>Document %1: printer "%2", %3 page</source>
        <translation>文書 %1: プリンター「%2」、%3 ページ</translation>
    </message>
    <message>
        <source>Document %1: printer "%2", %3 pages</source>
        <translation>文書 %1: プリンター「%2」、%3 ページ</translation>
    </message>
    <message>
        <source>Result: would not print (the run stops)</source>
        <translation>結果: 印刷されません (中断します)</translation>
    </message>
    <message>
        <source>Result: would print</source>
        <translation>結果: 印刷できます</translation>
    </message>
    <message>
        <source>%1 vant print does not print then.</source>
        <translation>%1vant print はこのとき印刷しません。</translation>
    </message>
    <message>
        <source>to check printing on %1, give --printer "%1"</source>
        <translation>%1 での印刷を確かめるには --printer "%1" を指定してください。</translation>
    </message>
    <message>
        <source>left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>top</source>
        <translation>上</translation>
    </message>
    <message>
        <source>right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>bottom</source>
        <translation>下</translation>
    </message>
    <message>
        <source>The text "%1" at %2 points runs past the sheet's %3 edge by %4 (what runs past is not printed).</source>
        <translation>文字列「%1」は %2 ポイントでは用紙の%3端を %4 越えます (越えた部分は印刷されません)。</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 edge by %2</source>
        <translation>%1端を %2</translation>
    </message>
    <message>
        <source>The marks lie off the sheet and are not printed.</source>
        <translation>印が用紙の外にあり、印刷されません。</translation>
    </message>
    <message>
        <source>The marks run past the sheet: %1 (what runs past is not printed).</source>
        <translation>印が用紙の%1 はみ出します (はみ出した部分は印刷されません)。</translation>
    </message>
    <message>
        <source>The marks lie outside the printable area of this printer and are not printed.</source>
        <translation>印がこのプリンターの印刷できる範囲の外にあり、印刷されません。</translation>
    </message>
    <message>
        <source>The marks run past the printable area of this printer: %1 (what runs past is not printed).</source>
        <translation>印がこのプリンターの印刷できる範囲の%1 はみ出します (はみ出した部分は印刷されません)。</translation>
    </message>
    <message>
        <source>The font "%1" is not on this machine; it prints in "%2" of the same design (its characters differ in width: a text may come out longer or shorter).</source>
        <translation>フォント「%1」はこの環境になく、同じ系統の「%2」で印刷されます (文字の幅が違うため、文字列が長く、または短くなることがあります)。</translation>
    </message>
    <message>
        <source>The font "%1" has neither a counterpart nor a face of the same design on this machine; it prints in "%2" (another typeface, with other widths).</source>
        <translation>フォント「%1」はこの環境に対応するフォントも同じ系統のフォントもなく、「%2」で印刷されます (書体と文字の幅が変わります)。</translation>
    </message>
    <message>
        <source>The narrowest bar (one module) is %1 dots wide. Bars narrower than %2 dots may not scan (a width over %3 makes them %2 dots).</source>
        <translation>バーの最も細い幅 (1 モジュール) が %1 ドットです。%2 ドット未満のバーは読み取れないことがあります (幅を %3 より広くすると %2 ドットになります)。</translation>
    </message>
    <message>
        <source>The width asked is 0 or less: the symbol prints at its least, %1.</source>
        <translation>幅の指定が 0 以下のため、最小の %1 で印刷されます。</translation>
    </message>
    <message>
        <source>A width of %1 was asked; the symbol prints %2 wide (%3 %) (a bar is a whole number of dots wide, never narrower than asked).</source>
        <translation>幅 %1 の指定に対し %2 (%3 %) で印刷されます (バーの幅はドットの整数倍で、指定より狭くはなりません)。</translation>
    </message>
    <message>
        <source>The text "%1" under the bars does not fit the symbol's width.</source>
        <translation>バーの下の文字「%1」がシンボルの幅に収まりません。</translation>
    </message>
    <message>
        <source>The JAN data "%1" prints as "%2" (the data is made a number of %3 digits, and the check digit is the one computed).</source>
        <translation>JAN のデータ「%1」は「%2」と印刷されます (データは %3 桁の数にそろえ、チェックディジットは計算したものを付けます)。</translation>
    </message>
    <message>
        <source>One module is %1 dots wide. Modules narrower than %2 dots may not scan (make the symbol larger).</source>
        <translation>1 モジュールが %1 ドットです。%2 ドット未満のモジュールは読み取れないことがあります (大きさを広げてください)。</translation>
    </message>
    <message>
        <source>A size of %1 was asked; the symbol prints %2 (%3 %) (a module is a whole number of dots, never smaller than asked).</source>
        <translation>大きさ %1 の指定に対し %2 (%3 %) で印刷されます (モジュールはドットの整数倍で、指定より小さくはなりません)。</translation>
    </message>
    <message>
        <source>The narrowest bar (one module) is %1 dot wide. Bars narrower than %2 dots may not scan (a width over %3 makes them %2 dots).</source>
        <translation>バーの最も細い幅 (1 モジュール) が %1 ドットです。%2 ドット未満のバーは読み取れないことがあります (幅を %3 より広くすると %2 ドットになります)。</translation>
    </message>
    <message>
        <source>One module is %1 dot wide. Modules narrower than %2 dots may not scan (make the symbol larger).</source>
        <translation>1 モジュールが %1 ドットです。%2 ドット未満のモジュールは読み取れないことがあります (大きさを広げてください)。</translation>
    </message>
    <message>
        <source>Page %1: %2 (%3 x %4 mm)</source>
        <translation>%1 ページ: %2 (%3 x %4 mm)</translation>
    </message>
    <message>
        <source>quality %1</source>
        <translation>品質 %1</translation>
    </message>
</context>
<context>
    <name>vant command line</name>
    <message>
        <source>%1 takes a whole number from %2 to %3 (not "%4")</source>
        <translation>%1 には %2 から %3 までの整数を指定してください (「%4」は使えません)</translation>
    </message>
    <message>
        <source>--zoom takes one of auto, 300, 200, 150, 100 (not "%1")</source>
        <translation>--zoom には auto, 300, 200, 150, 100 のいずれかを指定してください (「%1」は使えません)</translation>
    </message>
    <message>
        <source>--viewport takes WIDTHxHEIGHT (not "%1")</source>
        <translation>--viewport には 幅x高さ を指定してください (「%1」は使えません)</translation>
    </message>
    <message>
        <source>--scale takes a number from 1 to 4 (not "%1")</source>
        <translation>--scale には 1 から 4 までの数を指定してください (「%1」は使えません)</translation>
    </message>
    <message>
        <source>--title takes UTF-8 text, not empty, of up to %1 bytes</source>
        <translation>--title には %1 バイトまでの空でない UTF-8 の文字列を指定してください</translation>
    </message>
    <message>
        <source>the option "%1" is not for %2</source>
        <translation>オプション「%1」は %2 には使えません</translation>
    </message>
    <message>
        <source>unknown option "%1"</source>
        <translation>不明なオプション「%1」です</translation>
    </message>
    <message>
        <source>the option "%1" takes no value</source>
        <translation>オプション「%1」は値を取りません</translation>
    </message>
    <message>
        <source>the option "%1" needs a value</source>
        <translation>オプション「%1」に値を指定してください</translation>
    </message>
    <message>
        <source>the command line cannot be read: %1</source>
        <translation>コマンドラインを解釈できません: %1</translation>
    </message>
    <message>
        <source>-o takes a file name (not "%1")</source>
        <translation>-o にはファイル名を指定してください (「%1」は使えません)</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>使い方:</translation>
    </message>
    <message>
        <source>See vant --help and vant COMMAND --help.</source>
        <translation>詳しくは vant --help、vant COMMAND --help をご覧ください。</translation>
    </message>
    <message>
        <source>Usage: vant COMMAND [OPTION]... [--] [PAGE]</source>
        <translation>使い方: vant COMMAND [オプション] [--] [PAGE]</translation>
    </message>
    <message>
        <source>Runs the list of print methods that a business web page (PAGE) gives in the PARAMs of an OBJECT.</source>
        <translation>業務用の Web ページ (PAGE) が OBJECT の PARAM で渡す印刷メソッドの一覧を実行します。</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>コマンド:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Writes this help (vant COMMAND --help: the command's help)</source>
        <translation>この説明を書きます (vant COMMAND --help はコマンドの説明)</translation>
    </message>
    <message>
        <source>Writes the version</source>
        <translation>バージョンを書きます</translation>
    </message>
    <message>
        <source>Exit status: 0 no run stopped, 1 a run stopped or reading the properties failed, 2 a wrong command line, a page that cannot be read, no display.</source>
        <translation>終了ステータス: 0 どの実行も中断しなかった、1 実行が中断したかプロパティの読み込みに失敗した、2 使い方の誤り、読めないページ、画面がない。</translation>
    </message>
    <message>
        <source>A PAGE of - reads the page from standard input.</source>
        <translation>PAGE に - を指定すると標準入力からページを読みます。</translation>
    </message>
    <message>
        <source>One PAGE of - reads that page from standard input.</source>
        <translation>PAGE の 1 つに - を指定すると標準入力からそのページを読みます。</translation>
    </message>
    <message>
        <source>Writes this help.</source>
        <translation>この説明を書きます。</translation>
    </message>
    <message>
        <source>Vant3 for Linux, distributed under the MIT licence.</source>
        <translation>Vant3 for Linux — MIT ライセンスのもとで配布されています。</translation>
    </message>
    <message>
        <source>give a command</source>
        <translation>コマンドを指定してください</translation>
    </message>
    <message>
        <source>unknown command "%1"</source>
        <translation>不明なコマンド「%1」です</translation>
    </message>
    <message>
        <source>the option "%1" is given twice</source>
        <translation>オプション「%1」が 2 回あります</translation>
    </message>
    <message>
        <source>%1 takes one page (PAGE)</source>
        <translation>%1 にはページ (PAGE) を 1 つ指定してください</translation>
    </message>
    <message>
        <source>%1 takes no arguments ("%2")</source>
        <translation>%1 は引数を取りません (「%2」)</translation>
    </message>
    <message>
        <source>%1 takes one page (PAGE) or more</source>
        <translation>%1 にはページ (PAGE) を 1 つ以上指定してください</translation>
    </message>
    <message>
        <source>only one page can be read from standard input (-)</source>
        <translation>標準入力 (-) から読めるページは 1 つだけです</translation>
    </message>
    <message>
        <source>render needs -o OUT.png</source>
        <translation>render には -o OUT.png を指定してください</translation>
    </message>
</context>
<context>
    <name>vant host</name>
    <message>
        <source>standard input and output cannot be kept apart for the browser's messages</source>
        <translation>標準入出力をブラウザーとの通信用に切り分けられません</translation>
    </message>
    <message>
        <source>the download folder "%1" cannot be made</source>
        <translation>ダウンロードフォルダー「%1」を作れません</translation>
    </message>
    <message>
        <source>the browser closed the connection inside a message</source>
        <translation>ブラウザーとの接続がメッセージの途中で閉じられました</translation>
    </message>
    <message>
        <source>the answer cannot be written to the browser</source>
        <translation>ブラウザーに応答を書けません</translation>
    </message>
</context>
<context>
    <name>vant options</name>
    <message>
        <source>Makes this printer (a name as vant printers shows it) the current printer first.</source>
        <translation>このプリンター (vant printers が示す名前) を現在のプリンターにしてから実行します。</translation>
    </message>
    <message>
        <source>The OBJECT element whose id is ID is the control (default: the first OBJECT with a PARAM whose name begins with method and not with methodcnt).</source>
        <translation>id が ID の OBJECT 要素をコントロールとします (既定: 名前が method で始まり methodcnt で始まらない PARAM を持つ最初の OBJECT)。</translation>
    </message>
    <message>
        <source>Where the PDF file goes (default: the page's name with .pdf). - is standard output.</source>
        <translation>PDF ファイルの出力先です (既定: ページの名前に .pdf を付けたもの)。- は標準出力です。</translation>
    </message>
    <message>
        <source>The PNG file the picture of the page is written to.</source>
        <translation>ページの画像を書き込む PNG ファイルです。</translation>
    </message>
    <message>
        <source>The number of the page to show (default: 1).</source>
        <translation>表示するページの番号です (既定: 1)。</translation>
    </message>
    <message>
        <source>The zoom: auto, 300, 200, 150, 100 (default: auto).</source>
        <translation>倍率です: auto, 300, 200, 150, 100 (既定: auto)。</translation>
    </message>
    <message>
        <source>The size of the view in pixels (default: 1280x800).</source>
        <translation>表示領域の大きさ (ピクセル) です (既定: 1280x800)。</translation>
    </message>
    <message>
        <source>The screen's scale (device pixels per pixel, 1 to 4): the picture draws each pixel with R device pixels (default: 1).</source>
        <translation>画面の拡大率 (デバイスピクセル比、1 から 4) です。画像は 1 ピクセルを R 倍の画素で描きます (既定: 1)。</translation>
    </message>
    <message>
        <source>Writes the five fields of the status bar to standard output.</source>
        <translation>ステータスバーの 5 つの欄を標準出力に書きます。</translation>
    </message>
    <message>
        <source>The number of copies of the print server's job (1 to 9999, default: 1). A PDF file is one copy.</source>
        <translation>印刷サーバーに送るジョブの部数です (1 から 9999、既定: 1)。PDF ファイルは 1 部です。</translation>
    </message>
    <message>
        <source>The job's name and the PDF's title (default: the page's file name without its extension).</source>
        <translation>ジョブの名前と PDF の表題です (既定: ページのファイル名から拡張子を除いたもの)。</translation>
    </message>
    <message>
        <source>Uses the folders every user's browsers read instead of this user's.</source>
        <translation>利用者ごとではなく、すべての利用者のブラウザーが読むフォルダーを使います。</translation>
    </message>
    <message>
        <source>Puts the --system folders under DIR (an absolute path) instead of / (for packaging and tests).</source>
        <translation>--system のフォルダーを / ではなく DIR (絶対パス) の下に置きます (パッケージの作成とテスト用)。</translation>
    </message>
    <message>
        <source>Writes one line of JSON object for each page (the summary line to standard error).</source>
        <translation>ページごとに 1 行の JSON オブジェクトを書きます (要約の行は標準エラー出力へ)。</translation>
    </message>
    <message>
        <source>Writes only the printers' names, one a line, as --printer takes them.</source>
        <translation>プリンターの名前だけを、--printer が受け付けるとおりに 1 行に 1 つ書きます。</translation>
    </message>
    <message>
        <source>Writes the list as one line of JSON array.</source>
        <translation>一覧を 1 行の JSON 配列として書きます。</translation>
    </message>
</context>
<context>
    <name>vant page</name>
    <message>
        <source>The page "%1" declares %2 but is saved in UTF-8. Its text may be garbled (check the encoding it declares).</source>
        <translation>ページ「%1」は %2 と宣言していますが、UTF-8 で保存されています。文字化けしている可能性があります (文字コードの指定を確認してください)。</translation>
    </message>
    <message>
        <source>The page "%1" has %2 places that cannot be read as %3. Its text may be garbled (check the encoding it declares).</source>
        <translation>ページ「%1」の %2 箇所が %3 として読めません。文字化けしている可能性があります (文字コードの指定を確認してください)。</translation>
    </message>
</context>
<context>
    <name>vant print</name>
    <message>
        <source>the output "%1" cannot be written: %2</source>
        <translation>出力先「%1」に書き込めません: %2</translation>
    </message>
    <message>
        <source>name the PDF file of a page read from standard input with vant pdf -o</source>
        <translation>標準入力から読んだページの PDF ファイルは vant pdf -o で指定してください</translation>
    </message>
    <message>
        <source>the page's file name is not UTF-8: name the PDF file with vant pdf -o</source>
        <translation>ページのファイル名が UTF-8 ではありません: PDF ファイルを vant pdf -o で指定してください</translation>
    </message>
    <message>
        <source>the PDF file's path is not UTF-8 (give -o a UTF-8 path): %1</source>
        <translation>PDF ファイルのパスが UTF-8 ではありません (-o に UTF-8 のパスを指定してください): %1</translation>
    </message>
    <message>
        <source>the PDF file would be written over the page itself: %1</source>
        <translation>PDF ファイルがページ自身を上書きしてしまいます: %1</translation>
    </message>
    <message>
        <source>cannot reach the display: QT_QPA_PLATFORM=%1 shows no window on a screen</source>
        <translation>画面に接続できません: QT_QPA_PLATFORM=%1 はウィンドウを画面に表示しません</translation>
    </message>
    <message>
        <source>there is no printer named "%1" (vant printers lists them)</source>
        <translation>「%1」という名前のプリンターはありません (vant printers で一覧を表示します)</translation>
    </message>
    <message>
        <source>--copies %1 is the number of copies of a print server's job; the PDF file was written once.</source>
        <translation>--copies %1 は印刷サーバーのジョブの部数です。PDF ファイルは 1 部だけ書きました。</translation>
    </message>
</context>
<context>
    <name>vant printers</name>
    <message>
        <source>description</source>
        <translation>説明</translation>
    </message>
</context>
<context>
    <name>vant register</name>
    <message>
        <source>an argument %1 does not take: "%2"</source>
        <translation>%1 に使えない引数です: "%2"</translation>
    </message>
    <message>
        <source>--root goes with --system</source>
        <translation>--root は --system と一緒に指定してください</translation>
    </message>
    <message>
        <source>--root takes an absolute path</source>
        <translation>--root には絶対パスを指定してください</translation>
    </message>
    <message>
        <source>the environment variable HOME is not an absolute path</source>
        <translation>環境変数 HOME が絶対パスではありません</translation>
    </message>
    <message>
        <source>"%1": %2</source>
        <translation>「%1」: %2</translation>
    </message>
    <message>
        <source>the path of the running vant cannot be found: %1</source>
        <translation>実行中の vant のパスが分かりません: %1</translation>
    </message>
    <message>
        <source>%1 was not found (neither "%2" nor the command %3 is there): no host manifest written.</source>
        <translation>%1 が見つからないため (「%2」も %3 コマンドもありません)、ホスト定義を書きませんでした。</translation>
    </message>
    <message>
        <source>a symbolic link, written neither through nor instead</source>
        <translation>シンボリックリンクなので、その先にも代わりにも書きません</translation>
    </message>
    <message>
        <source>the host manifest "%2" for %1 cannot be written: %3</source>
        <translation>%1 用のホスト定義「%2」を書けません: %3</translation>
    </message>
    <message>
        <source>Wrote the host manifest "%2" for %1.</source>
        <translation>%1 用のホスト定義「%2」を書きました。</translation>
    </message>
    <message>
        <source>left "%1": vant register did not write it</source>
        <translation>「%1」は vant register が書いたものではないため残しました</translation>
    </message>
    <message>
        <source>"%1" cannot be removed: %2</source>
        <translation>「%1」を削除できません: %2</translation>
    </message>
    <message>
        <source>Removed the host manifest "%2" for %1.</source>
        <translation>%1 用のホスト定義「%2」を削除しました。</translation>
    </message>
    <message>
        <source>No host manifest to remove (none that vant register wrote in the folders of every user).</source>
        <translation>取り除くホスト定義はありません (すべての利用者のフォルダーに vant register が書いたものはありません)。</translation>
    </message>
    <message>
        <source>No host manifest to remove (none that vant register wrote in this user's folders).</source>
        <translation>取り除くホスト定義はありません (この利用者のフォルダーに vant register が書いたものはありません)。</translation>
    </message>
</context>
<context>
    <name>vant render</name>
    <message>
        <source>--page %1 is beyond the preview's %2 pages</source>
        <translation>--page %1 はプレビューのページ数 (%2 ページ) を超えています</translation>
    </message>
    <message>
        <source>page %1 could not be shown</source>
        <translation>ページ %1 を表示できませんでした</translation>
    </message>
    <message>
        <source>the PNG picture cannot be made</source>
        <translation>PNG 画像を作成できません</translation>
    </message>
    <message>
        <source>the PNG file "%1" cannot be written: %2</source>
        <translation>PNG ファイル「%1」を書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>vant verbs</name>
    <message>
        <source>Prints the page on the current printer</source>
        <translation>ページを現在のプリンターで印刷します</translation>
    </message>
    <message>
        <source>Reads the page as the control reads its properties and runs the method list on the current printer (the print server's default, else Vant3 PDF), as the print button does.</source>
        <translation>ページをコントロールがプロパティを読むように読み、印刷ボタンと同じく現在のプリンター (印刷サーバーの既定、なければ Vant3 PDF) でメソッドの一覧を実行します。</translation>
    </message>
    <message>
        <source>Makes the page a PDF file with Vant3 PDF</source>
        <translation>ページを Vant3 PDF で PDF ファイルにします</translation>
    </message>
    <message>
        <source>Does what print does with Vant3 PDF as the current printer. With more than one enddoc it writes NAME.pdf, NAME-2.pdf, …</source>
        <translation>print と同じことを Vant3 PDF を現在のプリンターにして行います。enddoc が複数あると NAME.pdf, NAME-2.pdf, … に書きます。</translation>
    </message>
    <message>
        <source>Checks pages without printing them</source>
        <translation>ページを印刷せずに確かめます</translation>
    </message>
    <message>
        <source>Reads each page as print does and runs it as it would print on the chosen printer (default: the current printer), but prints and writes nothing. Writes the control, the documents and pages that would print, the messages that would show, and warnings (marks off the sheet, fonts replaced, barcodes too narrow or too wide, text past the sheet's edge, encodings, PARAMs not read, JAN data printed with other digits than written, printers not found), then the line "N pages checked, F failed, W warnings". The exit status is 0 when no page stops, 1 when a page does.</source>
        <translation>各ページを print と同じく読み、選んだプリンター (既定: 現在のプリンター) での印刷と同じく実行しますが、何も印刷せず何も書きません。コントロール、印刷される文書とページ、表示されるメッセージ、警告 (用紙からはみ出す印、置き換わるフォント、細すぎる・広すぎるバーコード、用紙の端を越える文字列、文字コード、読まれない PARAM、書いたのと違う桁で印刷される JAN のデータ、見つからないプリンター) を書き、最後に "N pages checked, F failed, W warnings" の行を書きます。終了ステータスは、どのページも中断しなければ 0、中断するページがあれば 1 です。</translation>
    </message>
    <message>
        <source>Shows the control in a window</source>
        <translation>コントロールをウィンドウに表示します</translation>
    </message>
    <message>
        <source>Shows the control in a window as the page shows it (running it at once when Mode is 1, the print button and the print preview button).</source>
        <translation>ページが表示するとおりにコントロールをウィンドウに表示します (Mode が 1 なら自動実行、印刷ボタンと印刷プレビューボタン)。</translation>
    </message>
    <message>
        <source>Opens the print preview window</source>
        <translation>印刷プレビューのウィンドウを開きます</translation>
    </message>
    <message>
        <source>Opens the print preview window directly, as the print preview button does.</source>
        <translation>印刷プレビューボタンと同じく、印刷プレビューのウィンドウを直接開きます。</translation>
    </message>
    <message>
        <source>Makes a print preview page a PNG picture</source>
        <translation>印刷プレビューのページを PNG 画像にします</translation>
    </message>
    <message>
        <source>Does what the print preview window does without a screen and writes the picture of page N, shown at the given zoom and view, to a PNG file.</source>
        <translation>印刷プレビューのウィンドウが行うことを画面なしで行い、指定の倍率と表示領域で N ページ目を表示した画像を PNG ファイルに書きます。</translation>
    </message>
    <message>
        <source>Writes the method list read as JSON</source>
        <translation>読み込んだメソッドの一覧を JSON で書きます</translation>
    </message>
    <message>
        <source>Writes what reading the properties made (the method list, the print button, Mode) to standard output as one JSON object.</source>
        <translation>プロパティの読み込みが作ったもの (メソッドの一覧、印刷ボタン、Mode) を 1 つの JSON オブジェクトとして標準出力に書きます。</translation>
    </message>
    <message>
        <source>Writes the list of printers</source>
        <translation>プリンターの一覧を書きます</translation>
    </message>
    <message>
        <source>Writes the print server's printers in order, then Vant3 PDF; * marks the current printer. Under each printer, a line "← NAME" gives each name that reaches it (a name of the printer map, the printer's description).</source>
        <translation>印刷サーバーのプリンターを順に、最後に Vant3 PDF を書きます。* が現在のプリンターです。各プリンターの下に、そのプリンターに届く名前 (プリンターの対応表の名前、プリンターの説明) を「← 名前」の行で書きます。</translation>
    </message>
    <message>
        <source>Works as the browser extension's native host</source>
        <translation>ブラウザー拡張のネイティブホストとして働きます</translation>
    </message>
    <message>
        <source>Runs the page's control over standard input and output as the native messaging host the browser extension starts. The browser starts it with chrome-extension://ID/, or the manifest's path and the extension's id, as arguments.</source>
        <translation>ブラウザー拡張が起動するネイティブメッセージングのホストとして、標準入出力でページのコントロールを実行します。ブラウザーは chrome-extension://ID/ や マニフェストのパスと拡張の id を引数に起動します。</translation>
    </message>
    <message>
        <source>Registers the native host with the browsers</source>
        <translation>ブラウザーにネイティブホストを登録します</translation>
    </message>
    <message>
        <source>Writes the host manifests by which Chromium, Google Chrome, Microsoft Edge and Firefox start this vant as their native host (by default in this user's folders).</source>
        <translation>Chromium、Google Chrome、Microsoft Edge、Firefox がこの vant をネイティブホストとして起動できるよう、ホストのマニフェストを書きます (既定ではこの利用者のフォルダーに)。</translation>
    </message>
    <message>
        <source>Removes the native host's registration</source>
        <translation>ネイティブホストの登録を取り除きます</translation>
    </message>
    <message>
        <source>Removes the host manifests register wrote.</source>
        <translation>register が書いたホストのマニフェストを取り除きます。</translation>
    </message>
</context>
</TS>
