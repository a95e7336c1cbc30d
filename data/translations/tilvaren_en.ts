<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Accessibility</name>
    <message>
        <source>オン</source>
        <translation>on</translation>
    </message>
    <message>
        <source>オフ</source>
        <translation>off</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>例外発生 %1 引数=%2</source>
        <translation>Internal error in %1, argument=%2</translation>
    </message>
    <message>
        <source>行の項目が69ではなく%1です</source>
        <translation>the line has %1 fields instead of 69</translation>
    </message>
    <message>
        <source>フレームの高さが3、4、5、6のどれでもありません</source>
        <translation>the frame height is none of 3, 4, 5 and 6</translation>
    </message>
    <message>
        <source>セル%1が空です</source>
        <translation>cell %1 is empty</translation>
    </message>
    <message>
        <source>セル%1に知らないコードがあります</source>
        <translation>cell %1 holds an unknown code</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>UTF-16 で書かれているか、NUL 文字を含んでいます</source>
        <translation>written in UTF-16, or holding NUL characters</translation>
    </message>
    <message>
        <source>ディスクの空きがありません</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>アクセス権がありません</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>a read-only place</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>途中にフォルダーでないものがあります</source>
        <translation>something on the way is not a folder</translation>
    </message>
    <message>
        <source>入出力エラーが起きました</source>
        <translation>an input/output error occurred</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎるか、循環しています</source>
        <translation>too many symbolic links, or a loop of them</translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation>in use</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>メモリーが足りません</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>途中で取りやめました</source>
        <translation>given up on the way</translation>
    </message>
    <message>
        <source>システムのエラー番号 %1</source>
        <translation>system error number %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を読み込めません（%2）</source>
        <translation>Cannot read &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; に書き込めません（%2）</source>
        <translation>Cannot write to &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を作れません（%2）</source>
        <translation>Cannot create &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を保存する一時ファイルを同じフォルダーに作れません（%2）</source>
        <translation>Cannot create a temporary file beside &quot;%1&quot; to save it (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を置き換えられません（%2）</source>
        <translation>Cannot replace &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; に追記できません（%2）</source>
        <translation>Cannot append to &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>例外発生 手続き%1 FrameY=%2</source>
        <translation>Internal error in the procedure %1, FrameY=%2</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>ピース&quot;U&quot;調整(&amp;U)</source>
        <translation>&amp;U Adjustment</translation>
    </message>
    <message>
        <source>ピース&quot;U&quot;補正(&amp;U)</source>
        <translation>&amp;U Correction</translation>
    </message>
    <message>
        <source>ピース&quot; &quot;補正(&amp;U)</source>
        <translation>&quot; &quot; Correction(&amp;U)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>アンドゥ・ボタン(&amp;Z)</source>
        <translation>Undo Step(&amp;Z)</translation>
    </message>
    <message>
        <source>リドゥ・ボタン(&amp;Y)</source>
        <translation>Redo Step(&amp;Y)</translation>
    </message>
    <message>
        <source>アンドゥ・ピース</source>
        <translation>Undo Piece</translation>
    </message>
    <message>
        <source>リドゥ・ピース</source>
        <translation>Redo Piece</translation>
    </message>
    <message>
        <source>ターン(&amp;T)</source>
        <translation>&amp;Turn</translation>
    </message>
    <message>
        <source>ミラー(&amp;M)</source>
        <translation>&amp;Mirror</translation>
    </message>
    <message>
        <source>対称・合同形チェック(&amp;C)</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>リセット(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source> ピース・サポート(&amp;P)</source>
        <translation> &amp;Piece Support</translation>
    </message>
    <message>
        <source> メニューバー(&amp;N)</source>
        <translation> Me&amp;nu Bar</translation>
    </message>
    <message>
        <source> ステータスバー(&amp;B)</source>
        <translation> Status &amp;Bar</translation>
    </message>
    <message>
        <source> コレクション(&amp;C)</source>
        <translation> &amp;Collection</translation>
    </message>
    <message>
        <source> サイズ大(&amp;L)</source>
        <translation> &amp;Large Size</translation>
    </message>
    <message>
        <source> サイズ中(&amp;M)</source>
        <translation> &amp;Medium Size</translation>
    </message>
    <message>
        <source> サイズ小(&amp;S)</source>
        <translation> &amp;Small Size</translation>
    </message>
    <message>
        <source> フレーム(&amp;F)</source>
        <translation> &amp;Frame</translation>
    </message>
    <message>
        <source> オプション(&amp;O)</source>
        <translation> &amp;Options</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>キーワードで検索(&amp;K)</source>
        <translation>Search by &amp;Keyword</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Tilvaren</translation>
    </message>
    <message>
        <source>%1(&amp;%2)</source>
        <translation>%1 (&amp;%2)</translation>
    </message>
</context>
<context>
    <name>ProgramDir</name>
    <message>
        <source>ゲーム、解答の記録と設定を保存するフォルダーが決まりません。環境変数 HOME が設定されていないか、絶対パスではありません。</source>
        <translation>There is no folder to keep the game, the solution register and the settings in: the environment variable HOME is not set, or is not an absolute path.</translation>
    </message>
    <message>
        <source>プログラムのフォルダー「%1」には書き込めないため、これからはゲーム、解答の記録と設定を「%2」に保存します。</source>
        <translation>The program&apos;s folder &quot;%1&quot; cannot be written, so from now on the game, the solution register and the settings are kept in &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>これまでのファイル（%1）はそちらに写しました。元のファイルはそのまま残っています。</source>
        <translation>The files so far (%1) have been copied there. The original files are left as they were.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>写せなかったファイル: %1: %2</source>
        <translation>Not copied: %1: %2</translation>
    </message>
</context>
<context>
    <name>Wording</name>
    <message>
        <source>３×20</source>
        <translation>3×20</translation>
    </message>
    <message>
        <source>４×15</source>
        <translation>4×15</translation>
    </message>
    <message>
        <source>５×12</source>
        <translation>5×12</translation>
    </message>
    <message>
        <source>６×10</source>
        <translation>6×10</translation>
    </message>
    <message>
        <source>設定ファイルを保存できませんでした。
%1</source>
        <translation>The settings file could not be saved.
%1</translation>
    </message>
    <message>
        <source>フォルダー %1 がなくなっていたため作り直し、ゲームと設定をそこに保存しました。</source>
        <translation>The folder %1 was gone, so it was made again, and the game and the settings were saved there.</translation>
    </message>
    <message>
        <source>フォルダー %1 がなくなっていたため作り直し、ゲームをそこに保存しました。</source>
        <translation>The folder %1 was gone, so it was made again, and the game was saved there.</translation>
    </message>
    <message>
        <source>ゲームを %1 に保存できなかったため、ゲームと設定を %2 に保存しました。
%3</source>
        <translation>The game could not be saved in %1, so the game and the settings were saved in %2.
%3</translation>
    </message>
    <message>
        <source>ゲームを %1 に保存できなかったため、ゲームを %2 に保存しました。
%3</source>
        <translation>The game could not be saved in %1, so it was saved in %2.
%3</translation>
    </message>
    <message>
        <source>次に起動したときは、このゲームの続きから始まります。</source>
        <translation>The next start goes on with this game.</translation>
    </message>
    <message>
        <source>%1 にまた書き込めるようになっても、このゲームは自動では戻りません。
%2</source>
        <translation>Even once %1 can be written again, this game will not come back by itself.
%2</translation>
    </message>
    <message>
        <source>ゲームと設定を保存できませんでした。
%1</source>
        <translation>The game and the settings could not be saved.
%1</translation>
    </message>
    <message>
        <source>ゲームを保存できませんでした。
%1</source>
        <translation>The game could not be saved.
%1</translation>
    </message>
    <message>
        <source>%1 にも保存できませんでした。
%2</source>
        <translation>It could not be saved in %1 either.
%2</translation>
    </message>
    <message>
        <source>保存せずに終了しますか？</source>
        <translation>Quit without saving?</translation>
    </message>
    <message>
        <source>%1行 %2列</source>
        <translation>row %1, column %2</translation>
    </message>
    <message>
        <source>上 (N)</source>
        <translation>up (N)</translation>
    </message>
    <message>
        <source>下 (S)</source>
        <translation>down (S)</translation>
    </message>
    <message>
        <source>右 (E)</source>
        <translation>right (E)</translation>
    </message>
    <message>
        <source>左 (W)</source>
        <translation>left (W)</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>選択中</source>
        <translation>selected</translation>
    </message>
    <message>
        <source>使えない</source>
        <translation>unusable</translation>
    </message>
    <message>
        <source>ピース %1</source>
        <translation>piece %1</translation>
    </message>
    <message>
        <source>%1行 %2列 %3</source>
        <translation>Row %1, column %2, %3</translation>
    </message>
    <message>
        <source>盤上</source>
        <translation>on the board</translation>
    </message>
    <message>
        <source>置ける</source>
        <translation>possible</translation>
    </message>
    <message>
        <source>置けない</source>
        <translation>ruled out</translation>
    </message>
    <message>
        <source>ピース %1 %2</source>
        <translation>Piece %1 %2</translation>
    </message>
    <message>
        <source>フレーム %1</source>
        <translation>Frame %1</translation>
    </message>
    <message>
        <source>設定ファイルを読み込めませんでした。既定の設定で始めます。
%1</source>
        <translation>The settings file could not be read. The game starts with the default settings.
%1</translation>
    </message>
    <message>
        <source>設定ファイルを読み込めなかったため、この設定は保存されません。今回の終了までは有効です。</source>
        <translation>The settings file could not be read, so these settings are not saved. They last until the game ends.</translation>
    </message>
    <message>
        <source>保存されたゲーム &quot;%1&quot; を読み込めませんでした（%2）。新しいゲームを始めます。</source>
        <translation>The saved game &quot;%1&quot; could not be read (%2). A new game starts. </translation>
    </message>
    <message>
        <source>元のファイルは別の名前で残せませんでした。終了するときにゲームを保存すると、このファイルは置き換えられます。</source>
        <translation>The file could not be kept under another name: saving the game at the end will replace it.</translation>
    </message>
    <message>
        <source>元のファイルは &quot;%1&quot; として残してあります。</source>
        <translation>The file is kept as &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>前回ウィンドウを閉じたときに %1 に保存したファイル（%2）を、このフォルダー %3 に戻しました。</source>
        <translation>The files saved in %1 when the window was last closed (%2) have been taken back into this folder, %3.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>前回ウィンドウを閉じたときに %1 に保存した設定を、このフォルダー %2 に戻せませんでした。%1 のファイルはそのまま残っています。
%3</source>
        <translation>The settings saved in %1 when the window was last closed could not be taken back into this folder, %2. The files in %1 are left as they are.
%3</translation>
    </message>
    <message>
        <source>前回ウィンドウを閉じたときに %1 に保存したゲームを、このフォルダー %2 に戻せませんでした。%1 のファイルはそのまま残っています。
%3</source>
        <translation>The game saved in %1 when the window was last closed could not be taken back into this folder, %2. The files in %1 are left as they are.
%3</translation>
    </message>
    <message>
        <source>解答を &quot;%1&quot; に記録できませんでした。
%2</source>
        <translation>The solution could not be recorded in &quot;%1&quot;.
%2</translation>
    </message>
    <message>
        <source>挑戦は %1 の枠で始まります。いまのゲーム（%2）はやめて、挑戦を始めますか？</source>
        <translation>The challenge is played on the %1 frame. Give up the game in progress (%2) and start the challenge?</translation>
    </message>
    <message>
        <source>解答の記録 &quot;%1&quot; を読めなかったため、挑戦を用意できませんでした。
%2</source>
        <translation>The solution register &quot;%1&quot; could not be read, so no challenge could be prepared.
%2</translation>
    </message>
    <message numerus="yes">
        <source>%1 の枠の解は、%n 通りすべて見つけています。挑戦できる解は残っていません。</source>
        <translation>
            <numerusform>You have found the %n solution of the %1 frame. No solution is left for a challenge.</numerusform>
            <numerusform>You have found all %n solutions of the %1 frame. No solution is left for a challenge.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ここに入る置き方は %n 通りだけです</source>
        <translation>
            <numerusform>Only %n placement fits here</numerusform>
            <numerusform>Only %n placements fit here</numerusform>
        </translation>
    </message>
    <message>
        <source>ここに最も多く入るのは %1 です（完成形の %2%）</source>
        <translation>The piece that most often goes here is %1 (%2% of the completions)</translation>
    </message>
    <message numerus="yes">
        <source>%1 を印の 5 マスに置くと、完成まで あと %n 通り</source>
        <translation>
            <numerusform>Put %1 on the 5 marked cells: %n way left</numerusform>
            <numerusform>Put %1 on the 5 marked cells: %n ways left</numerusform>
        </translation>
    </message>
    <message>
        <source>選んでいるマスにピースを置いてください</source>
        <translation>Place a piece on the selected cells</translation>
    </message>
    <message>
        <source>選んでいるマスは、どの完成形にも使えません</source>
        <translation>No completion uses the selected cells</translation>
    </message>
    <message numerus="yes">
        <source>完成できません。%1 を取り除くと、完成まで あと %n 通りに戻ります</source>
        <translation>
            <numerusform>Cannot be finished. Take %1 away to have %n way left again</numerusform>
            <numerusform>Cannot be finished. Take %1 away to have %n ways left again</numerusform>
        </translation>
    </message>
    <message>
        <source>完成できません。まず %1 を取り除いてください</source>
        <translation>Cannot be finished. First take %1 away</translation>
    </message>
    <message>
        <source>この盤は完成できません</source>
        <translation>This board cannot be finished</translation>
    </message>
    <message>
        <source>完成しています。新しい解です</source>
        <translation>Finished. A new solution</translation>
    </message>
    <message>
        <source>完成しています。すでに見つけた解です</source>
        <translation>Finished. A solution found before</translation>
    </message>
    <message>
        <source>完成しています。解答の記録 &quot;%1&quot; を読めず、新しい解かはわかりません</source>
        <translation>Finished. The solution register &quot;%1&quot; cannot be read, so whether it is new is not known</translation>
    </message>
    <message>
        <source>この解は No. %1 です。
</source>
        <translation>This solution is No. %1.
</translation>
    </message>
    <message>
        <source>この解は新しい解です。回転・反転したものも含めて、これまでの記録にはありませんでした。
</source>
        <translation>It is a new solution: the register held it in no turn or mirror image.
</translation>
    </message>
    <message>
        <source>この解は、回転・反転したものも含めて、%1 にすでに見つけています。
</source>
        <translation>You first found this solution, or a turn or mirror image of it, on %1.
</translation>
    </message>
    <message>
        <source>この盤は、もうどうやっても完成できません。ピースをいくつか取り除いてみてください。
</source>
        <translation>This board can no longer be finished in any way. Try taking some pieces away.
</translation>
    </message>
    <message numerus="yes">
        <source>この盤を完成させる方法は、あと %n 通りあります</source>
        <translation>
            <numerusform>This board can still be finished in %n way</numerusform>
            <numerusform>This board can still be finished in %n ways</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>（回転・反転したものを別に数えると %n 通り）</source>
        <translation>
            <numerusform> (%n counting turns and mirror images apart)</numerusform>
            <numerusform> (%n counting turns and mirror images apart)</numerusform>
        </translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>どれもまだ記録にありません。</source>
        <translation> None of them is in the register yet.</translation>
    </message>
    <message numerus="yes">
        <source>そのうち %n 通りは、すでに記録にあります。</source>
        <translation>
            <numerusform> %n of them is in the register already.</numerusform>
            <numerusform> %n of them are in the register already.</numerusform>
        </translation>
    </message>
    <message>
        <source>解答の記録 &quot;%1&quot; を読めませんでした。</source>
        <translation>The solution register &quot;%1&quot; could not be read.</translation>
    </message>
    <message>
        <source>記録にある %1 の解は %2 通りのうち %3 通りです。</source>
        <translation>The register holds %3 of the %2 solutions of %1.</translation>
    </message>
    <message>
        <source>数えています…</source>
        <translation>Counting…</translation>
    </message>
    <message numerus="yes">
        <source>完成まで あと %n 通り</source>
        <translation>
            <numerusform>%n way left</numerusform>
            <numerusform>%n ways left</numerusform>
        </translation>
    </message>
    <message>
        <source>完成できません</source>
        <translation>Cannot be finished</translation>
    </message>
    <message>
        <source>完成しました</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>挑戦を用意しています…</source>
        <translation>Preparing a challenge…</translation>
    </message>
    <message>
        <source>残り %1 個のピースを置く挑戦です。完成形は %2 通りで、そのうち %3 通りはまだ見つけていない解です。</source>
        <translation>A challenge: place the %1 pieces left. Completions: %2, of which not found yet: %3.</translation>
    </message>
    <message>
        <source>やさしい</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>むずかしい</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>読み込んでいます…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>解の記録を読めませんでした。
%1</source>
        <translation>The solution register could not be read.
%1</translation>
    </message>
    <message>
        <source>見つけた解 %1 / %2</source>
        <translation>Solutions found: %1 / %2</translation>
    </message>
    <message numerus="yes">
        <source>仕上げた盤 %n 回</source>
        <translation>
            <numerusform>%n board finished</numerusform>
            <numerusform>%n boards finished</numerusform>
        </translation>
    </message>
    <message>
        <source>&#x3000;まだ見つけた解はありません</source>
        <translation>   No solution found yet</translation>
    </message>
    <message>
        <source>&#x3000;最初の発見 %1&#x3000;最新の発見 %2</source>
        <translation>   First found %1   Latest found %2</translation>
    </message>
    <message numerus="yes">
        <source>&#x3000;読めない行 %n</source>
        <translation>
            <numerusform>   Unreadable lines: %n</numerusform>
            <numerusform>   Unreadable lines: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>No. %1
%2</source>
        <translation>No. %1
%2</translation>
    </message>
    <message>
        <source>No. %1&#x3000;初めて見つけた日 %2&#x3000;見つけた回数 %3</source>
        <translation>No. %1, first found %2, times found %3</translation>
    </message>
    <message>
        <source>No. %1
初めて見つけた日 %2
最後に見つけた日 %3
見つけた回数 %4</source>
        <translation>No. %1
First found %2
Last found %3
Times found %4</translation>
    </message>
    <message>
        <source>U のカップの位置 %1
U の開き %2
カップの中のピース %3</source>
        <translation>U&apos;s cup at %1
U opens %2
Piece in the cup %3</translation>
    </message>
</context>
<context>
    <name>tilvaren::ChallengeDialog</name>
    <message>
        <source>挑戦</source>
        <translation>Challenge</translation>
    </message>
    <message>
        <source>難しさを選んでください。</source>
        <translation>Choose how hard it should be.</translation>
    </message>
    <message numerus="yes">
        <source>（残り %n 個）</source>
        <translation>
            <numerusform> (%n piece left)</numerusform>
            <numerusform> (%n pieces left)</numerusform>
        </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tilvaren::CollectionPageView</name>
    <message>
        <source>見つけた解の割合</source>
        <translation>Share of the solutions found</translation>
    </message>
    <message>
        <source>並べ方(&amp;S):</source>
        <translation>&amp;Sort by:</translation>
    </message>
    <message>
        <source>番号順</source>
        <translation>By number</translation>
    </message>
    <message>
        <source>見つけた順</source>
        <translation>In the order found</translation>
    </message>
    <message>
        <source>並べ方</source>
        <translation>Sort by</translation>
    </message>
    <message>
        <source>挑戦(&amp;T)</source>
        <translation>&amp;Try a Challenge</translation>
    </message>
    <message>
        <source>見つけた解</source>
        <translation>Solutions found</translation>
    </message>
    <message>
        <source>解を選ぶと、ここに大きく表示します。</source>
        <translation>Choose a solution to see it large here.</translation>
    </message>
</context>
<context>
    <name>tilvaren::HelpWindow</name>
    <message>
        <source> T i l v a r e n  ヘルプ</source>
        <translation> T i l v a r e n  Help</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>キーワードを入力</source>
        <translation>Type a keyword</translation>
    </message>
    <message>
        <source>ヘルプファイル &quot;%1&quot; が見つかりません。</source>
        <translation>The help file &quot;%1&quot; cannot be found.</translation>
    </message>
    <message>
        <source>ヘルプの項目が一つもありません。</source>
        <translation>The help file has no topics.</translation>
    </message>
    <message>
        <source>ヘルプファイル &quot;%1&quot; を読み込めませんでした。
%2</source>
        <translation>The help file &quot;%1&quot; could not be read.
%2</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（1 MB まで）。</source>
        <translation>The file is too large (1 MB at most).</translation>
    </message>
    <message>
        <source>ファイルがありません。</source>
        <translation>There is no such file.</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>キーワードを集めています…</source>
        <translation>Gathering the keywords…</translation>
    </message>
    <message>
        <source>&lt;p&gt;（この項目は長すぎるため、ここまでを表示しています。）&lt;/p&gt;</source>
        <translation>&lt;p&gt;(This topic is too long; it is shown up to here.)&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>tilvaren::PieceStrip</name>
    <message>
        <source>ピース・サポート</source>
        <translation>Piece Support</translation>
    </message>
    <message>
        <source>、%1 %2</source>
        <translation>, %1 %2</translation>
    </message>
    <message>
        <source>（ヒント）</source>
        <translation> (hint)</translation>
    </message>
</context>
<context>
    <name>tilvaren::SingleInstance</name>
    <message>
        <source>フォルダー %1 を開けません: %2</source>
        <translation>Cannot open the folder %1: %2</translation>
    </message>
    <message>
        <source>フォルダー %1 をロックできません: %2</source>
        <translation>Cannot lock the folder %1: %2</translation>
    </message>
    <message>
        <source>起動中のプログラムの連絡口を、ほかの利用者のプロセスが使っています。
そのプロセスが終わってから起動し直してください。</source>
        <translation>A process of another user holds the running game&apos;s channel.
Start the game again once that process has ended.</translation>
    </message>
    <message>
        <source>このフォルダーは、ほかに動いているプログラムが使っていますが、応答がありません。
そちらを終了してから起動し直してください。
%1</source>
        <translation>Another running copy of the game uses this folder but does not answer.
End it, then start the game again.
%1</translation>
    </message>
    <message>
        <source>ほかの起動からの知らせを受け取れません（%1）。
このまま遊べますが、もう一度起動してもこのウィンドウは前に出てきません。</source>
        <translation>This window cannot hear from later starts (%1).
You can play on, but starting the game again will not bring this window to the front.</translation>
    </message>
    <message>
        <source>ほかの利用者が連絡口を使っています</source>
        <translation>another user holds the channel</translation>
    </message>
</context>
<context>
    <name>tilvaren::Tmain</name>
    <message>
        <source>盤</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>英語の翻訳を読み込めませんでした。日本語で表示します。</source>
        <translation>The English translation could not be loaded. The game is shown in Japanese.</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>hint</translation>
    </message>
</context>
<context>
    <name>tilvaren::Toptions</name>
    <message>
        <source>小（18ピクセル）(&amp;S)</source>
        <translation>&amp;Small (18 pixels)</translation>
    </message>
    <message>
        <source>中（24ピクセル）(&amp;M)</source>
        <translation>&amp;Medium (24 pixels)</translation>
    </message>
    <message>
        <source>大（32ピクセル）(&amp;L)</source>
        <translation>&amp;Large (32 pixels)</translation>
    </message>
    <message>
        <source>３×20（   2通り）</source>
        <translation>3×20 (   2 ways)</translation>
    </message>
    <message>
        <source>４×15（ 368通り）</source>
        <translation>4×15 ( 368 ways)</translation>
    </message>
    <message>
        <source>５×12（1010通り）</source>
        <translation>5×12 (1010 ways)</translation>
    </message>
    <message>
        <source>６×10（2339通り） </source>
        <translation>6×10 (2339 ways) </translation>
    </message>
    <message>
        <source>フレームサイズ</source>
        <translation>Cell size</translation>
    </message>
    <message>
        <source>メニューバーを表示する(&amp;1)</source>
        <translation>Show the menu bar (&amp;1)</translation>
    </message>
    <message>
        <source>ステータスバーを表示する(&amp;2)</source>
        <translation>Show the status bar (&amp;2)</translation>
    </message>
    <message>
        <source>言語(&amp;G):</source>
        <translation>Lan&amp;guage:</translation>
    </message>
    <message>
        <source>環 境(&amp;E)</source>
        <translation>&amp;Environment</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>ペントミノ(&amp;P)</source>
        <translation>&amp;Pentomino</translation>
    </message>
    <message>
        <source>OK(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>CANCEL(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>tilvaren::Tversion</name>
    <message>
        <source>使用許諾（GPL-3.0-or-later）</source>
        <translation>Licence (GPL-3.0-or-later)</translation>
    </message>
    <message>
        <source>ヘルプの目次</source>
        <translation>Help contents</translation>
    </message>
</context>
</TS>
