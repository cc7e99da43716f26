<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>moka::MatchFlow</name>
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
        <translation>Rank A: low balls can&apos;t be hit</translation>
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
        <translation>Well played...</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータを読み込めません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the ranking file cannot be read!</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータが壊れています！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the ranking file is damaged!</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ランキングデータを保存できません！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Trouble: the ranking file cannot be saved!</translation>
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
        <translation>Std</translation>
    </message>
</context>
<context>
    <name>moka::frmNAME</name>
    <message>
        <source>名前入力は、５文字以内です！&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>A name has 5 characters at most!</translation>
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
