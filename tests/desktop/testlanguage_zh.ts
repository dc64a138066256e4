<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>No files to convert.</source>
        <translation>没有要转换的文件。</translation>
    </message>
</context>
</TS>
