<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Menu</name>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ターン(&amp;T)</source>
        <translation type="unfinished">&amp;Turn</translation>
    </message>
    <message>
        <source>ミラー(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リセット(&amp;R)</source>
        <translation type="vanished">&amp;Reset</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation type="obsolete">&amp;Contents</translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation> </translation>
    </message>
    <message>
        <source>挑戦</source>
    </message>
</context>
<context>
    <name>Strip</name>
    <message numerus="yes">
        <source>完成まで あと %n 通り</source>
        <translation>
            <numerusform>%n way left</numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>数えています…</source>
        <translation>Counting…</translation>
    </message>
    <message numerus="yes">
        <source>読めない行 %n</source>
        <translation>Unreadable lines: %n</translation>
    </message>
</context>
</TS>
