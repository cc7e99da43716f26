<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>moka::MatchFlow</name>
    <message>
        <source>第 %1回戦</source>
        <translation>Round %1</translation>
    </message>
    <message>
        <source>あなたは「チャンピョン」です！</source>
        <translation>You are the champion!</translation>
    </message>
    <message>
        <source>あなたの勝ちです！</source>
        <translation>You win!</translation>
    </message>
    <message>
        <source>コンピュータの勝ちです！</source>
        <translation>The computer wins!</translation>
    </message>
    <message>
        <source>Ｃランク</source>
        <translation>Rank C</translation>
    </message>
    <message>
        <source>Ｂランク</source>
        <translation>Rank B</translation>
    </message>
    <message>
        <source>Ａランク</source>
        <translation>Rank A</translation>
    </message>
    <message>
        <source>第１回戦</source>
        <translation>Round 1</translation>
    </message>
    <message>
        <source>第２回戦</source>
        <translation>Round 2</translation>
    </message>
    <message>
        <source>第３回戦</source>
        <translation>Round 3</translation>
    </message>
    <message>
        <source>？？？</source>
        <translation>???</translation>
    </message>
    <message>
        <source>%1 - %2 ： </source>
        <translation>%1 - %2 : </translation>
    </message>
    <message>
        <source>Ａランクは「ボールの影」が有効です</source>
        <translation>Rank A: the ball&apos;s shadow matters</translation>
    </message>
    <message>
        <source>第 %1 セット</source>
        <translation>Set %1</translation>
    </message>
    <message>
        <source>チャンピョンはゲーム が出来ません</source>
        <translation>The champion cannot play</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;チャンピョンネームがありません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>There is no champion name!</translation>
    </message>
</context>
<context>
    <name>moka::RecordFile</name>
    <message>
        <source>ステージが整数ではありません</source>
        <translation>the stage is not a whole number</translation>
    </message>
    <message>
        <source>ステージの後にコンマがありません</source>
        <translation>no comma after the stage</translation>
    </message>
    <message>
        <source>ステージが %1～%2 の範囲を外れています</source>
        <translation>the stage is outside %1 to %2</translation>
    </message>
    <message>
        <source>名前を閉じる &quot; がありません</source>
        <translation>the name has no closing &quot;</translation>
    </message>
    <message>
        <source>名前の後に余分な文字があります</source>
        <translation>extra characters after the name</translation>
    </message>
    <message>
        <source>名前に &quot; か , が混じっています</source>
        <translation>the name holds a &quot; or a ,</translation>
    </message>
    <message>
        <source>%1 番目の記録（全 %2 件）：</source>
        <translation>record %1 of %2: </translation>
    </message>
    <message>
        <source>名前が %1 文字を超えるので切り詰めました</source>
        <translation>the name was cut to %1 characters</translation>
    </message>
    <message>
        <source>記録が %1 件しかありません（全 %2 件）</source>
        <translation>only %1 of the %2 records are there</translation>
    </message>
</context>
<context>
    <name>moka::Texts</name>
    <message>
        <source>&#x3000;&#x3000;既に「 モカランズ&#x3000;mokaRUNs 」は起動しています！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>mokaRUNs is already running!</translation>
    </message>
    <message>
        <source>トラブル＝効果音は使用できません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the sound effects cannot be used!</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;２５６色、又は ６４０×４８０ピクセル では使用できません！  &#x3000;&#x3000;</source>
        <translation>The game cannot run with 256 colours or at 640 × 480 pixels!</translation>
    </message>
    <message>
        <source>お疲れさま．．．</source>
        <translation>Thanks for playing...</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータを読み込めません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>The ranking file cannot be read!</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータが壊れています！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>The ranking file is damaged!</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータを保存できません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>The ranking file cannot be saved!</translation>
    </message>
    <message>
        <source>トラブル＝音を出す装置がありません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: there is no sound output!</translation>
    </message>
    <message>
        <source>トラブル＝予期しないエラーが発生しました！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: an unexpected error happened!</translation>
    </message>
    <message>
        <source>トラブル＝優勝カップの絵を読み込めません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the trophy picture cannot be read!</translation>
    </message>
    <message>
        <source>トラブル＝優勝カップの絵が壊れています！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the trophy picture is damaged!</translation>
    </message>
    <message>
        <source>mokaru.dat：%1</source>
        <translation>mokaru.dat: %1</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります</source>
        <translation>a folder of the same name is in the way</translation>
    </message>
    <message>
        <source>普通のファイルではありません</source>
        <translation>it is not a plain file</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>the file is missing</translation>
    </message>
    <message>
        <source>読み込みが許されていません</source>
        <translation>reading it is not allowed</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>the file cannot be opened</translation>
    </message>
    <message>
        <source>読み込みの途中で失敗しました</source>
        <translation>reading failed part-way</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>its folder is missing</translation>
    </message>
    <message>
        <source>ファイルを作れません</source>
        <translation>the file cannot be made</translation>
    </message>
    <message>
        <source>書き込みの途中で失敗しました</source>
        <translation>writing failed part-way</translation>
    </message>
    <message>
        <source>効果音 %1 がありません</source>
        <translation>the sound effect %1 is missing</translation>
    </message>
    <message>
        <source>効果音 %1 が壊れています（%2）</source>
        <translation>the sound effect %1 is damaged (%2)</translation>
    </message>
    <message>
        <source>resource 108</source>
        <translation>the trophy picture (resource 108)</translation>
    </message>
    <message>
        <source>フォルダに書き込む許可がありません</source>
        <translation>you may not write in its folder</translation>
    </message>
    <message>
        <source>ファイルが書き込み禁止になっています</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>ディスクが読み取り専用です</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>ディスクの空きがありません</source>
        <translation>the disk is full</translation>
    </message>
</context>
<context>
    <name>moka::frmCUT</name>
    <message>
        <source>．．．進行を中断しています．．．</source>
        <translation>...The game is paused...</translation>
    </message>
    <message>
        <source>プレイ に戻る</source>
        <translation>Back to play</translation>
    </message>
    <message>
        <source>プレイデータ を 破棄 する</source>
        <translation>Discard this game</translation>
    </message>
</context>
<context>
    <name>moka::frmINFO</name>
    <message>
        <source>C - 1 :  第 １ セット</source>
        <translation>C - 1 :  Set 1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>moka::frmMAIN</name>
    <message>
        <source>モカランズ！ mokaRUNs</source>
        <translation>mokaRUNs</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Big</translation>
    </message>
    <message>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>COM：</source>
        <translation>COM:</translation>
    </message>
    <message>
        <source>第１回戦</source>
        <translation>Round 1</translation>
    </message>
    <message>
        <source>Ａランク</source>
        <translation>Rank A</translation>
    </message>
    <message>
        <source>Ｂランク</source>
        <translation>Rank B</translation>
    </message>
    <message>
        <source>Ｃランク</source>
        <translation>Rank C</translation>
    </message>
    <message>
        <source> P：</source>
        <translation> P:</translation>
    </message>
    <message>
        <source> N:</source>
        <translation> N:</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Mini</translation>
    </message>
</context>
<context>
    <name>moka::frmNAME</name>
    <message>
        <source>名前入力は、５文字以内です！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Names can be at most 5 characters long!</translation>
    </message>
    <message>
        <source>  プレイヤー登録</source>
        <translation>  Player registration</translation>
    </message>
    <message>
        <source>あなたの名前を入力して下さい。</source>
        <translation>Please enter your name.</translation>
    </message>
    <message>
        <source>アルファベット ３文字以内</source>
        <translation>Up to 3 letters</translation>
    </message>
    <message>
        <source>ランキングに登録されている場合は、↑</source>
        <translation>Ranked? Pick your name above ↑</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>moka::modDATA</name>
    <message>
        <source> P： </source>
        <translation> P: </translation>
    </message>
    <message>
        <source> N： </source>
        <translation> N: </translation>
    </message>
</context>
</TS>
