<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Chip16x16EditClass</name>
    <message>
        <source>タイルNo:</source>
        <translation>Tile No:</translation>
    </message>
    <message>
        <source>16x16チップNo:</source>
        <translation>16x16 chip No:</translation>
    </message>
    <message>
        <source>このステージのチップ・BGバンクを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s chips and BG banks. Are you sure?</translation>
    </message>
    <message>
        <source>未使用タイル番号</source>
        <translation>Unused tile numbers</translation>
    </message>
    <message>
        <source>16x16チップに使用されてないタイル番号は</source>
        <translation>Tile numbers no 16x16 chip uses:</translation>
    </message>
    <message>
        <source>未使用16x16チップ番号</source>
        <translation>Unused 16x16 chip numbers</translation>
    </message>
    <message>
        <source>32x32チップに使用されてない16x16チップ番号は</source>
        <translation>16x16 chip numbers no 32x32 chip uses:</translation>
    </message>
    <message>
        <source>0x 背景</source>
        <translation>0x Background</translation>
    </message>
    <message>
        <source>1x ブロック</source>
        <translation>1x Block</translation>
    </message>
    <message>
        <source>2x はしご(途中)</source>
        <translation>2x Ladder (middle)</translation>
    </message>
    <message>
        <source>3x 特殊ブロック</source>
        <translation>3x Special block</translation>
    </message>
    <message>
        <source>4x はしご(頂点)</source>
        <translation>4x Ladder (top)</translation>
    </message>
    <message>
        <source>5x コンベア(右)</source>
        <translation>5x Conveyor (right)</translation>
    </message>
    <message>
        <source>6x 背景裏に隠れる</source>
        <translation>6x Behind background</translation>
    </message>
    <message>
        <source>7x コンベア(左)</source>
        <translation>7x Conveyor (left)</translation>
    </message>
    <message>
        <source>8x 水中</source>
        <translation>8x Water</translation>
    </message>
    <message>
        <source>9x ?</source>
        <translation>9x ?</translation>
    </message>
    <message>
        <source>Ax ?</source>
        <translation>Ax ?</translation>
    </message>
    <message>
        <source>Bx ?</source>
        <translation>Bx ?</translation>
    </message>
    <message>
        <source>Cx ?</source>
        <translation>Cx ?</translation>
    </message>
    <message>
        <source>Dx ダメージ床</source>
        <translation>Dx Damage floor</translation>
    </message>
    <message>
        <source>Ex ?</source>
        <translation>Ex ?</translation>
    </message>
    <message>
        <source>Fx トゲ</source>
        <translation>Fx Spikes</translation>
    </message>
    <message>
        <source>選択タイル</source>
        <translation>Selected tile</translation>
    </message>
    <message>
        <source>編集対象チップ</source>
        <translation>Edited chip</translation>
    </message>
    <message>
        <source>属性:</source>
        <translation>Attribute:</translation>
    </message>
    <message>
        <source>BGバンク</source>
        <translation>BG bank</translation>
    </message>
    <message>
        <source>チップ属性</source>
        <translation>Chip attribute</translation>
    </message>
    <message>
        <source>使用パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>未使用タイル番号表示</source>
        <translation>Show unused tiles</translation>
    </message>
    <message>
        <source>未使用チップ番号表示</source>
        <translation>Show unused chips</translation>
    </message>
</context>
<context>
    <name>Chip32x32EditClass</name>
    <message>
        <source>32x32チップNo:</source>
        <translation>32x32 chip No:</translation>
    </message>
    <message>
        <source>16x16チップNo:</source>
        <translation>16x16 chip No:</translation>
    </message>
    <message>
        <source>このステージの32x32チップデータを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s 32x32 chip data. Are you sure?</translation>
    </message>
    <message>
        <source>未使用32x32チップ番号</source>
        <translation>Unused 32x32 chip numbers</translation>
    </message>
    <message>
        <source>マップセットに使用されてない32x32チップ番号は</source>
        <translation>32x32 chip numbers no map set uses:</translation>
    </message>
    <message>
        <source>重複チップの置換</source>
        <translation>Replace duplicate chips</translation>
    </message>
    <message>
        <source>重複定義されている32x32チップ番号は</source>
        <translation>32x32 chip numbers defined more than once:</translation>
    </message>
    <message>
        <source>表示切替</source>
        <translation>Chips shown</translation>
    </message>
    <message>
        <source>編集対象チップ</source>
        <translation>Edited chip</translation>
    </message>
    <message>
        <source>  構成チップNo:</source>
        <translation>  16x16 chips:</translation>
    </message>
    <message>
        <source>構成チップ属性:</source>
        <translation>16x16 chip attributes:</translation>
    </message>
    <message>
        <source>選択チップ</source>
        <translation>Selected chip</translation>
    </message>
    <message>
        <source>属性:</source>
        <translation>Attribute:</translation>
    </message>
    <message>
        <source>グリッド線の描画</source>
        <translation>Draw grid lines</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>未使用チップ番号表示</source>
        <translation>Show unused chips</translation>
    </message>
    <message>
        <source>重複チップ番号表示</source>
        <translation>Show duplicate chips</translation>
    </message>
</context>
<context>
    <name>ChrTiles</name>
    <message>
        <source>タイルの読み込み</source>
        <translation>Tile import</translation>
    </message>
    <message>
        <source>タイルの編集</source>
        <translation>Tile edit</translation>
    </message>
</context>
<context>
    <name>EditCategory</name>
    <message>
        <source>16x16チップの編集</source>
        <translation>16x16 chip edit</translation>
    </message>
    <message>
        <source>16x16チップの編集(属性・パレット)</source>
        <translation>16x16 chip edit (attribute, palette)</translation>
    </message>
    <message>
        <source>16x16チップの編集(貼り付け)</source>
        <translation>16x16 chip edit (paste)</translation>
    </message>
    <message>
        <source>BGバンクの変更</source>
        <translation>BG bank change</translation>
    </message>
    <message>
        <source>32x32チップの編集</source>
        <translation>32x32 chip edit</translation>
    </message>
    <message>
        <source>32x32チップの編集(貼り付け)</source>
        <translation>32x32 chip edit (paste)</translation>
    </message>
    <message>
        <source>マップセットの編集</source>
        <translation>Map set edit</translation>
    </message>
    <message>
        <source>マップセットの編集(貼り付け)</source>
        <translation>Map set edit (paste)</translation>
    </message>
    <message>
        <source>マップセットの編集(グリッド編集)</source>
        <translation>Map set edit (grid)</translation>
    </message>
    <message>
        <source>マップの編集</source>
        <translation>Map edit</translation>
    </message>
    <message>
        <source>パレットの編集</source>
        <translation>Palette edit</translation>
    </message>
    <message>
        <source>パレットアニメの編集</source>
        <translation>Palette animation edit</translation>
    </message>
    <message>
        <source>オブジェクトの編集</source>
        <translation>Object edit</translation>
    </message>
    <message>
        <source>不明な編集</source>
        <translation>Unknown edit</translation>
    </message>
</context>
<context>
    <name>EditFlagManagement</name>
    <message>
        <source>変更あり</source>
        <translation>Modified</translation>
    </message>
</context>
<context>
    <name>FcPaletteData</name>
    <message>
        <source>%1が読み込めませんでした</source>
        <translation>Could not read %1</translation>
    </message>
    <message>
        <source>%1のサイズが不正です</source>
        <translation>%1 has the wrong size</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ディスクの使用量の上限を超えます。</source>
        <translation>The disk quota would be exceeded.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーが見つかりません。</source>
        <translation>No such file or folder.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダーではないものがあります。</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダーです。</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>ディスクの読み書きでエラーが発生しました。</source>
        <translation>An input/output error occurred on the disk.</translation>
    </message>
    <message>
        <source>シンボリックリンクの参照が多すぎるか、循環しています。</source>
        <translation>Too many symbolic links, or links in a loop.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>ファイルが使用中です。</source>
        <translation>The file is in use.</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます。</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>メモリが足りません。</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>システムエラー: %1</source>
        <translation>System error: %1</translation>
    </message>
    <message>
        <source>システムエラー番号 %1</source>
        <translation>System error number %1</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>%1を保存できませんでした。</source>
        <translation>Could not save %1.</translation>
    </message>
    <message>
        <source>%1を開けませんでした。</source>
        <translation>Could not open %1.</translation>
    </message>
    <message>
        <source>%1を読み込めませんでした。</source>
        <translation>Could not read %1.</translation>
    </message>
    <message>
        <source>ファイルは変更していません。</source>
        <translation>The file has not been changed.</translation>
    </message>
    <message>
        <source>保存前の内容の控えを作れなかったため、ファイルは変更していません。</source>
        <translation>No copy of its previous content could be made, so the file has not been changed.</translation>
    </message>
    <message>
        <source>ファイルは保存前の内容に戻しました。</source>
        <translation>The file has been restored to its previous content.</translation>
    </message>
    <message>
        <source>保存前の内容は%1に残してあります。</source>
        <translation>Its previous content has been kept in %1.</translation>
    </message>
</context>
<context>
    <name>InterfaceLanguage</name>
    <message>
        <source>日本語</source>
        <extracomment>The name of this translation&apos;s language, written in that language.</extracomment>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>MapEditClass</name>
    <message>
        <source>このステージのマップデータを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s map data. Are you sure?</translation>
    </message>
    <message>
        <source>マップ編集</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>編集部屋番号:</source>
        <translation>Rooms:</translation>
    </message>
    <message>
        <source>マップセット番号:</source>
        <translation>Map set:</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
</context>
<context>
    <name>MapSetEditClass</name>
    <message>
        <source>32x32チップNo:</source>
        <translation>32x32 chip No:</translation>
    </message>
    <message>
        <source>このステージのマップセットデータを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s map set data. Are you sure?</translation>
    </message>
    <message>
        <source>表示ページ</source>
        <translation>Map sets shown</translation>
    </message>
    <message>
        <source>選択チップ</source>
        <translation>Selected chip</translation>
    </message>
    <message>
        <source>構成チップNo:</source>
        <translation>16x16 chips:</translation>
    </message>
    <message>
        <source>構成チップ属性:</source>
        <translation>16x16 chip attributes:</translation>
    </message>
    <message>
        <source>グリッド線の描画</source>
        <translation>Draw grid lines</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>重複チップを置換</source>
        <translation>Replace duplicates</translation>
    </message>
</context>
<context>
    <name>ObjectEditClass</name>
    <message>
        <source>オブジェクトの総数を越えるため、オブジェクトを作成できませんでした</source>
        <translation>Could not create the object: the stage would have more objects than it can hold</translation>
    </message>
    <message>
        <source>設置番号:</source>
        <translation>Index:</translation>
    </message>
    <message>
        <source>X座標:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y座標:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>種類:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>オブジェクトを貼り付け</source>
        <translation>Paste object</translation>
    </message>
    <message>
        <source>オブジェクト(%1)を貼り付け</source>
        <translation>Paste object (%1)</translation>
    </message>
    <message>
        <source>このステージのオブジェクトデータを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s object data. Are you sure?</translation>
    </message>
    <message>
        <source>表示オブジェクト</source>
        <translation>Objects shown</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;表示部屋番号:</source>
        <translation>Rooms shown:</translation>
    </message>
    <message>
        <source>オブジェクトの数:</source>
        <translation>Objects:</translation>
    </message>
    <message>
        <source>オブジェクト総数:</source>
        <translation>Stage total:</translation>
    </message>
    <message>
        <source>編集対象オブジェクト</source>
        <translation>Edited object</translation>
    </message>
    <message>
        <source>部屋番号:</source>
        <translation>Room:</translation>
    </message>
    <message>
        <source>   X座標:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>   Y座標:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;種類:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>オブジェクトの新規作成</source>
        <translation>New object</translation>
    </message>
    <message>
        <source>このオブジェクトをコピー</source>
        <translation>Copy this object</translation>
    </message>
    <message>
        <source>このオブジェクトを切り取り</source>
        <translation>Cut this object</translation>
    </message>
    <message>
        <source>このオブジェクトを削除</source>
        <translation>Delete this object</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>オブジェクトを自動で並び替える</source>
        <translation>Sort objects automatically</translation>
    </message>
    <message>
        <source>ポップアップでオブジェクト情報を表示</source>
        <translation>Show object info in a pop-up</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
</context>
<context>
    <name>OutsideChanges</name>
    <message>
        <source>%1は、このエディタで開いた後または保存した後に、他のプログラムで変更されています。

両方を残す: 今のファイルに、このエディタで変更した表だけを書き込みます。それ以外のバイトは他のプログラムが残したままです。
名前を付けて保存: 別のファイルに保存します。
キャンセル: 何も保存しません。</source>
        <translation>%1 has been changed by another program since it was opened or last saved here.

Keep both: write only the tables changed in this editor into the file as it is now. Every other byte stays as the other program left it.
Save as: save to another file.
Cancel: save nothing.</translation>
    </message>
    <message>
        <source>%1は他のプログラムで変更されました。読み込み直しますか？</source>
        <translation>%1 has been changed by another program. Read it again?</translation>
    </message>
</context>
<context>
    <name>PaletteEditClass</name>
    <message>
        <source>このステージのパレットを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s palettes. Are you sure?</translation>
    </message>
    <message>
        <source>このステージのアニメーションパレットを読み込み直します。よろしいですか？</source>
        <translation>Reload this stage&apos;s animation palettes. Are you sure?</translation>
    </message>
    <message>
        <source>パレット編集</source>
        <translation>Palettes</translation>
    </message>
    <message>
        <source>定義%1</source>
        <translation>Set %1</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>カラーテーブル</source>
        <translation>Colour table</translation>
    </message>
    <message>
        <source>選択カラー</source>
        <translation>Selected colour</translation>
    </message>
    <message>
        <source>パレットアニメーション選択</source>
        <translation>Palette animation</translation>
    </message>
</context>
<context>
    <name>QtUserPrompt</name>
    <message>
        <source>QUARTEX3 ROMイメージ (*.nes)</source>
        <translation>QUARTEX3 ROM image (*.nes)</translation>
    </message>
    <message>
        <source>すべてのファイル (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>両方を残す</source>
        <translation>Keep both</translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>使うプログラムを選んでください。</source>
        <translation>Choose the program to use.</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>%1が見つかりませんでした。最近使ったファイルの一覧から外します。</source>
        <translation>%1 was not found. It is taken off the recent files list.</translation>
    </message>
</context>
<context>
    <name>RomImageData</name>
    <message>
        <source>ファイルを開けませんでした</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>ROMイメージが異常です</source>
        <translation>The ROM image is invalid</translation>
    </message>
    <message>
        <source>0x 背景</source>
        <translation>0x Background</translation>
    </message>
    <message>
        <source>1x ブロック</source>
        <translation>1x Block</translation>
    </message>
    <message>
        <source>2x はしご(途中)</source>
        <translation>2x Ladder (middle)</translation>
    </message>
    <message>
        <source>3x 特殊ブロック</source>
        <translation>3x Special block</translation>
    </message>
    <message>
        <source>4x はしご(頂点)</source>
        <translation>4x Ladder (top)</translation>
    </message>
    <message>
        <source>5x コンベア(右)</source>
        <translation>5x Conveyor (right)</translation>
    </message>
    <message>
        <source>6x 前景</source>
        <translation>6x Foreground</translation>
    </message>
    <message>
        <source>7x コンベア(左)</source>
        <translation>7x Conveyor (left)</translation>
    </message>
    <message>
        <source>8x 水中</source>
        <translation>8x Water</translation>
    </message>
    <message>
        <source>9x ?</source>
        <translation>9x ?</translation>
    </message>
    <message>
        <source>Ax ?</source>
        <translation>Ax ?</translation>
    </message>
    <message>
        <source>Bx ?</source>
        <translation>Bx ?</translation>
    </message>
    <message>
        <source>Cx ?</source>
        <translation>Cx ?</translation>
    </message>
    <message>
        <source>Dx ダメージ床</source>
        <translation>Dx Damage floor</translation>
    </message>
    <message>
        <source>Ex ?</source>
        <translation>Ex ?</translation>
    </message>
    <message>
        <source>Fxトゲ</source>
        <translation>Fx Spikes</translation>
    </message>
    <message>
        <source>ステージ %1: </source>
        <translation>Stage %1: </translation>
    </message>
    <message>
        <source>次の表はROMイメージの範囲外にあるため、0として読み込みました。編集しても保存できません。</source>
        <translation>These tables lie outside the ROM image and were read as zeros. Edits to them cannot be saved.</translation>
    </message>
    <message>
        <source>次の表はROMイメージの範囲外にあるため、編集後のイメージを作れませんでした。</source>
        <translation>These tables lie outside the ROM image, so the edited image could not be made.</translation>
    </message>
    <message>
        <source>次の表はROMイメージの範囲外にあるため、保存できませんでした。</source>
        <translation>These tables lie outside the ROM image, so the image could not be saved.</translation>
    </message>
    <message>
        <source>は大きさが変わっているため、両方の変更を残して保存できませんでした。</source>
        <translation> has changed its size: could not save keeping both changes.</translation>
    </message>
    <message>
        <source>次の表は他のプログラムでも変更されていたため、このエディタの内容で上書きしました。</source>
        <translation>The following tables had been changed by the other program too and were overwritten with this editor&apos;s contents.</translation>
    </message>
    <message>
        <source>CHRデータのタイル %1個</source>
        <translation>%1 tiles of the CHR data</translation>
    </message>
</context>
<context>
    <name>StageData</name>
    <message>
        <source>%1 (ステージ %2)</source>
        <translation>%1 (stage %2)</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Qtについて</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>このプログラムはMITライセンスの下で配布されています。</source>
        <translation>This program is distributed under the MIT licence.</translation>
    </message>
    <message>
        <source>%1 バージョン %2</source>
        <translation>%1 version %2</translation>
    </message>
</context>
<context>
    <name>TFileExportCommands</name>
    <message>
        <source>画像として保存(&amp;I)…</source>
        <translation>Save as &amp;image…</translation>
    </message>
    <message>
        <source>画像として保存</source>
        <translation>Save as image</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
</context>
<context>
    <name>TGuideForm</name>
    <message>
        <source>使い方</source>
        <translation>User&apos;s guide</translation>
    </message>
</context>
<context>
    <name>THelpMenu</name>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使い方(&amp;G)</source>
        <translation>User&apos;s &amp;guide</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>00 はじまりの草原</source>
        <translation>00 Meadow of Beginnings</translation>
    </message>
    <message>
        <source>01 風の吹く丘</source>
        <translation>01 Windswept Hill</translation>
    </message>
    <message>
        <source>02 水晶の洞窟</source>
        <translation>02 Crystal Cave</translation>
    </message>
    <message>
        <source>03 霧の湿地</source>
        <translation>03 Misty Marsh</translation>
    </message>
    <message>
        <source>04 苔むした石段</source>
        <translation>04 Mossy Steps</translation>
    </message>
    <message>
        <source>05 砂の回廊</source>
        <translation>05 Sand Corridor</translation>
    </message>
    <message>
        <source>06 氷の滝</source>
        <translation>06 Frozen Falls</translation>
    </message>
    <message>
        <source>07 歯車の工房</source>
        <translation>07 Gear Workshop</translation>
    </message>
    <message>
        <source>08 月夜の森</source>
        <translation>08 Moonlit Forest</translation>
    </message>
    <message>
        <source>09 溶岩の坑道</source>
        <translation>09 Lava Tunnels</translation>
    </message>
    <message>
        <source>0A 雲の架け橋</source>
        <translation>0A Cloud Bridge</translation>
    </message>
    <message>
        <source>0B 沈んだ庭園</source>
        <translation>0B Sunken Garden</translation>
    </message>
    <message>
        <source>0C 鏡の迷路</source>
        <translation>0C Mirror Maze</translation>
    </message>
    <message>
        <source>0D 嵐の岬</source>
        <translation>0D Stormy Cape</translation>
    </message>
    <message>
        <source>0E 星見の塔</source>
        <translation>0E Stargazing Tower</translation>
    </message>
    <message>
        <source>0F 地下水路</source>
        <translation>0F Underground Canal</translation>
    </message>
    <message>
        <source>10 夜明けの峠</source>
        <translation>10 Dawn Pass</translation>
    </message>
    <message>
        <source>11 雲上の砦</source>
        <translation>11 Fort above the Clouds</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
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
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>%1を読み込めませんでした。</source>
        <translation>Could not read %1.</translation>
    </message>
    <message>
        <source>%1への変更を保存しますか？</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>マップ</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>マップセット</source>
        <translation>Map sets</translation>
    </message>
    <message>
        <source>32x32チップ</source>
        <translation>32x32 chips</translation>
    </message>
    <message>
        <source>16x16チップ</source>
        <translation>16x16 chips</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palettes</translation>
    </message>
    <message>
        <source>オブジェクト</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>タイル</source>
        <translation>Tiles</translation>
    </message>
</context>
<context>
    <name>TMapSetEditGridForm</name>
    <message>
        <source>マップセットの編集</source>
        <translation>Edit map set</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>クリップボードにコピー</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>クリップボードから貼り付け</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>選択範囲を初期化</source>
        <translation>Fill selection</translation>
    </message>
    <message>
        <source>マップセット(番号%1)の編集</source>
        <translation>Edit map set %1</translation>
    </message>
    <message>
        <source>選択範囲の初期化</source>
        <translation>Fill selection</translation>
    </message>
    <message>
        <source>初期化に使用する値を入力して下さい(00～FF)</source>
        <translation>Enter the value to fill with (00-FF)</translation>
    </message>
</context>
<context>
    <name>TObjectEditForm</name>
    <message>
        <source>部屋番号%1のオブジェクトの編集</source>
        <translation>Objects of room %1</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&quot;X座標 Y座標 種類&quot;を1列に記述して下さい</source>
        <translation>One object a line: &quot;X Y Kind&quot;</translation>
    </message>
</context>
<context>
    <name>TSettingsCommand</name>
    <message>
        <source>設定(&amp;S)...</source>
        <translation>&amp;Settings...</translation>
    </message>
</context>
<context>
    <name>TSettingsForm</name>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>テスト用のエミュレータ</source>
        <translation>Emulator for test play</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>試す</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>コマンド（%f はイメージのパス）:</source>
        <translation>Command (%f is the image&apos;s path):</translation>
    </message>
    <message>
        <source>見つかったエミュレータ:</source>
        <translation>Emulators found:</translation>
    </message>
    <message>
        <source>表示と編集</source>
        <translation>Display and editing</translation>
    </message>
    <message>
        <source> ミリ秒</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>編集を元に戻せるように記録する</source>
        <translation>Record edits for undo</translation>
    </message>
    <message>
        <source>オブジェクトを自動で並び替える</source>
        <translation>Sort objects automatically</translation>
    </message>
    <message>
        <source>ポップアップでオブジェクト情報を表示</source>
        <translation>Show object info in a pop-up</translation>
    </message>
    <message>
        <source>32x32チップのグリッド線の描画</source>
        <translation>Draw grid lines on 32x32 chips</translation>
    </message>
    <message>
        <source>マップセットのグリッド線の描画</source>
        <translation>Draw grid lines on map sets</translation>
    </message>
    <message>
        <source>パレットアニメーションの間隔:</source>
        <translation>Palette animation interval:</translation>
    </message>
    <message>
        <source>言語（次回の起動から）:</source>
        <translation>Language (from the next start):</translation>
    </message>
    <message>
        <source>エミュレータの選択</source>
        <translation>Choose the emulator</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>TPatchCommands</name>
    <message>
        <source>パッチを作成(&amp;P)…</source>
        <translation>Create &amp;patch…</translation>
    </message>
    <message>
        <source>パッチを当てて開く(&amp;A)...</source>
        <translation>&amp;Apply patch and open...</translation>
    </message>
    <message>
        <source>%1 は開いているROMイメージと大きさが違うため、元のイメージにできません（%2 バイト、開いているイメージは %3 バイト）</source>
        <translation>%1 cannot be the original: its size differs from the open ROM image (%2 bytes, the open image has %3 bytes)</translation>
    </message>
    <message>
        <source>元のROMイメージ</source>
        <translation>Original ROM image</translation>
    </message>
    <message>
        <source>ROMイメージ (*.nes);;すべてのファイル (*)</source>
        <translation>ROM image (*.nes);;All files (*)</translation>
    </message>
    <message>
        <source>%1 は編集後のイメージと同じ内容です。パッチが空になるため、作成しませんでした。</source>
        <translation>%1 holds the same bytes as the edited image. The patch would be empty, so none was created.</translation>
    </message>
    <message>
        <source>パッチを作成</source>
        <translation>Create patch</translation>
    </message>
    <message>
        <source>BPSパッチ (*.bps);;IPSパッチ (*.ips)</source>
        <translation>BPS patch (*.bps);;IPS patch (*.ips)</translation>
    </message>
    <message>
        <source>%1から%2パッチを作成できませんでした</source>
        <translation>Could not create a %2 patch from %1</translation>
    </message>
    <message>
        <source>%1パッチを作成しました（%2 バイト、元のイメージのCRC32 %3）</source>
        <translation>%1 patch created (%2 bytes, CRC32 of the original image %3)</translation>
    </message>
    <message>
        <source>当てるパッチ</source>
        <translation>Patch to apply</translation>
    </message>
    <message>
        <source>パッチ (*.bps *.ips);;すべてのファイル (*)</source>
        <translation>Patch (*.bps *.ips);;All files (*)</translation>
    </message>
    <message>
        <source>%1 はパッチとしては大きすぎます</source>
        <translation>%1 is too large for a patch</translation>
    </message>
    <message>
        <source>%1 はIPSパッチでもBPSパッチでもありません</source>
        <translation>%1 is neither an IPS nor a BPS patch</translation>
    </message>
    <message>
        <source>パッチを当てる元のROMイメージ</source>
        <translation>Original ROM image to patch</translation>
    </message>
    <message>
        <source>%1 はROMイメージとしては大きすぎます</source>
        <translation>%1 is too large for a ROM image</translation>
    </message>
    <message>
        <source>%1 はこのパッチの元のROMイメージではありません。
パッチが求める元のイメージのCRC32: %2
%1 のCRC32: %3</source>
        <translation>%1 is not the original ROM image of this patch.
CRC32 of the original the patch expects: %2
CRC32 of %1: %3</translation>
    </message>
    <message>
        <source>%1 は壊れているため、%2 に当てられませんでした</source>
        <translation>%1 is damaged and could not be applied to %2</translation>
    </message>
    <message>
        <source>%1 + %2（未保存）</source>
        <translation>%1 + %2 (unsaved)</translation>
    </message>
</context>
<context>
    <name>TShowUnusedChipNumForm</name>
    <message>
        <source>未使用チップ番号</source>
        <translation>Unused chip numbers</translation>
    </message>
    <message>
        <source>未使用チップ番号は</source>
        <translation>Unused chip numbers:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>置換対象チップはありません。</source>
        <translation>There are no chips to replace.</translation>
    </message>
    <message>
        <source>マップセット内のチップ番号を以下のように置換します</source>
        <translation>The chip numbers in the map sets will be replaced as follows</translation>
    </message>
    <message numerus="yes">
        <source>%n個のチップを置換しました</source>
        <translation>
            <numerusform>Replaced %n chip</numerusform>
            <numerusform>Replaced %n chips</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TStageOverviewCommand</name>
    <message>
        <source>ステージ全体図(&amp;O)</source>
        <translation>Stage &amp;overview</translation>
    </message>
</context>
<context>
    <name>TStageOverviewForm</name>
    <message>
        <source>ステージ全体図</source>
        <translation>Stage overview</translation>
    </message>
    <message>
        <source>オブジェクト</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>部屋番号</source>
        <translation>Room numbers</translation>
    </message>
    <message>
        <source>1行の部屋数</source>
        <translation>Rooms per row</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>PNG として保存</source>
        <translation>Save as PNG</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
</context>
<context>
    <name>TViewMenu</name>
    <message>
        <source>表示言語は次回の起動時から切り替わります。</source>
        <translation>The interface language changes at the next start.</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
</context>
<context>
    <name>TestPlay</name>
    <message>
        <source>テスト(&amp;T)</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>エミュレータで実行(&amp;P)</source>
        <translation>&amp;Run in emulator</translation>
    </message>
    <message>
        <source>エミュレータの選択</source>
        <translation>Choose the emulator</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>%1を実行できませんでした。</source>
        <translation>Could not run %1.</translation>
    </message>
    <message>
        <source>設定を開いてエミュレータを選び直しますか？</source>
        <translation>Open the settings to choose another emulator?</translation>
    </message>
    <message>
        <source>コマンドにプログラムがありません。</source>
        <translation>The command names no program.</translation>
    </message>
    <message>
        <source>%1が見つかりません。</source>
        <translation>%1 was not found.</translation>
    </message>
    <message>
        <source>%1は実行できるファイルではありません。</source>
        <translation>%1 is not an executable file.</translation>
    </message>
    <message>
        <source>%1の起動に失敗しました。</source>
        <translation>%1 failed to start.</translation>
    </message>
</context>
<context>
    <name>TileEditClass</name>
    <message>
        <source>このタイルを使うチップはありません</source>
        <translation>No chip uses this tile</translation>
    </message>
    <message>
        <source>16x16チップ %1</source>
        <translation>16x16 chip %1</translation>
    </message>
    <message>
        <source>タイル %1  バンク %2  CHRデータの範囲外</source>
        <translation>Tile %1  bank %2  outside the CHR data</translation>
    </message>
    <message>
        <source>タイル %1  バンク %2  ファイル位置 %3</source>
        <translation>Tile %1  bank %2  file offset %3</translation>
    </message>
    <message>
        <source>このタイルを表示するステージ: %1</source>
        <translation>Stages showing this tile: %1</translation>
    </message>
    <message>
        <source>このタイルはステージ %1 でも表示されます。タイルの変更はそれらのステージにも表れます。</source>
        <translation>Stages %1 show this tile too. Changing the tile changes them as well.</translation>
    </message>
    <message>
        <source>クリップボードにタイルがありません</source>
        <translation>The clipboard holds no tile</translation>
    </message>
    <message>
        <source>バンク %1 のタイルはCHRデータの範囲外です</source>
        <translation>The tiles of bank %1 lie outside the CHR data</translation>
    </message>
    <message>
        <source>タイルをPNGに書き出す</source>
        <translation>Export tiles as PNG</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>タイルをPNGから読み込む</source>
        <translation>Import tiles from PNG</translation>
    </message>
    <message>
        <source>%1を読み込めませんでした: %2</source>
        <translation>Could not import %1: %2</translation>
    </message>
    <message>
        <source>このROMイメージのタイルを読み込み直します。よろしいですか？</source>
        <translation>Reload the tiles of this ROM image. Are you sure?</translation>
    </message>
    <message>
        <source>使用パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>左右反転</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>上下反転</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <source>右に90°回転</source>
        <translation>Rotate 90° right</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>PNG書き出し</source>
        <translation>Export PNG</translation>
    </message>
    <message>
        <source>PNG読み込み</source>
        <translation>Import PNG</translation>
    </message>
    <message>
        <source>このROMイメージにはCHRデータがないため、タイルは編集できません(ヘッダのバイト5が0)</source>
        <translation>This ROM image has no CHR data, so there are no tiles to edit (header byte 5 is 0)</translation>
    </message>
    <message>
        <source>グリッド表示</source>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
</context>
<context>
    <name>TilePicture</name>
    <message>
        <source>(%1, %2)の画素の色番号%3は0から3ではありません</source>
        <translation>pixel (%1, %2) has colour number %3, not 0 to 3</translation>
    </message>
    <message>
        <source>(%1, %2)の画素の色はパレットの4色のどれでもありません</source>
        <translation>pixel (%1, %2) has none of the palette's four colours</translation>
    </message>
    <message>
        <source>PNG画像として読めませんでした</source>
        <translation>not readable as a PNG image</translation>
    </message>
    <message>
        <source>画像の大きさが%1 x %2ではありません(%3 x %4)</source>
        <translation>the picture is not %1 x %2 (it is %3 x %4)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>NES のステージデータを編集します。</source>
        <translation>Edits the stage data of an NES cartridge image.</translation>
    </message>
    <message>
        <source>起動時に開く iNES イメージ（*.nes）</source>
        <translation>iNES image (*.nes) to open at start-up</translation>
    </message>
</context>
</TS>
