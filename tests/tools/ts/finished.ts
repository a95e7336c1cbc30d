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
        <source>ヒント(&amp;H)</source>
        <comment>Edit menu</comment>
        <translation>&amp;Hint</translation>
    </message>
</context>
<context>
    <name>Strip</name>
    <message numerus="yes">
        <source>完成まで あと %n 通り</source>
        <translation>
            <numerusform>%n way left</numerusform>
            <numerusform>%n ways left</numerusform>
        </translation>
    </message>
    <message>
        <source>数えています…</source>
        <translation>Counting…</translation>
    </message>
</context>
</TS>
